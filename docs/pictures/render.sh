#!/usr/bin/env bash
# Pictures of the game screen, drawn by the game's own drawing code (sudoku-tool render) from
# the sample game in this folder.
#   docs/pictures/render.sh [BUILD_DIR]
#       the README's pictures, into this folder
#   docs/pictures/render.sh --previews OUT_DIR [--program-dir DIR] [BUILD_DIR]
#       every skin on both screens (480x272, 320x240) in three positions, into OUT_DIR:
#       SKIN-cell-SCREEN.png    Cell Select: a hint, illegal entries and marks, Limit Numbers
#       SKIN-number-SCREEN.png  Number Select with crosshatching on the 5
#       SKIN-keys-SCREEN.png    Key Select with Auto Pencilmarks: the candidates framed
#       The skins are read from DIR (default: the build's program folder), for example the
#       folder that `sudoku-artgen DIR` has just written.
# BUILD_DIR defaults to build/ at the top of the source tree.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

usage() {
    sed -n '2,13s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

previews=
program_dir=
build=
while [ $# -gt 0 ]; do
    case $1 in
        --previews)
            [ $# -ge 2 ] || usage
            previews=$2
            shift 2
            ;;
        --program-dir)
            [ $# -ge 2 ] || usage
            program_dir=$2
            shift 2
            ;;
        -*) usage ;;
        *)
            [ -z "$build" ] || usage
            build=$1
            shift
            ;;
    esac
done
build=${build:-$here/../../build}
tool=$build/bin/sudoku-tool
if [ ! -x "$tool" ]; then
    echo "render.sh: no $tool; build the project first" >&2
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Writes an options.cfg of 140 bytes, as the game stores it: input mode (0 Cell Select,
# 1 Number Select, 2 Key Select; 32 bits), Auto Pencilmarks, Limit Numbers, Flag Illegal at
# bytes 4..6, the level (32 bits at 8; 44 is Medium), the skin (32 bits at 12; 0 Paper, 1 Sand,
# 2 Steel) and Crosshatching at byte 36. Every other byte is zero.
#   write_options FILE MODE AUTO_MARKS LIMIT SKIN CROSSHATCH
write_options() {
    local -a bytes
    local i text=
    for ((i = 0; i < 140; i++)); do
        bytes[i]=0
    done
    bytes[0]=$2
    bytes[4]=$3
    bytes[5]=$4
    bytes[6]=1
    bytes[8]=44
    bytes[12]=$5
    bytes[36]=$6
    for i in "${bytes[@]}"; do
        text+=$(printf '\\x%02x' "$i")
    done
    printf '%b' "$text" >"$1"
}

render() {
    "$tool" render "$here/sample.sdk" ${program_dir:+--program-dir "$program_dir"} "$@"
}

if [ -z "$previews" ]; then
    # Paper: Cell Select with a hint; Sand: Number Select with crosshatching on the number 5;
    # Steel: Cell Select with Limit Numbers. Every picture also shows the clock.
    write_options "$tmp/paper.cfg" 0 0 0 0 0
    write_options "$tmp/sand.cfg" 1 0 0 1 1
    write_options "$tmp/steel.cfg" 0 0 1 2 0
    render -o "$here/paper.png" --options "$tmp/paper.cfg" --clock --hint 8 0
    render -o "$here/sand.png" --options "$tmp/sand.cfg" --clock
    render -o "$here/steel.png" --options "$tmp/steel.cfg" --clock
    render -o "$here/paper-320x240.png" --options "$tmp/paper.cfg" --screen 320x240
    exit 0
fi

mkdir -p "$previews"
skins=(paper sand steel)
for skin in 0 1 2; do
    write_options "$tmp/cell.cfg" 0 0 1 "$skin" 0
    write_options "$tmp/number.cfg" 1 0 0 "$skin" 1
    write_options "$tmp/keys.cfg" 2 1 0 "$skin" 0
    for screen in 480x272 320x240; do
        stem=$previews/${skins[skin]}
        render -o "$stem-cell-$screen.png" --options "$tmp/cell.cfg" --screen "$screen" \
            --clock --hint 8 0
        render -o "$stem-number-$screen.png" --options "$tmp/number.cfg" --screen "$screen" \
            --clock
        render -o "$stem-keys-$screen.png" --options "$tmp/keys.cfg" --screen "$screen" --clock
    done
done
echo "render.sh: 18 pictures in $previews"
