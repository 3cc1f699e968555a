#!/usr/bin/env bash
# Whole-process costs of the largest projects, timed with /usr/bin/time -v (wall clock and
# peak memory; the median of RUNS runs for the wall clock): --export, --import-header and a
# save through --import-png for 1 to 32,767 sprites, each a 32 x 32 sprite of random pixels.
# Usage: bench/large-projects.sh [vellicor binary] [sprite counts...]
set -euo pipefail
vellicor=$(realpath "${1:-build/src/vellicor}")
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1 1000 8000 32767)
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A project in any JSON layout; the first export and import make it as Vellicor writes it.
make_project() {
    python3 - "$1" <<'PY'
import json, random, sys
random.seed(7)
count = int(sys.argv[1])
rows = lambda: ['%08X' % random.getrandbits(32) for _ in range(32)]
sprites = [{"name": "Sprite%d" % i, "size": 32, "dark": rows(), "light": rows(),
            "mask": [r if i % 2 else '00000000' for r in rows()]} for i in range(count)]
json.dump({"format": "vellicor-project", "version": 1, "name": "Large", "sprites": sprites},
          open('raw.vellicor', 'w'))
PY
    "$vellicor" --export raw.vellicor --output "p$1.h"
    rm -f "p$1.vellicor"
    if (($1 == 0)); then mv raw.vellicor p0.vellicor; return; fi
    "$vellicor" --import-header "p$1.h" --output "p$1.vellicor"
}

# Median wall time and the largest peak RSS of RUNS runs of a command.
measure() {
    local walls=() peak=0 kb
    for ((i = 0; i < runs; i++)); do
        [ -z "${PREPARE:-}" ] || eval "$PREPARE"
        local start=$(date +%s%N)
        /usr/bin/time -f '%M' -o t.txt "$@" >/dev/null 2>err.txt || { cat err.txt >&2; exit 1; }
        walls+=($((($(date +%s%N) - start) / 1000)))
        kb=$(tail -n 1 t.txt)
        ((kb > peak)) && peak=$kb
    done
    local median
    median=$(printf '%s\n' "${walls[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    printf '%8.1f ms %8.1f MiB' "$(echo "$median / 1000" | bc -l)" "$(echo "$peak / 1024" | bc -l)"
}

printf '%-8s %-28s %-28s %-28s\n' sprites '--export' '--import-header' 'save (--import-png)'
python3 -c "
import struct, zlib
def chunk(k, d): return struct.pack('>I', len(d)) + k + d + struct.pack('>I', zlib.crc32(k + d))
raw = b''.join(b'\0' + b'\x80' * 8 for _ in range(8))
open('dot.png', 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 8, 8, 8, 0, 0, 0, 0))
    + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))"
for n in "${counts[@]}"; do
    make_project "$n"
    export_cost=$(measure "$vellicor" --export "p$n.vellicor" --output out.h)
    import_cost=$(PREPARE='rm -f imported.vellicor' measure "$vellicor" --import-header "p$n.h" \
        --output imported.vellicor)
    # One sprite added to a project of n - 1: a whole open and a whole save of n sprites.
    make_project $((n - 1))
    save_cost=$(PREPARE="cp p$((n - 1)).vellicor saved.vellicor" measure "$vellicor" --import-png dot.png \
        --output saved.vellicor)
    printf '%-8s %-28s %-28s %-28s\n' "$n" "$export_cost" "$import_cost" "$save_cost"
done
