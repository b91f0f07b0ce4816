#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run, when they are missing,
# and the browser tests' node package (tests/web, from its package-lock.json). The one list of
# packages; both quick-start commands call this.
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
    fonts-wqy-microhei fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev clang-format
    libpng-dev
    xvfb xdotool
    dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream shared-mime-info groff-base man-db lintian
    debootstrap netpbm
    emscripten nodejs chromium
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
# Debian's nodejs leaves npm to a package of its own; other builds of node bring it along.
if ! command -v npm >/dev/null; then
    missing+=(npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=()
    if [ "$(id -u)" -ne 0 ]; then
        SUDO=(sudo)
    fi
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# playwright-core for tests/web, as its lock file pins it (it drives Debian's chromium).
web_tests="$(dirname "$0")/../tests/web"
if [ ! -d "$web_tests/node_modules/playwright-core" ] ||
    [ "$web_tests/package-lock.json" -nt "$web_tests/node_modules/.package-lock.json" ]; then
    (cd "$web_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi
