#!/usr/bin/env bash
# Builds the browser edition with Debian's emscripten into build-web/: build-web/bin/sudoku-node,
# the script mode under node, and build-web/site/, the browser edition to serve from a web
# server (scripts/web-serve.sh). Arguments are passed on to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds the node modules of its linker there; its library cache is part of
# the package and is used as it is (no EM_CACHE), so nothing is fetched.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DSUDOKU_WERROR=ON "$@"
cmake --build build-web -j"$(nproc 2>/dev/null || echo 2)"
