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
tool=$build/bin/sudoku-tool
pictures=$src/docs/pictures
[ -x "$sudoku" ] || {
    echo "screenshots.sh: no $sudoku; build the project first" >&2
    exit 1
}
for netpbm in pngtopnm pnmenlarge pnmtopng; do
    command -v "$netpbm" >/dev/null || {
        echo "screenshots.sh: needs $netpbm (apt-get install netpbm)" >&2
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

# play LEVEL_COMMAND SEED MOVE_MS: plays a new game of the level in the data folder $tmp/played
# to its end, one move every MOVE_MS of the clock, so that the statistics have real figures.
play() {
    local level=$1 seed=$2 move=$3 puzzle solution i
    printf 'foreground on\nwait 3000\ncommand %s\nanswer yes\ncommand 32814\n' "$level" \
        >"$tmp/new.txt"
    "$sudoku" --script "$tmp/new.txt" --data-dir "$tmp/played" --seed "$seed" >/dev/null 2>&1
    puzzle=$("$tool" export "$tmp/played/autosave.sdk" | head -n 1)
    solution=$("$tool" solve <<<"$puzzle")
    {
        printf 'foreground on\nwait 3000\n'
        # Cell Select: a tap on the cell, then on its digit in the palette.
        for ((i = 0; i < 81; i++)); do
            if [ "${puzzle:i:1}" = . ]; then
                printf 'tap %d %d\n' $((152 + 21 * (i % 9))) $((22 + 21 * (i / 9)))
                printf 'tap %d 214\nwait %d\n' $((131 + 21 * ${solution:i:1})) "$move"
            fi
        done
        printf 'answer no\n'
    } >"$tmp/solve.txt"
    "$sudoku" --script "$tmp/solve.txt" --data-dir "$tmp/played" >/dev/null 2>&1
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
# The Statistics dialog after a few games played.
rm -rf "$tmp/played"
play 32772 11 7000
play 32772 12 5000
play 32772 13 6000
play 32773 21 9000
play 32773 22 8000
play 32774 31 11000
cp "$tmp/played/options.cfg" "$tmp/played.cfg"
rm -rf "$tmp/data" "$tmp/shot.png"
mkdir -p "$tmp/data"
cp "$tmp/played.cfg" "$tmp/data/options.cfg"
printf 'wait 3000\ndialog screenshot %s\ndialog ok\ncommand 32816\n' "$tmp/shot.png" \
    >"$tmp/script.txt"
"$sudoku" --script "$tmp/script.txt" --data-dir "$tmp/data" --language 0 >/dev/null 2>&1
pngtopnm "$tmp/shot.png" | pnmenlarge 2 | pnmtopng -compression 9 \
    >"$pictures/appstream-statistics.png"
echo appstream-statistics.png
# Russian on the 320 x 240 screen.
shoot appstream-320x240.png "foreground on\nwait 3000\nwait 47000\nscreenshot $tmp/shot.png\n" \
    --screen 320x240 --language 6
