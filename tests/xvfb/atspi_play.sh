#!/usr/bin/env bash
# The window read by a screen reader's way in: on an X server (Xvfb) and a private D-Bus session
# with the accessibility bus, the game opens a saved game (made with sudoku-tool) in a fresh data
# folder, in English and then in German, and atspi_check.py reads and plays it over AT-SPI.
#
#   atspi_play.sh PROGRAM_DIR
#
# Each run ends with SIGTERM, which the game must end in its orderly way (status 0).
# SUDOKU_XVFB_DISPLAY=N uses display :N instead of a free one. Exit status 77 (skipped) only when
# the accessibility bus cannot start.
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: atspi_play.sh PROGRAM_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
program_dir=$(cd "$1" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
if [ ! -x "$launcher" ]; then
    echo "SKIPPED: the accessibility bus cannot start: $launcher is missing"
    exit 77
fi
for tool in Xvfb dbus-run-session dbus-send /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "atspi_play: FAILED: $tool is missing (scripts/setup.sh installs it)"
        exit 1
    fi
done
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

work=$(mktemp -d "${TMPDIR:-/tmp}/sudoku-atspi-XXXXXX")
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
cd "$work" || exit 1

if [ -n "${SUDOKU_XVFB_DISPLAY:-}" ]; then
    Xvfb ":$SUDOKU_XVFB_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 2>xvfb.txt &
    xvfb_pid=$!
    echo "$SUDOKU_XVFB_DISPLAY" >display.txt
    sleep 1
else
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display.txt 2>xvfb.txt &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s display.txt ] && break
        sleep 0.1
    done
fi
if [ ! -s display.txt ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "atspi_play: FAILED: Xvfb did not start"
    sed "s/^/  xvfb: /" xvfb.txt
    exit 1
fi
export DISPLAY=":$(head -1 display.txt)"

puzzle=28714..69.9382...1.4.937528..85...949...7218.412.89..38793516.2.5.....1.124..8935
"$program_dir/sudoku-tool" import "$puzzle" -o game.sdk >/dev/null || exit 1

# One session bus for both languages' runs; the accessibility bus comes up on it.
export program_dir here puzzle launcher
dbus-run-session -- bash -c '
    "$launcher" --launch-immediately >launcher.txt 2>&1 &
    launcher_pid=$!
    up=
    for _ in $(seq 50); do
        if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1; then
            up=1
            break
        fi
        sleep 0.1
    done
    if [ -z "$up" ]; then
        echo "SKIPPED: the accessibility bus did not start"
        kill "$launcher_pid" 2>/dev/null
        exit 77
    fi
    status=0
    for language in 0 3; do
        rm -rf "data$language" && mkdir "data$language"
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
            "$program_dir/sudoku" --data-dir "data$language" --language "$language" \
            game.sdk >"game$language.txt" 2>&1 &
        game_pid=$!
        /usr/bin/python3 "$here/atspi_check.py" "$puzzle" "$language"
        result=$?
        kill "$game_pid" 2>/dev/null
        wait "$game_pid"
        ended=$?
        if [ "$ended" -ne 0 ]; then
            echo "FAIL the game ended with status $ended on SIGTERM"
            result=1
        fi
        if [ "$result" -eq 77 ]; then
            status=77
            break
        fi
        if [ "$result" -ne 0 ]; then
            status=1
            sed "s/^/  game: /" "game$language.txt"
        fi
    done
    kill "$launcher_pid" 2>/dev/null
    exit "$status"
'
status=$?
[ "$status" -eq 0 ] && rm -rf "$work"
exit "$status"
