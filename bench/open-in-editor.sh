#!/usr/bin/env bash
# Opening a project in the editor on a real X server, as `vellicor project.vellicor` does: the
# wall time from the start to the main window being mapped and to its title naming the project,
# and the editor's memory once idle (VmRSS two seconds after the title) and at its peak (VmHWM).
# Medians of RUNS runs, with View > Header hidden and shown, each run in a fresh home folder.
# Without a project it makes one of COUNT sprites (32,767 unless given) of random pixels.
# Needs a display with a window manager and xdotool.
# Usage: bench/open-in-editor.sh [vellicor binary] [project.vellicor]
set -euo pipefail
vellicor=$(realpath "${1:-build/src/vellicor}")
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -n "${2:-}" ]; then
    project=$(realpath "$2")
else
    project=$work/Large.vellicor
    python3 - "${COUNT:-32767}" "$work/raw.vellicor" <<'PY'
import json, random, sys
random.seed(7)
rows = lambda: ['%08X' % random.getrandbits(32) for _ in range(32)]
sprites = [{"name": "Sprite%d" % i, "size": 32, "dark": rows(), "light": rows(),
            "mask": [r if i % 2 else '00000000' for r in rows()]} for i in range(int(sys.argv[1]))]
json.dump({"format": "vellicor-project", "version": 1, "name": "Large", "sprites": sprites},
          open(sys.argv[2], 'w'))
PY
    # Through a header and back, so the file is laid out as Vellicor writes it.
    "$vellicor" --export "$work/raw.vellicor" --output "$work/large.h"
    "$vellicor" --import-header "$work/large.h" --output "$project"
    rm -f "$work/raw.vellicor" "$work/large.h"
fi
name=$(basename "$project")

now() { echo $(($(date +%s%N) / 1000000)); }

# The visible window of the process or of a process it started.
window_of() {
    local pid
    for pid in "$1" $(pgrep -P "$1" || true); do
        xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 && return
    done
}

# One start: "mapped-ms titled-ms idle-rss-kb peak-kb".
run_once() {
    local home=$work/home header=$1
    rm -rf "$home"
    mkdir -p "$home/.config/Vellicor"
    printf '[view]\nheader=%s\n' "$header" >"$home/.config/Vellicor/Vellicor.conf"
    local start mapped titled window="" pid
    start=$(now)
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        "$vellicor" "$project" >/dev/null 2>&1 &
    pid=$!
    until [ -n "$window" ]; do
        sleep 0.01
        window=$(window_of "$pid")
    done
    mapped=$(($(now) - start))
    until [[ "$(xdotool getwindowname "$window" 2>/dev/null)" == *"$name"* ]]; do sleep 0.01; done
    titled=$(($(now) - start))
    sleep 2
    local editor
    editor=$(xdotool getwindowpid "$window")
    echo "$mapped $titled $(awk '/^VmRSS/ {r = $2} /^VmHWM/ {h = $2} END {print r, h}' \
        "/proc/$editor/status")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

# The median of a column of numbers, and the smallest: the run least disturbed by the rest.
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)], a[1]}'; }

echo "$name, $(du -m "$project" | cut -f1) MB; medians of $runs runs"
for header in false true; do
    results=$(for ((i = 0; i < runs; i++)); do run_once "$header"; done)
    pick() { echo "$results" | awk -v c="$1" '{print $c}' | median | cut -d' ' -f"$2"; }
    printf 'header %-6s mapped %4d ms (min %4d)  titled %4d ms (min %4d)  ' \
        "$([ "$header" = true ] && echo shown || echo hidden)" \
        "$(pick 1 1)" "$(pick 1 2)" "$(pick 2 1)" "$(pick 2 2)"
    printf 'idle RSS %5.1f MiB  peak %5.1f MiB\n' \
        "$(echo "$(pick 3 1) / 1024" | bc -l)" "$(echo "$(pick 4 1) / 1024" | bc -l)"
done
