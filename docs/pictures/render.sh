#!/usr/bin/env bash
# Renders the README's pictures of the three skins from the sample game in this folder.
#   docs/pictures/render.sh [BUILD_DIR]      (default: build/)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
tool=$build/bin/sudoku-tool
# Paper: Cell Select with a hint; Sand: Number Select with crosshatching on the number 5;
# Steel: Cell Select with Limit Numbers. Every picture also shows the clock.
"$tool" render "$here/sample.sdk" -o "$here/paper.png" --options "$here/paper.cfg" --clock --hint 8 0
"$tool" render "$here/sample.sdk" -o "$here/sand.png" --options "$here/sand.cfg" --clock
"$tool" render "$here/sample.sdk" -o "$here/steel.png" --options "$here/steel.cfg" --clock
"$tool" render "$here/sample.sdk" -o "$here/paper-320x240.png" --options "$here/paper.cfg" \
    --screen 320x240
