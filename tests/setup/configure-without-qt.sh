#!/usr/bin/env bash
# Configuring the source tree where Qt 6 cannot be found stops at once, with one line that
# names what is missing and the set-up script, before any target is generated.
# Usage: configure-without-qt.sh SOURCE_DIR
set -u
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

output=$(cmake -S "$source_dir" -B "$scratch/build" -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON 2>&1)
status=$?
fail() {
    echo "FAIL: $1"
    echo "$output"
    exit 1
}
[ "$status" -ne 0 ] || fail "configuring without Qt succeeded"
line="Qt 6 not found (Qt6Core Qt6Gui Qt6Widgets Qt6Multimedia Qt6Network): scripts/setup.sh installs it"
[ "$(grep -cF "$line" <<<"$output")" -eq 1 ] || fail "no line naming Qt and scripts/setup.sh"
if grep -q "Target .* links to\|Generating done\|artwork generator" <<<"$output"; then
    fail "configuration went on past the missing Qt"
fi
echo "configuring without Qt stops with: $line"
