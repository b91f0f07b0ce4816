#!/usr/bin/env bash
# Soak: random scripts of many events run by `sudoku --script`, one per seed. Each run must end
# with exit status 0, no line the program did not understand, nothing from a sanitizer on
# standard error, and an autosave and options that load again: sudoku-tool reads both, and a
# second start of the game resumes them without a word. Odd seeds play on the 480 x 272
# screen, even ones on the 320 x 240 one.
#
#   soak.sh PROGRAM_DIR SOAK_SCRIPT EVENTS SEED...
#
# PROGRAM_DIR holds sudoku and sudoku-tool (a build's bin/; build-asan/bin/ for the sanitizers),
# SOAK_SCRIPT is the generator (soak-script). Each seed gets its own working folder below
# $TMPDIR; a failed run keeps it and names it.
set -uo pipefail

if [ $# -lt 4 ]; then
    echo "usage: soak.sh PROGRAM_DIR SOAK_SCRIPT EVENTS SEED..." >&2
    exit 2
fi
program_dir=$(cd "$1" && pwd)
generator=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
events=$3
shift 3
sudoku="$program_dir/sudoku"
tool="$program_dir/sudoku-tool"
export QT_QPA_PLATFORM=offscreen

# A puzzle with a few free cells, for the saved game the file answers name.
puzzle=".346789126.21953481983425678597614234268.379171392485696153728428741963534528617."
sanitizer='AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|runtime error:'

failures=0
fail() {
    echo "soak seed $seed: FAILED: $1 (kept in $work)"
    failures=$((failures + 1))
}
for seed in "$@"; do
    work=$(mktemp -d "${TMPDIR:-/tmp}/sudoku-soak-$seed-XXXXXX")
    (
        cd "$work" || exit 1
        mkdir -p data saves shots folder
        "$tool" import "$puzzle" -o game.sdk >/dev/null || exit 1
        head -c 1000 game.sdk >short.sdk
        head -c 1811 /dev/urandom >damaged.sdk
        ln -s nowhere/x.sdk dangling.sdk
        "$generator" "$seed" "$events" >soak.script
    ) || {
        fail "could not prepare the working folder"
        continue
    }

    # Odd seeds play on the 480 x 272 screen, even ones on the 320 x 240 one.
    screen=$([ $((seed % 2)) -eq 1 ] && echo 480x272 || echo 320x240)
    start=$(date +%s%N)
    (cd "$work" && "$sudoku" --script soak.script --data-dir data --seed "$seed" \
        --screen "$screen" >log.txt 2>err.txt)
    status=$?
    ms=$((($(date +%s%N) - start) / 1000000))

    if [ $status -ne 0 ]; then
        fail "exit status $status"
        tail -5 "$work/err.txt"
        continue
    fi
    if grep -qE "$sanitizer" "$work/err.txt"; then
        fail "a sanitizer spoke"
        grep -m5 -E "$sanitizer" "$work/err.txt"
        continue
    fi
    if grep -q '^error ' "$work/log.txt"; then
        fail "a line was not carried out"
        grep -m5 '^error ' "$work/log.txt"
        continue
    fi
    if ! (cd "$work" && "$tool" show data/autosave.sdk >show.txt 2>&1 &&
        "$tool" stats data/options.cfg >stats.txt 2>&1); then
        fail "sudoku-tool cannot read what was saved"
        cat "$work/show.txt" "$work/stats.txt"
        continue
    fi
    # The game itself takes both files back: no refusal on a second start.
    printf 'wait 3000\n' >"$work/again.script"
    if ! (cd "$work" && "$sudoku" --script again.script --data-dir data --screen "$screen" \
        >again.txt 2>&1) ||
        grep -qE "a new game starts|start from their defaults|$sanitizer" "$work/again.txt"; then
        fail "the saved files were not taken back"
        cat "$work/again.txt"
        continue
    fi

    messages=$(grep -c '^message ' "$work/log.txt")
    dialogs=$(grep -cE '^dialog [0-9]+$' "$work/log.txt")
    printf 'soak seed %s (%s): %s events in %d.%03d s, exit 0, %s messages, %s dialogs, %s' \
        "$seed" "$screen" "$events" $((ms / 1000)) $((ms % 1000)) "$messages" "$dialogs" \
        $'no sanitizer report, autosave and options load again\n'
    rm -rf "$work"
done
[ $failures -eq 0 ]
