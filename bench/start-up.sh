#!/usr/bin/env bash
# Wall time from starting the editor to its main window being mapped on a real X server, the
# median of RUNS starts. Needs a display with a window manager and xdotool.
# Usage: bench/start-up.sh [vellicor binary]
set -euo pipefail
vellicor=$(realpath "${1:-build/src/vellicor}")
runs=${RUNS:-9}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share "$vellicor" \
        >/dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
    times+=($((($(date +%s%N) - start) / 1000000)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {
    printf "start-up to a mapped window: median %d ms (min %d, max %d, %d runs)\n",
        a[int((NR + 1) / 2)], a[1], a[NR], NR }'
