#!/usr/bin/env bash
# Runs MORVA under the flood benchmark of ../shared/ircbench: a profile of its own in DIR (a typed host, the
# harness's port, connect at start, join of the bench channel, logs off) and the real binary under xvfb-run.
# usage: bench/ircbench/morva.sh PORT DIR [CHANNEL]    env: MORVA_BIN (default build/release/app/MORVA)
#        XVFB_SCREEN (default 1280x800x24)
# The channel's tab comes into view only when it is clicked: bench/ircbench/morva-focus.sh DIR does that, as the
# harness's --pre-flood-cmd.
set -euo pipefail
port=$1
dir=$2
chan=${3:-#bench}
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${MORVA_BIN:-$root/build/release/app/MORVA}
mkdir -p "$dir/cfg/PelmarSoftware" "$dir/data" "$dir/run"
chmod 700 "$dir/run"
cat >"$dir/cfg/PelmarSoftware/MORVA.conf" <<CONF
[General]
Server=-1
Host=127.0.0.1
Port=$port
Nick=benchmorva
RName=bench
Id=bench
AJoin=$chan
AutoConnect=-1
Logs=0
psl=0
pst=0
psw=1280
psh=800
CONF
export XDG_CONFIG_HOME="$dir/cfg" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir/run" MORVA_STATE_FILE="$dir/state"
cd "$dir"
exec xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1280x800x24} -nolisten tcp" "$bin"
