#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it with the arguments given
# (e.g. scripts/run.sh --scale 2, or scripts/run.sh --script play.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target sudoku -j"$(nproc 2>/dev/null || echo 2)"
exec build/bin/sudoku "$@"
