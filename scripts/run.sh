#!/usr/bin/env bash
# Installs what is missing, builds and starts the program with the arguments given.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
exec build/bin/sudoku-tool "$@"
