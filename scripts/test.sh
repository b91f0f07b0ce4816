#!/usr/bin/env bash
# Installs what is missing, checks the sources, builds everything and runs every test: the
# normal build; the browser edition (scripts/web-build.sh) with the end-to-end scripts run
# through its sudoku-node and its site played in headless Chromium (tests/web/suite.js); then
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
#
# The source checks come first and fail the script:
#   - formatting: every tracked .cpp and .h file (test data aside) as clang-format formats it;
#   - Qt stays in its layers: only platform/qt/, shell/, tools/artgen/ and tools/glyphs/, and
#     the tests of those folders (tests/platform_qt/, tests/shell/, tests/artgen/) and the screen benchmark
#     (bench/qt/), include Qt headers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' ':!:tests/data/**')
if [ ${#sources[@]} -eq 0 ]; then
    echo "test.sh: no sources listed by git ls-files (run it in a git checkout)" >&2
    exit 1
fi
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "test.sh: files not formatted as .clang-format says; run clang-format -i on them" >&2
    exit 1
fi
qt_allowed='^(platform/qt|shell|tools/artgen|tools/glyphs|tests/platform_qt|tests/shell|tests/artgen|bench/qt)/'
mapfile -t qt_users < <(grep -lE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q' \
    "${sources[@]}" | grep -vE "$qt_allowed" || true)
if [ ${#qt_users[@]} -gt 0 ]; then
    echo "test.sh: Qt headers included outside platform/qt/, shell/, tools/artgen/, their tests and bench/qt/:" >&2
    printf '  %s\n' "${qt_users[@]}" >&2
    exit 1
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUDOKU_WERROR=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

scripts/web-build.sh
SUDOKU_E2E_PROGRAM="$PWD/build-web/bin/sudoku-node" build/tests/e2e/e2e_tests \
    --gtest_filter='Cases/Scripts.*:Names/ScriptOnStandardInput.*'
node tests/web/suite.js
node tests/web/more.js

if [ "${SUDOKU_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSUDOKU_WERROR=ON \
        -DSUDOKU_SANITIZE=address,undefined -DSUDOKU_BENCH=OFF
    cmake --build build-asan -j"$jobs"
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs")
fi
