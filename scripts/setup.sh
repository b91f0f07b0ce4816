#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run, when they are missing.
# The one list of packages; both quick-start commands call this.
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
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
