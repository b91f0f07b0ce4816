#!/usr/bin/env bash
# The real window on an X server (Xvfb), driven by xdotool as a player drives it: a click ends
# the splash, moves are played with mouse clicks and keys, and the program is ended one way;
# then the autosave must hold exactly the moves played.
#
#   xvfb_play.sh PROGRAM_DIR CLOSE_WINDOW ENDING [SCALE]
#
# ENDING:
#   menu   Cell Select: three cells filled by clicks on the board and the palette, the last one
#          taken back with Ctrl+Z; F1 opens the Game soft key's menu, Up and Return pick its
#          last item, Save and Exit.
#   term   Key Select (set in options.cfg): digit and arrow keys fill two cells; SIGTERM.
#   close  Cell Select: two cells filled by clicks; the window is asked to close as a window
#          manager's close button does (CLOSE_WINDOW, the close-window helper).
#   full   F11: full screen, the device screen centred at the largest whole scale; a cell filled
#          by clicks; a click on the Game soft key opens its menu, a click on the Options soft
#          key opens that one at once, and Up and Return pick About; Escape closes it; F11
#          gives the screen back; then F1, Up and Return: Save and Exit.
# SCALE (default 1) is the window's zoom; clicks are placed by it. Exit status 77 (skipped) when
# Xvfb or xdotool is missing.
set -uo pipefail

if [ $# -lt 3 ]; then
    echo "usage: xvfb_play.sh PROGRAM_DIR CLOSE_WINDOW ENDING [SCALE]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
program_dir=$(cd "$1" && pwd)
close_window=$2
ending=$3
scale=${4:-1}
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/setup.sh installs xvfb and xdotool)"
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/sudoku-xvfb-XXXXXX")
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
fail() {
    echo "xvfb_play $ending: FAILED: $1 (the working folder $work is kept)"
    [ -f "$work/err.txt" ] && sed 's/^/  stderr: /' "$work/err.txt"
    exit 1
}
cd "$work" || exit 1

# An X server on a free display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display.txt 2>xvfb.txt &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s display.txt ] && break
    sleep 0.1
done
[ -s display.txt ] || fail "Xvfb did not start: $(cat xvfb.txt)"
DISPLAY=":$(head -1 display.txt)"
export DISPLAY
unset QT_QPA_PLATFORM
# In a sanitizer build: leaks of the system libraries a display brings in are not the game's.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# The game in play: four free cells, at (0,0) 5, (1,1) 7, (4,4) 8 and (8,8) 9.
puzzle=".346789126.21953481983425678597614234268.379171392485696153728428741963534528617."
mkdir data
"$program_dir/sudoku-tool" import "$puzzle" -o data/autosave.sdk >/dev/null ||
    fail "sudoku-tool import"
# English options from a short scripted run; Key Select is the first byte of options.cfg.
printf 'wait 3000\n' >options.script
QT_QPA_PLATFORM=offscreen "$program_dir/sudoku" --script options.script --data-dir data \
    --language 0 >/dev/null 2>&1 || fail "the scripted run that writes options.cfg"
if [ "$ending" = term ]; then
    printf '\x02' | dd of=data/options.cfg bs=1 seek=0 conv=notrunc status=none
fi

SUDOKU_TIMING=1 "$program_dir/sudoku" --data-dir data --scale "$scale" >out.txt 2>err.txt &
game_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Судоку$' | head -1)
[ -n "$window" ] || fail "no window appeared"
xdotool windowfocus --sync "$window" 2>/dev/null

# Device point (x, y) of the screen, command bar included, at the window's scale, shown at
# (ox, oy) of the window.
ox=0
oy=0
click() {
    xdotool mousemove --window "$window" $((ox + $1 * scale)) $((oy + $2 * scale)) click 1
}
# Until the window is W x H; else fails, naming WHAT left it otherwise.
wait_size() {
    for _ in $(seq 100); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ] && return 0
        sleep 0.05
    done
    fail "$3 left the window at ${WIDTH}x$HEIGHT"
}
# Until the game shows at least N windows (its main window, and a menu or a dialog).
wait_windows() {
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l)" -ge "$1" ] &&
            return 0
        sleep 0.05
    done
    fail "the game never showed $1 windows"
}
# The middle of board cell (column, row) and of palette digit d, below the 28-pixel bar.
cell() { click $((142 + 21 * $1 + 10)) $((28 + 12 + 21 * $2 + 10)); }
digit() { click $((142 + 21 * ($1 - 1) + 10)) $((28 + 204 + 10)); }
wait_for() { # wait_for TEXT: until the timing hook has written TEXT on standard error
    for _ in $(seq 200); do
        grep -q "$1" err.txt && return 0
        sleep 0.05
    done
    fail "the program never noted '$1'"
}

wait_for "timing splash "
click 240 150
wait_for "timing board "

case "$ending" in
menu)
    cell 0 0
    digit 5
    cell 1 1
    digit 7
    cell 4 4
    digit 8
    xdotool key ctrl+z
    xdotool key F1
    wait_windows 2
    xdotool key Up Return
    expected="5346789126721953481983425678597614234268.379171392485696153728428741963534528617."
    ;;
term)
    # The selection starts at (0,0).
    xdotool key 5 Right Down 7
    sleep 1
    kill -TERM "$game_pid"
    expected="5346789126721953481983425678597614234268.379171392485696153728428741963534528617."
    ;;
close)
    cell 0 0
    digit 5
    cell 8 8
    digit 9
    [ -x "$close_window" ] || fail "no close-window helper at $close_window"
    "$close_window" "$window" || fail "close-window"
    expected="5346789126.21953481983425678597614234268.3791713924856961537284287419635345286179"
    ;;
full)
    xdotool key F11
    wait_size 1280 1024 "F11"
    # 480 x 272 fits 1280 x 1024 twice: 960 x 544, centred.
    scale=2
    ox=160
    oy=240
    cell 0 0
    digit 5
    click 30 14
    wait_windows 2
    click 100 14
    sleep 0.3
    wait_windows 2
    # The Options menu's last item: About, a dialog over the screen.
    xdotool key Up Return
    sleep 0.5
    kill -0 "$game_pid" 2>/dev/null || fail "the Game menu's Save and Exit ran instead of About"
    wait_windows 2
    xdotool key Escape
    sleep 0.3
    # F11 again: the window as it was.
    xdotool key F11
    wait_size 480 272 "F11 again"
    xdotool key F1
    wait_windows 2
    xdotool key Up Return
    expected="5346789126.21953481983425678597614234268.379171392485696153728428741963534528617."
    ;;
*)
    fail "no ending named '$ending'"
    ;;
esac

for _ in $(seq 200); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$game_pid" 2>/dev/null && fail "the program did not end"
wait "$game_pid"
status=$?
game_pid=
[ $status -eq 0 ] || fail "exit status $status"

board=$("$program_dir/sudoku-tool" export data/autosave.sdk | sed -n 2p) ||
    fail "the autosave does not load"
[ "$board" = "$expected" ] || fail "the autosave holds $board, not $expected"
[ "$(stat -c %s data/options.cfg)" = 140 ] || fail "options.cfg is not 140 bytes"
echo "xvfb_play $ending at scale $scale: the autosave holds the moves played ($board)"
rm -rf "$work"
