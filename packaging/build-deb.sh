#!/usr/bin/env bash
# Builds the Debian package: the programs with Debian's build flags (hardening included), then
# `cpack -G DEB`, then lintian on the result when lintian is installed. The last line printed
# is the package's path.
#   packaging/build-deb.sh [BUILD_DIR]      BUILD_DIR defaults to build-deb/ in the source tree
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-deb}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
# Build type None: Debian's flags alone decide optimisation and debugging information (the
# package's binaries are stripped).
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DSUDOKU_INSTALL_BINDIR=games -DSUDOKU_TESTS=OFF -DSUDOKU_BENCH=OFF \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -f "$build"/sudoku_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/sudoku_*.deb)

if command -v lintian >/dev/null; then
    # Errors fail the build; warnings and the rest are shown.
    lintian --fail-on error --display-info "$deb"
else
    echo "build-deb.sh: lintian is not installed; the package is not checked" >&2
fi
echo "$deb"
