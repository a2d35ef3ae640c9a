#!/usr/bin/env bash
# The local demo network: a real ngircd on a free loopback port with "#Dawnhall", the demo bot's two users on it,
# and the client with a settings profile of its own pointed at that server. Everything started here stops when
# the client closes. Usage: tools/demo.sh <build folder> [client arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
root=$(cd "$(dirname "$0")/.." && pwd)
ngircd=/usr/sbin/ngircd
[ -x "$ngircd" ] || { echo "ngircd is not installed (tools/install-deps.sh installs it)" >&2; exit 1; }

work=$(mktemp -d /tmp/morva-demo-XXXXXX)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/ngircd.conf" <<CONF
[Global]
Name = demo.dawnhall.net
Info = MORVA demo network
Listen = 127.0.0.1
Ports = $port
MotdPhrase = Добро пожаловать в демонстрационную сеть Dawnhall
PidFile = $work/ngircd.pid
[Limits]
MaxNickLength = 30
MaxConnectionsIP = 0
[Options]
PAM = no
DNS = no
Ident = no
Syslog = no
CONF
"$ngircd" -n -f "$work/ngircd.conf" >"$work/ngircd.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.05
done

# The bot goes first, so that its first user creates the channel and holds operator.
"$build/tools/demobot" --host 127.0.0.1 --port "$port" --channel '#Dawnhall' >"$work/demobot.log" 2>&1 &
pids+=($!)
sleep 1.5

# A profile of the demo's own: a typed host, connect at start, logs on.
mkdir -p "$work/config/PelmarSoftware" "$work/data"
cat >"$work/config/PelmarSoftware/MORVA.conf" <<CONF
[General]
Server=-1
Host=127.0.0.1
Port=$port
Nick=Gost
RName=MORVA demo
Id=demo
AJoin=#Dawnhall
AutoConnect=-1
Logs=-1
CONF
# The actions menu reads "actions.txt" from the current folder, in Windows-1251.
printf '%s\r\n' 'Обнять:обнимает $' 'Угостить чаем:угощает $ горячим чаем' 'Помахать:машет рукой $' |
    iconv -f UTF-8 -t CP1251 >"$work/actions.txt"

echo "demo network on 127.0.0.1:$port; profile and logs in $work (removed when the client closes)"
cd "$work"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$build/app/MORVA" "$@" || true
