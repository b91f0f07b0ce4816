#!/usr/bin/env bash
# Runs every libFuzzer target, one after another, to a number of executions, and prints the
# count each one reached. Usage: scripts/fuzz.sh [RUNS] [FUZZER...]
#   RUNS     executions per fuzzer (default 10000000)
#   FUZZER   bmp_fuzz, savegame_fuzz, options_fuzz, script_fuzz (default: all four)
# The fuzzers are built in build-fuzz/ with clang (SUDOKU_FUZZ=ON). Each starts from its seeds
# and keeps what it finds in build-fuzz/tests/fuzz/NAME_corpus; its whole output is in
# build-fuzz/tests/fuzz/NAME.log, and a crashing input is left as build-fuzz/tests/fuzz/crash-*.
# The exit status is 1 when a fuzzer found a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10000000}
shift || true
fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
    fuzzers=(bmp_fuzz savegame_fuzz options_fuzz script_fuzz)
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DSUDOKU_FUZZ=ON -DSUDOKU_BENCH=OFF \
    -DSUDOKU_WERROR=ON >/dev/null
cmake --build build-fuzz -j2 --target "${fuzzers[@]}" >/dev/null

seeds() {
    case "$1" in
    bmp_fuzz) echo tests/data/bmpsuite/g tests/data/bmpsuite/q tests/data/bmpsuite/b \
        tests/data/bmpsuite/x ;;
    savegame_fuzz) echo tests/data/fuzz/savegame ;;
    options_fuzz) echo tests/data/fuzz/options ;;
    script_fuzz) echo tests/data/fuzz/script tests/e2e/cases ;;
    *)
        echo "fuzz.sh: no fuzzer named $1" >&2
        exit 2
        ;;
    esac
}

out=build-fuzz/tests/fuzz
status=0
for name in "${fuzzers[@]}"; do
    read -r -a folders <<<"$(seeds "$name")"
    corpus="$out/${name}_corpus"
    mkdir -p "$corpus"
    start=$(date +%s)
    if "$out/$name" -runs="$runs" -print_final_stats=1 -artifact_prefix="$out/" \
        "$corpus" "${folders[@]}" >"$out/$name.log" 2>&1; then
        result=ok
    else
        result="CRASH (see $out/$name.log)"
        status=1
    fi
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log" | tail -1)
    echo "$name: ${done_runs:-?} executions in $(($(date +%s) - start)) s, $result"
done
exit $status
