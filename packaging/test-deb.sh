#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 (bookworm) system and plays it there: a
# minimal root made by debootstrap from this machine's Debian mirror, `apt-get install` of the
# package inside it (which brings every run-time dependency), then, as an ordinary user,
# sudoku-tool and a scripted game with no display. Needs root, debootstrap and the network to
# the mirror; takes a few minutes.
#   packaging/test-deb.sh [PACKAGE.deb]     default: build one with packaging/build-deb.sh
#   KEEP_ROOT=1 keeps the system (its path is printed) for a look inside.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "test-deb.sh: needs root (debootstrap and chroot)" >&2
    exit 2
fi
command -v debootstrap >/dev/null || {
    echo "test-deb.sh: needs debootstrap (apt-get install debootstrap)" >&2
    exit 2
}
deb=${1:-}
if [ -z "$deb" ]; then
    deb=$("$here/build-deb.sh" | tail -n 1)
fi
[ -f "$deb" ] || {
    echo "test-deb.sh: no package $deb" >&2
    exit 2
}

# The mirror this machine installs Debian from: the first one of its sources that serves
# bookworm, in the one-line or the deb822 form.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && $0 ~ / bookworm / && $0 !~ /security/ {
        for (i = 2; i <= NF; i++) if ($i ~ /^https?:/) { print $i; exit } }' || true)
if [ -z "$mirror" ]; then
    mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '
        /^URIs:/ { uri = $2 }
        /^Suites:/ && / bookworm( |$)/ && uri !~ /security/ { print uri; exit }' || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

root=$(mktemp -d /var/tmp/sudoku-deb-test.XXXXXX)
chmod 755 "$root"
mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    if [ -n "${KEEP_ROOT:-}" ]; then
        echo "test-deb.sh: the system is kept in $root"
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT

step() { printf '\n== %s\n' "$*"; }

step "debootstrap bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || {
    tail -n 20 "$root.log"
    exit 1
}
rm -f "$root.log"
echo "a minimal system of $(chroot "$root" dpkg-query -W | wc -l) packages"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" \
    >"$root/tmp/install.log" 2>&1 || {
    tail -n 30 "$root/tmp/install.log"
    exit 1
}
grep -E "newly installed|^Setting up sudoku" "$root/tmp/install.log"
in_root dpkg-query -W -f='${Package} ${Version}\n  Depends: ${Depends}\n  Recommends: ${Recommends}\n' sudoku

step "as a player: sudoku-tool and a scripted game"
in_root useradd --create-home player
# The player's home inside the fresh system (not on this machine).
home=$(in_root getent passwd player | cut -d: -f6)
as_player() {
    chroot --userspec=player:player "$root" env -i PATH=/usr/bin:/bin:/usr/games HOME="$home" \
        LANG=C.UTF-8 "$@"
}
cat >"$root$home/play.txt" <<SCRIPT
wait 3000
command 32785
screenshot $home/board.png
SCRIPT
echo "\$ sudoku-tool generate --level 30"
puzzle=$(as_player sudoku-tool generate --level 30)
echo "$puzzle"
echo "\$ sudoku-tool check PUZZLE"
as_player sudoku-tool check "$puzzle"
echo "\$ sudoku-tool import PUZZLE -o ~/new.sdk"
as_player sudoku-tool import "$puzzle" -o "$home/new.sdk"
echo "\$ sudoku --script play.txt --language 0 new.sdk   (no display: Qt's offscreen platform)"
status=0
as_player sudoku --script "$home/play.txt" --language 0 "$home/new.sdk" || status=$?
echo "exit status $status"
[ $status -eq 0 ]
echo "\$ ls -l ~/.local/share/sudoku ~/board.png"
in_root ls -l "$home/.local/share/sudoku" "$home/board.png"
data=$root$home/.local/share/sudoku
[ "$(stat -c %s "$data/autosave.sdk")" -eq 1811 ]
[ "$(stat -c %s "$data/options.cfg")" -eq 140 ]
# The screenshot is a PNG of the 480 x 272 device screen.
[ "$(od -An -tx1 -N8 "$root$home/board.png" | tr -d ' ')" = 89504e470d0a1a0a ]
[ "$(od -An -tu1 -j16 -N8 "$root$home/board.png" | tr -s ' ')" = " 0 0 1 224 0 0 1 16" ]
echo "\$ sudoku-tool show ~/.local/share/sudoku/autosave.sdk | head -n 2"
as_player sudoku-tool show "$home/.local/share/sudoku/autosave.sdk" | head -n 2
[ "$(as_player sudoku-tool export "$home/.local/share/sudoku/autosave.sdk" | head -n 1)" = \
    "$puzzle" ]
echo "\$ dpkg -L sudoku | grep -E 'games/|man6/|applications/|metainfo/|mime/|48x48'"
in_root dpkg -L sudoku | grep -E 'games/|man6/|applications/|metainfo/|mime/|48x48'

step "passed: the package installs on a fresh bookworm system and the game and the tool run"
