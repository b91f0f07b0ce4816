#!/usr/bin/env bash
# Killed while saving: the program is ended with SIGKILL at random moments of a scripted run
# that writes the autosave and the options at its end. Afterwards each file must be whole:
# byte for byte the one before the run or the one a run that is not killed writes, never a
# mixture or a cut.
#
#   killed_while_saving.sh PROGRAM_DIR RUNS [SEED]
#
# Half the runs start from the files of an earlier session, half from an empty data folder
# (where the whole "before" is no file, or the empty options.cfg the game makes as it starts).
# Most kills fall near the end of a run, where the files are written; a kill inside a write
# leaves the program's temporary file behind, which is counted and removed. SEED (default 1)
# makes the moments reproducible. Exit status 1 when a file was torn.
set -uo pipefail

if [ $# -lt 2 ]; then
    echo "usage: killed_while_saving.sh PROGRAM_DIR RUNS [SEED]" >&2
    exit 2
fi
sudoku="$(cd "$1" && pwd)/sudoku"
runs=$2
RANDOM=${3:-1}
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d "${TMPDIR:-/tmp}/sudoku-kill-XXXXXX")
cd "$work" || exit 1
files=(autosave.sdk options.cfg)

# The earlier session: an Expert game in English. The run that is killed: the splash, then an
# Easy game in German, and the end.
printf 'wait 3000\ncommand 32776\nwait 5000\nexit\n' >old.script
printf 'wait 3000\nanswer yes\ncommand 32773\nwait 7000\nexit\n' >new.script
play() { # play DATA_FOLDER: the run that is killed, in this process (its id is the program's)
    exec "$sudoku" --script new.script --data-dir "$1" --seed 2 --language 3 >/dev/null 2>&1
}

mkdir old empty
duration=0
"$sudoku" --script old.script --data-dir old --seed 1 --language 0 >/dev/null 2>&1 || {
    echo "killed_while_saving: the earlier session did not run"
    exit 1
}
# What an uninterrupted run writes from each start, twice, to see that it is always the same;
# and how long the longest of these runs takes.
for start in old empty; do
    for copy in 1 2; do
        rm -rf "new-$start-$copy"
        cp -a "$start" "new-$start-$copy"
        begin=$(date +%s%N)
        (play "new-$start-$copy") || {
            echo "killed_while_saving: the run from '$start' failed"
            exit 1
        }
        took=$((($(date +%s%N) - begin) / 1000000))
        [ "$took" -gt "${duration:-0}" ] && duration=$took
    done
    for f in "${files[@]}"; do
        if ! cmp -s "new-$start-1/$f" "new-$start-2/$f"; then
            echo "killed_while_saving: two runs from '$start' wrote different $f"
            exit 1
        fi
        if cmp -s "$start/$f" "new-$start-1/$f"; then
            echo "killed_while_saving: the run from '$start' did not change $f"
            exit 1
        fi
    done
done

# What a file is after a kill: old, new, none, empty (made by the game as it starts, where there
# was none), or torn.
state() { # state FILE START
    if [ ! -e "data/$1" ]; then
        [ -e "$2/$1" ] && echo torn || echo none
    elif [ -e "$2/$1" ] && cmp -s "data/$1" "$2/$1"; then
        echo old
    elif [ ! -e "$2/$1" ] && [ ! -s "data/$1" ]; then
        echo empty
    elif cmp -s "data/$1" "new-$2-1/$1"; then
        echo new
    else
        echo torn
    fi
}

declare -A tally
torn=0
inside=0
for ((i = 1; i <= runs; i++)); do
    start=$([ $((i % 2)) -eq 0 ] && echo empty || echo old)
    rm -rf data
    cp -a "$start" data
    # A quarter anywhere in the run, the rest over its last 30 % and a little beyond.
    if [ $((RANDOM % 4)) -eq 0 ]; then
        delay=$((RANDOM * duration / 32768))
    else
        delay=$((duration * 7 / 10 + RANDOM * duration * 4 / 10 / 32768))
    fi
    (play data) &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    leftovers=$(find data -name '.*.tmp*' | wc -l)
    if [ "$leftovers" -gt 0 ]; then
        inside=$((inside + 1))
        find data -name '.*.tmp*' -delete
    fi
    line="$start:"
    for f in "${files[@]}"; do
        s=$(state "$f" "$start")
        line+=" $f $s"
        if [ "$s" = torn ]; then
            torn=$((torn + 1))
            cp "data/$f" "torn-$i-$f" 2>/dev/null
        fi
    done
    tally[$line]=$((${tally[$line]:-0} + 1))
done

echo "killed while saving: $runs runs (a run takes about $duration ms; SIGKILL after 0..$((duration * 11 / 10)) ms)"
for line in "${!tally[@]}"; do
    echo "  ${tally[$line]} x $line"
done | sort -k3
echo "  $inside killed inside a write (a temporary file was left)"
echo "  torn files: $torn"
if [ $torn -gt 0 ]; then
    echo "killed_while_saving: torn files are kept in $work"
    exit 1
fi
rm -rf "$work"
