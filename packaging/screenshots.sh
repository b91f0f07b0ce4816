#!/usr/bin/env bash
# The screenshots that the AppStream file names (docs/pictures/appstream-*.png): the game's
# device screen as the player sees it, command bar included, drawn by the game itself under a
# script and doubled in size with whole pixels, as the window shows it at scale 2. Needs a
# build of the game and netpbm.
#   packaging/screenshots.sh [BUILD_DIR]     BUILD_DIR defaults to build/ in the source tree
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build}
sudoku=$build/bin/sudoku
pictures=$src/docs/pictures
[ -x "$sudoku" ] || {
    echo "screenshots.sh: no $sudoku; build the project first" >&2
    exit 1
}
for tool in pngtopnm pnmenlarge pnmtopng; do
    command -v "$tool" >/dev/null || {
        echo "screenshots.sh: needs $tool (apt-get install netpbm)" >&2
        exit 1
    }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# shoot NAME SCRIPT OPTIONS...: runs SCRIPT (its screenshots write $tmp/shot.png) on the
# sample game of docs/pictures with a fresh data folder, then keeps the picture doubled.
shoot() {
    local name=$1 script=$2
    shift 2
    rm -rf "$tmp/data" "$tmp/shot.png"
    printf '%b' "$script" >"$tmp/script.txt"
    "$sudoku" --script "$tmp/script.txt" --data-dir "$tmp/data" --seed 1 "$@" \
        "$pictures/sample.sdk" >/dev/null 2>&1
    pngtopnm "$tmp/shot.png" | pnmenlarge 2 | pnmtopng -compression 9 >"$pictures/$name"
    echo "$name"
}

# The sample game with a hint on Paper.
shoot appstream-game.png "foreground on\nwait 3000\ncommand 32785\nwait 95000\n\
screenshot $tmp/shot.png\n" --language 0
# Steel in Number Select with the 5 crosshatched.
shoot appstream-steel.png "foreground on\nwait 3000\ncommand 32799\ncommand 32791\n\
command 32817\ntap 236 214\nwait 312000\nscreenshot $tmp/shot.png\n" --language 0
# Sand with Auto Pencilmarks.
shoot appstream-marks.png "foreground on\nwait 3000\ncommand 32798\ncommand 32792\n\
wait 1420000\nscreenshot $tmp/shot.png\n" --language 0
# Russian on the 320 x 240 screen.
shoot appstream-320x240.png "foreground on\nwait 3000\nwait 47000\nscreenshot $tmp/shot.png\n" \
    --screen 320x240 --language 6
