#!/usr/bin/env bash
# Runs MORVA under the flood benchmark of ../shared/ircbench: a profile of its own in DIR (a typed host, the
# harness's port, connect at start, join of the bench channel, logs off) and the real binary on an X display of
# its own (Xvfb, without the GLX extension, which MORVA never uses and whose set-up is half of Xvfb's start).
# usage: bench/ircbench/morva.sh PORT DIR [CHANNEL]    env: MORVA_BIN (default build/release/app/MORVA)
#        XVFB_SCREEN (default 1280x800x24; further Xvfb arguments may follow it)
# The channel's tab comes into view only when it is clicked: bench/ircbench/morva-focus.sh DIR does that, as the
# harness's --pre-flood-cmd. Start-up is part of what is measured, so the script forks as little as it can.
set -euo pipefail
port=$1
dir=$2
chan=${3:-#bench}
here=${0%/*}
[ "$here" = "$0" ] && here=.
root=$(cd "$here/../.." && pwd)
bin=${MORVA_BIN:-$root/build/release/app/MORVA}
mkdir -p -m 700 "$dir/cfg/PelmarSoftware" "$dir/data" "$dir/run"
printf '%s\n' "[General]" "Server=-1" "Host=127.0.0.1" "Port=$port" "Nick=benchmorva" "RName=bench" "Id=bench" \
    "AJoin=$chan" "AutoConnect=-1" "Logs=0" "psl=0" "pst=0" "psw=1280" "psh=800" \
    >"$dir/cfg/PelmarSoftware/MORVA.conf"
export XDG_CONFIG_HOME="$dir/cfg" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir/run" MORVA_STATE_FILE="$dir/state"
# The display has no session bus. Qt's accessibility bridge would have libdbus launch a bus daemon for it (40 ms
# of the start, and a daemon left running afterwards); an address that reaches nothing turns the bridge off, as
# NO_AT_BRIDGE=1 does for HexChat's launcher.
export DBUS_SESSION_BUS_ADDRESS=disabled:
cd "$dir"
# Xvfb picks a free display and writes its number once it accepts clients.
# shellcheck disable=SC2086 # XVFB_SCREEN may carry further arguments
exec 4< <(exec Xvfb -displayfd 1 -nolisten tcp -extension GLX -screen 0 ${XVFB_SCREEN:-1280x800x24} 2>/dev/null)
xvfb=$!
read -r display <&4 || { echo "Xvfb did not start" >&2; exit 1; }
exec 4<&-
export DISPLAY=":$display"
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
"$bin"
