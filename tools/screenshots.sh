#!/usr/bin/env bash
# The README's screenshots: the demo network on a virtual display with a small window manager, the main window
# on the system tab and on the channel, the "MORVA" menu, the nick menu, and each dialog (dialog_shots).
# usage: tools/screenshots.sh <build folder> <output folder>     needs Xvfb, openbox, xdotool, ImageMagick
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1100x760x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$numfile")
rm -f "$numfile"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
xsetroot -solid '#3a4a5a' 2>/dev/null || true

shot() { sleep "${2:-1}"; import -window root "$out/$1.png"; echo "$out/$1.png"; }
# The window in front with its frame only (a dialog).
dshot() {
    sleep "${2:-1}"
    local w
    w=$(xdotool getactivewindow 2>/dev/null || true)
    if [ -n "$w" ]; then import -screen -window "$w" -frame "$out/$1.png"; else import -window root "$out/$1.png"; fi
    echo "$out/$1.png"
}
# The window under the pointer's state file entry: "place NAME X Y".
at() { grep "^place $1 " "$state" | head -1 | awk '{print $3, $4}'; }

for d in form3 form5 form6 form7; do
    "$build/tools/dialog_shots" "$d" 3 >/dev/null 2>&1 &
    if [ $d = form7 ]; then
        # The picker has no frame of its own: the middle of the screen around it.
        sleep 2
        import -window root -gravity center -crop 420x200+0+0 +repage "$out/dialog-$d.png"
    else
        dshot "dialog-$d" 2
    fi
    wait $! || true
done

# The demo: its own profile; the window fills most of the screen.
export MORVA_STATE_FILE=/tmp/morva-shots-state.$$
# No session bus on this display: none is to be launched for it.
export DBUS_SESSION_BUS_ADDRESS=disabled:
state=$MORVA_STATE_FILE
"$root/tools/demo.sh" "$build" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "^place tab:#DAWNHALL " "$state" 2>/dev/null && break; sleep 0.1; done
shot main-system 8
read -r x y <<<"$(at 'tab:#DAWNHALL')"
xdotool mousemove "$x" "$y" sleep 0.1 click 1
shot main-channel 6
read -r x y <<<"$(at input)"
xdotool mousemove "$x" "$y" sleep 0.1 click 1 type --delay 120 'Всем привет!'
xdotool key Return
shot main-typed 2
read -r x y <<<"$(at 'nick:@Veter')"
xdotool mousemove "$x" "$y" sleep 0.1 click 1 sleep 0.2 click 3
shot nick-menu 1
xdotool key Escape
read -r x y <<<"$(at menu)"
xdotool mousemove "$x" "$y" sleep 0.1 click 1 sleep 0.3 key Down Down Right
shot main-menu 1
xdotool key Escape Escape Escape

# The channel list from a raw LIST, and the channel settings of the channel in view.
read -r x y <<<"$(at input)"
xdotool mousemove "$x" "$y" sleep 0.1 click 1 type --delay 50 '/LIST'
xdotool key Return
dshot channel-list 2
xdotool key Escape
read -r x y <<<"$(at ToolButton5)"
xdotool mousemove "$x" "$y" sleep 0.1 click 1
dshot channel-settings 2
xdotool key Escape
# The alias editor from the menu: "Настройки" > "Алиасы".
read -r x y <<<"$(at menu)"
xdotool mousemove "$x" "$y" sleep 0.1 click 1 sleep 0.3 key Down Down Down Down Right Down Down Return
dshot alias-editor 1
xdotool key Escape
rm -f "$state"
