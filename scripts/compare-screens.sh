#!/usr/bin/env bash
# Screenshots of the board, command bar and a toolbar caption in Russian and in Chinese, made by
# the desktop's script mode (build/bin/sudoku) and by sudoku-node (build-web/bin/sudoku-node),
# compared pixel for pixel. Exit status 0 when every pair is the same.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for language in 6 5; do
    printf 'wait 4000\nscreenshot board.png\npress 32785\nscreenshot caption.png\nrelease 32785\n' \
        > "$work/script"
    for program in build/bin/sudoku build-web/bin/sudoku-node; do
        run="$work/$language-$(basename "$program")"
        mkdir -p "$run"
        (cd "$run" && "$OLDPWD/$program" -platform offscreen --seed 7 --language "$language" \
            --data-dir . --script ../script > log.txt 2>&1)
    done
    for shot in board caption; do
        if python3 - "$work/$language-sudoku/$shot.png" "$work/$language-sudoku-node/$shot.png" <<'PY'
import sys, zlib, struct
def pixels(path):
    data = open(path, 'rb').read()
    chunks, pos = {}, 8
    idat = b''
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b'IHDR':
            w, h, depth, colour = struct.unpack('>IIBB', body[:10])
        elif kind == b'IDAT':
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    bpp = {2: 3, 6: 4}[colour]
    stride, rows, prev = w * bpp, [], bytearray(w * bpp)
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            p = a + b - c
            pred = [0, a, b, (a + b) // 2, a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else (b if abs(p - b) <= abs(p - c) else c)][f]
            line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(w)])
        prev = line
    return w, h, rows
(w1, h1, a), (w2, h2, b) = pixels(sys.argv[1]), pixels(sys.argv[2])
differ = sum(1 for y in range(min(h1, h2)) for x in range(min(w1, w2)) if a[y][x] != b[y][x])
print(f"{w1}x{h1} vs {w2}x{h2}: {differ} pixels differ")
sys.exit(0 if (w1, h1) == (w2, h2) and differ == 0 else 1)
PY
        then echo "language $language $shot: same"; else echo "language $language $shot: DIFFERENT"; status=1; fi
    done
done
exit $status
