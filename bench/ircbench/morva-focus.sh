#!/usr/bin/env bash
# Brings the bench channel's tab into view in a MORVA started by morva.sh: clicks the tab where the client's
# state file says it is. usage: bench/ircbench/morva-focus.sh DIR [CHANNEL]
set -euo pipefail
dir=$1
chan=${2:-#bench}
for _ in $(seq 100); do
    line=$(grep -i "^place tab:$chan " "$dir/state" 2>/dev/null || true)
    [ -n "$line" ] && break
    sleep 0.05
done
[ -n "$line" ] || { echo "no tab $chan in $dir/state" >&2; exit 1; }
read -r _ _ x y <<<"$line"
xdotool mousemove --sync "$x" "$y" click 1
