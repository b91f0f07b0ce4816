#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal build, then the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUDOKU_WERROR=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

if [ "${SUDOKU_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSUDOKU_WERROR=ON \
        -DSUDOKU_SANITIZE=address,undefined -DSUDOKU_BENCH=OFF
    cmake --build build-asan -j"$jobs"
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs")
fi
