#!/usr/bin/env bash
# Solving speed of `sudoku-tool solve` against Debian's `qqwing --solve` on the same puzzle sets.
#
#   bench/compare-qqwing.sh [--reps N] [PUZZLE_DIR]
#
# Installs qqwing when it is missing (apt-get, through sudo when not root) and builds
# sudoku-tool when it is missing or stale (build folder: $SUDOKU_BUILD_DIR, default build/).
# Each set is solved by both programs in turn, N times each (default 7), timing the whole
# process; the table gives puzzles per second from the best run of each, the ratio
# sudoku-tool / qqwing from the best runs and from the median runs, the ratio of the best
# runs less each program's start-up time (its best run on an empty file: a fixed cost that
# weighs heavily on the small sets), and how many output lines of the two agree.
# Puzzle folder: the argument, else $SUDOKU_PUZZLES, else ../shared/data/puzzles beside the
# source tree.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
reps=7
dir=""
while [ $# -gt 0 ]; do
    case "$1" in
        --reps) reps=$2; shift 2 ;;
        --reps=*) reps=${1#--reps=}; shift ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        *) dir=$1; shift ;;
    esac
done
if [ -z "$dir" ]; then
    dir=${SUDOKU_PUZZLES:-$root/../shared/data/puzzles}
fi
if [ ! -d "$dir" ]; then
    echo "compare-qqwing: no puzzle folder at $dir" >&2
    exit 1
fi

if ! command -v qqwing >/dev/null 2>&1; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing qqwing" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends qqwing
fi

build=${SUDOKU_BUILD_DIR:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target sudoku-tool >/dev/null
tool=$build/bin/sudoku-tool

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name, file, number of lines (0: all)
sets=(
    "exchange_easy sudoku_exchange_easy_500.txt 0"
    "exchange_medium sudoku_exchange_medium_500.txt 0"
    "exchange_hard sudoku_exchange_hard_500.txt 0"
    "exchange_diabolical sudoku_exchange_diabolical_500.txt 0"
    "forum_hardest_1106 forum_hardest_1106.txt 0"
    "magictour_top1465 magictour_top1465.txt 0"
    "17_clue_first2000 17_clue.txt 2000"
    "serg_benchmark serg_benchmark.txt 0"
)

# Runs a command with standard input and output redirected; prints its wall time in
# microseconds.
timed() {
    local input=$1 output=$2
    shift 2
    local t0=$EPOCHREALTIME
    "$@" <"$input" >"$output"
    local t1=$EPOCHREALTIME
    echo $(( ${t1/./} - ${t0/./} ))
}

# Best and median of the numbers on standard input.
best_and_median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[1], v[int((NR + 1) / 2)] }'
}

: >"$work/empty.txt"
: >"$work/q.times"
: >"$work/t.times"
for _ in $(seq "$reps"); do
    timed "$work/empty.txt" /dev/null qqwing --solve --one-line >>"$work/q.times"
    timed /dev/null /dev/null "$tool" solve "$work/empty.txt" >>"$work/t.times"
done
read -r qstart _ < <(best_and_median <"$work/q.times")
read -r tstart _ < <(best_and_median <"$work/t.times")

echo "Puzzle sets from $dir; sudoku-tool $tool; $(qqwing --version 2>/dev/null | head -1); $reps runs each"
echo "Start-up (best run on an empty file): qqwing ${qstart} us, sudoku-tool ${tstart} us"
printf '%-20s %6s %12s %12s %8s %8s %8s %10s\n' set puzzles "qqwing p/s" "tool p/s" ratio \
    "ratio50" "ratio-st" agree
for entry in "${sets[@]}"; do
    read -r name file lines <<<"$entry"
    if [ ! -f "$dir/$file" ]; then
        printf '%-20s missing %s\n' "$name" "$dir/$file"
        continue
    fi
    input=$work/$name.txt
    if [ "$lines" -gt 0 ]; then
        head -n "$lines" "$dir/$file" >"$input"
    else
        cp "$dir/$file" "$input"
    fi
    count=$(grep -c . "$input")
    : >"$work/q.times"
    : >"$work/t.times"
    for _ in $(seq "$reps"); do
        timed "$input" "$work/q.out" qqwing --solve --one-line >>"$work/q.times"
        timed /dev/null "$work/t.out" "$tool" solve "$input" >>"$work/t.times"
    done
    read -r qbest qmed < <(best_and_median <"$work/q.times")
    read -r tbest tmed < <(best_and_median <"$work/t.times")
    agree=$(paste -d' ' "$work/q.out" "$work/t.out" | awk '$1 == $2 { n++ } END { print n + 0 }')
    awk -v n="$name" -v c="$count" -v qb="$qbest" -v qm="$qmed" -v tb="$tbest" -v tm="$tmed" \
        -v q0="$qstart" -v t0="$tstart" -v a="$agree" 'BEGIN {
            qw = qb - q0; tw = tb - t0
            rs = (qw > 0 && tw > 0) ? sprintf("%8.3f", qw / tw) : "       -"
            printf "%-20s %6d %12.0f %12.0f %8.3f %8.3f %s %10s\n", n, c, c / qb * 1e6, c / tb * 1e6,
                qb / tb, qm / tm, rs, a "/" c
        }'
done
