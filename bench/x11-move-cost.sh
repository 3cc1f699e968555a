#!/usr/bin/env bash
# CPU time the editor spends per mouse move over the canvas at zoom 100 under a real X server:
# painting (left button held) against hovering. Needs a display with a window manager (for
# example Xvfb :99 with openbox) and xdotool. Usage: bench/x11-move-cost.sh [vellicor binary]
set -euo pipefail
vellicor=$(realpath "${1:-build/src/vellicor}")
moves=${MOVES:-400}
home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share "$vellicor" &
pid=$!
window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
xdotool windowactivate --sync "$window" windowsize --sync "$window" 1280 900 windowmove --sync "$window" 0 0
sleep 0.5
xdotool mousemove 15 49 click 1 && sleep 0.5 && xdotool type Bench && xdotool key Return && sleep 0.3
xdotool key ctrl+n && sleep 0.5 && xdotool type Ball && xdotool key Return && sleep 0.5
xdotool mousemove 147 151 click 1 && sleep 0.2 # size 32
xdotool mousemove 165 320 click 1 && xdotool key End && sleep 0.5 # zoom 100
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
sweep() { # one pass to and fro across the canvas, a pixel or more a move
    local args=()
    for ((i = 0; i < moves; i++)); do
        args+=(mousemove $((300 + (i % 200) * 2)) $((300 + (i % 100))) sleep 0.002)
    done
    xdotool "${args[@]}"
}
hz=$(getconf CLK_TCK)
xdotool mousemove 300 300 && sleep 0.3
before=$(cpu) && sweep && sleep 0.3 && hover=$(($(cpu) - before))
xdotool mousemove 300 300 mousedown 1 && sleep 0.2
before=$(cpu) && sweep && sleep 0.3 && paint=$(($(cpu) - before))
xdotool mouseup 1
awk -v h="$hover" -v p="$paint" -v n="$moves" -v hz="$hz" 'BEGIN {
    printf "hovering: %.3f ms CPU per move\npainting: %.3f ms CPU per move\n", h * 1000 / hz / n, p * 1000 / hz / n }'
