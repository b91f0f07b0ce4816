#!/usr/bin/env bash
# Times the real game window under an X server: from the start of the process to the first
# paint of the splash, from the splash's end to the board, from a mouse click to its repaint,
# and the resident memory after a played game; then, in one more run, the resident memory after
# MOVES moves (an arrow key and a digit key each, in Key Select).
#   bench/window-timing.sh [BUILD_DIR] [RUNS] [MOVES]     (default build/, 5 runs, 10000 moves)
# Uses $DISPLAY when set, else starts Xvfb on a free display. The program prints its moments
# (SUDOKU_TIMING) on standard error; the start is taken just before the program is started.
set -euo pipefail
# A desktop session always has a D-Bus session bus; without one, Qt's first window makes libdbus
# start a bus of its own (dbus-launch), which no player's start pays for.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-5}
moves=${3:-10000}
sudoku=$build/bin/sudoku
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 120); do
        if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            xvfb_pid=$!
            export DISPLAY=:$n
            break
        fi
    done
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

# The moment of EVENT (nanoseconds) in a run's log.
moment() { awk -v e="$1" '$1 == "timing" && $2 == e { print $3; exit }' "$2"; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b - a) / 1e6 }'; }

printf '%-5s %14s %16s %14s %12s\n' run start-splash splash-end-board click-repaint rss-MB
for run in $(seq "$runs"); do
    data=$work/data$run
    mkdir -p "$data"
    log=$work/log$run
    start=$(date +%s%N)
    SUDOKU_TIMING=1 "$sudoku" --data-dir "$data" --language 0 --scale 1 --seed "$run" \
        2>"$log" &
    pid=$!
    for _ in $(seq 100); do grep -q '^timing splash ' "$log" && break; sleep 0.05; done
    window=$(xdotool search --sync --pid "$pid" | head -n 1)
    # End the splash with a click on the board, then play: taps on cells and palette digits.
    xdotool mousemove --window "$window" 240 150 click 1
    for _ in $(seq 100); do grep -q '^timing board ' "$log" && break; sleep 0.05; done
    for cell in 0 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$window" $((142 + cell * 21 + 10)) $((28 + 12 + cell * 21 + 10)) \
            click 1 mousemove --window "$window" $((142 + cell * 21 + 10)) $((28 + 204 + 10)) click 1
        sleep 0.05
    done
    sleep 0.3
    rss=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" || true
    # Click to repaint: the median over the run's taps of press handling to repaint done.
    clicks=$(awk '$1 == "timing" && $2 == "tap-press" { p = $3 }
                  $1 == "timing" && $2 == "tap" { printf "%.3f\n", ($3 - p) / 1e6 }' "$log" |
             sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
    printf '%-5s %14s %16s %14s %12s\n' "$run" \
        "$(ms "$start" "$(moment splash "$log")")" \
        "$(ms "$(moment splash-end "$log")" "$(moment board "$log")")" "$clicks" "$rss"
done
echo "(milliseconds; click-repaint is the median over the run's taps, from the handling of the"
echo " mouse press to the window's repaint; rss after 18 taps of a game in play)"

# Many moves in Key Select: an arrow along the top row and a digit each. The top row alone never
# finishes the board, so no message box stops the keys; digits may land on givens or be flagged
# as illegal, as a player's would. After each batch a tap on the board (it only selects in Key
# Select) shows, once its repaint is logged, that every key before it has been handled.
[ "$moves" -gt 0 ] || exit 0
data=$work/data-moves
mkdir -p "$data"
log=$work/log-moves
start_game() {
    SUDOKU_TIMING=1 "$sudoku" --data-dir "$data" --language 0 --scale 1 --seed 1 2>"$log" &
    pid=$!
    for _ in $(seq 100); do grep -q '^timing splash ' "$log" && break; sleep 0.05; done
    window=$(xdotool search --sync --pid "$pid" | head -n 1)
    xdotool mousemove --window "$window" 240 150 click 1
    for _ in $(seq 100); do grep -q '^timing board ' "$log" && break; sleep 0.05; done
}
start_game
kill -TERM "$pid"
wait "$pid" || true
printf '\x02' | dd of="$data/options.cfg" bs=1 conv=notrunc status=none
start_game
taps=0
sync_taps() {
    taps=$((taps + 1))
    xdotool mousemove --window "$window" 152 50 click 1
    for _ in $(seq 600); do
        [ "$(grep -c '^timing tap ' "$log" || true)" -ge "$taps" ] && return
        sleep 0.05
    done
}
xdotool key --window "$window" Right 5
sync_taps
sleep 0.3
before=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
done_moves=1
t0=$(date +%s%N)
while [ "$done_moves" -lt "$moves" ]; do
    keys=()
    for i in $(seq 500); do
        keys+=(Right $(((done_moves + i * 4) % 9 + 1)))
    done
    xdotool key --delay 0 "${keys[@]}"
    done_moves=$((done_moves + 500))
    sync_taps
done
t1=$(date +%s%N)
sleep 0.3
after=$(awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
kill -TERM "$pid"
wait "$pid" || true
echo
echo "moves: $done_moves in Key Select, handled in $(ms "$t0" "$t1") ms;" \
    "rss ${before} MB after one move, ${after} MB after all"
