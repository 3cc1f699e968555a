#!/usr/bin/env bash
# Files that ask for more than any project needs, each given to the headless command that
# reads it, timed and measured with /usr/bin/time -v: each must be refused in well under a
# second with little memory. Usage: bench/hostile-files.sh [build folder]
set -euo pipefail
build=${1:-build}
vellicor=$(realpath "$build/src/vellicor")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

python3 - <<'PY'
import struct, zlib
row = '"00000000"'
rows = '[' + ','.join([row] * 32) + ']'
def sprite(name, open_=False):
    return ('{"name":"%s","size":8,"open":%s,"dark":%s,"light":%s,"mask":%s}'
            % (name, 'true' if open_ else 'false', rows, rows, rows))
def project(name, sprites, extra=''):
    return ('{"format":"vellicor-project","version":1,"name":"%s",%s"sprites":[%s]}\n'
            % (name, extra, ','.join(sprites)))
with open('unknown-numbers.vellicor', 'w') as f:  # 250 MB: 125 million numbers
    f.write('{"format":"vellicor-project","version":1,"name":"P","tags":[')
    chunk = '1,' * 1_000_000
    for _ in range(125):
        f.write(chunk)
    f.write('1],"sprites":[%s]}\n' % sprite('S'))
with open('long-name.vellicor', 'w') as f:  # a valid project but for its 50 MB name
    f.write(project('N' * 50_000_000, [sprite('S')]))
with open('all-open.vellicor', 'w') as f:  # 24,600 sprites, every window open
    f.write(project('P', [sprite('S%d' % i, True) for i in range(24_600)]))
with open('nested.vellicor', 'w') as f:  # 10 million opening brackets
    f.write('{"a":' + '[' * 10_000_000)
with open('many-sprites.h', 'w') as f:  # 100,000 sprites of size 0
    for i in range(100_000):
        for plane in ('Dark', 'Light', 'Mask'):
            f.write('S%d_Plane%s = };\r\n' % (i, plane))
        f.write('\r\n')
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
with open('huge.png', 'wb') as f:  # declares 30,000 x 30,000 pixels in a few bytes
    f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 30000, 30000, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(b'\0' * 1000)) + chunk(b'IEND', b''))
PY
truncate -s 300M far-too-large.vellicor

measure() {
    local title=$1
    shift
    /usr/bin/time -v "$@" >out.txt 2>err.txt && status=0 || status=$?
    local seconds memory message
    seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' err.txt)
    memory=$(sed -n 's/.*Maximum resident set size (kbytes): //p' err.txt)
    message=$( (grep -v "^\s" err.txt || true) | head -1 | cut -c1-110)
    printf '%-24s exit %d  %8s  %4d MB  %s\n' "$title" "$status" "$seconds" $((memory / 1024)) "$message"
}

ls -l --block-size=M ./*.vellicor ./*.h ./*.png | awk '{print $5, $9}'
export QT_QPA_PLATFORM=offscreen
measure "far too large" "$vellicor" --export far-too-large.vellicor --output out.h
measure "unknown numbers" "$vellicor" --export unknown-numbers.vellicor --output out.h
measure "50 MB name" "$vellicor" --export long-name.vellicor --output out.h
measure "nested 10 million" "$vellicor" --export nested.vellicor --output out.h
measure "24,600 open (exports)" "$vellicor" --export all-open.vellicor --output out.h
measure "100,000-sprite header" "$vellicor" --import-header many-sprites.h --output new.vellicor
measure "30,000 x 30,000 PNG" "$vellicor" --import-png huge.png --output new.vellicor
