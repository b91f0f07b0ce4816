#!/usr/bin/env bash
# Installs the build into a fresh prefix and plays the installed game as a user would: the
# tree holds what the desktop expects, the programs start through their links in BINDIR, and
# the game keeps its files in $XDG_DATA_HOME/sudoku, never in its installation, even one its
# user may write. A saved game named on the command line is the game in play once the game has
# started.
#   install.sh BUILD_DIR BINDIR APP_ID
set -euo pipefail
build=$1
bindir=$2
id=$3
puzzle=7............9.3.1236..8749.....32.7..26.94..8175.29.6.48.61...62..8719......5.8.

root=$(mktemp -d)
cleanup() {
    chmod -R u+w "$root" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT
chmod 755 "$root"
fail() {
    echo "FAIL: $*"
    exit 1
}

prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >"$root/install.log" ||
    fail "cmake --install: $(cat "$root/install.log")"

# The tree.
expected=(
    "$bindir/sudoku" "$bindir/sudoku-tool"
    lib/sudoku/sudoku lib/sudoku/sudoku-tool lib/sudoku/board.bmp lib/sudoku/numbers.bmp
    lib/sudoku/Skin1/board.bmp lib/sudoku/Skin1/numbers.bmp lib/sudoku/Skin2/board.bmp
    lib/sudoku/Skin2/numbers.bmp lib/sudoku/Skin3/board.bmp lib/sudoku/Skin3/numbers.bmp
    lib/sudoku/Splash/Splash.bmp lib/sudoku/Splash/Anim.bmp lib/sudoku/splash/splash.wav
    lib/sudoku/tutorial/Tutorial.html lib/sudoku/tutorial/TutorialR.html
    "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    "share/mime/packages/$id.xml"
    share/man/man6/sudoku.6.gz share/man/man6/sudoku-tool.6.gz
    share/doc/sudoku/copyright share/doc/sudoku/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "no $file in the installed tree"
done
# The build tree's marker, which makes a program folder the data folder, stays in the build.
[ ! -e "$prefix/lib/sudoku/portable" ] || fail "the build tree's marker lib/sudoku/portable was installed"
for program in sudoku sudoku-tool; do
    link=$(readlink "$prefix/$bindir/$program")
    [[ $link != /* ]] && [ "$(readlink -f "$prefix/$bindir/$program")" = "$prefix/lib/sudoku/$program" ] ||
        fail "$bindir/$program is not a relative link into the program folder"
done
cmp -s "$prefix/lib/sudoku/board.bmp" "$prefix/lib/sudoku/Skin1/board.bmp" ||
    fail "the program folder's board.bmp is not Paper's"
# No directory or file is writable by others, none is left without read permission.
if bad=$(find "$prefix" \( -perm -o+w -o ! -perm -o+r \) ! -type l -print -quit) &&
    [ -n "$bad" ]; then
    fail "bad permissions: $(ls -ld "$bad")"
fi

# The game as the owner of the installation, who may write its program folder; as a user
# other than the owner when run by root (nobody).
home=$root/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
run() {
    "${as_user[@]}" env -i PATH="$prefix/$bindir:/usr/bin:/bin" HOME="$home" \
        XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$@"
}

lines=$(run sudoku-tool generate --level 30 --count 2 --seed 5)
[ "$(printf '%s\n' "$lines" | grep -cE '^[1-9.]{81}$')" -eq 2 ] ||
    fail "sudoku-tool generate: $lines"
run sudoku-tool import "$puzzle" -o "$home/evening.sdk" >/dev/null || fail "sudoku-tool import"

printf 'wait 3000\ncommand 32785\n' >"$home/play.txt"
log=$(run sudoku --script "$home/play.txt" --seed 1 --language 0 "$home/evening.sdk") ||
    fail "sudoku --script: status $?: $log"
data=$home/data/sudoku
[ -f "$data/autosave.sdk" ] && [ -f "$data/options.cfg" ] ||
    fail "no autosave.sdk and options.cfg in \$XDG_DATA_HOME/sudoku: $(ls -la "$home/data" 2>&1)"
[ "$(stat -c %s "$data/autosave.sdk")" -eq 1811 ] || fail "the autosave is not 1811 bytes"
givens=$(run sudoku-tool export "$data/autosave.sdk" | head -n 1)
[ "$givens" = "${puzzle//./0}" ] || [ "$givens" = "$puzzle" ] ||
    fail "the autosave does not hold the game named on the command line: $givens"
grep -qE '^hint [0-8] [0-8]$' <<<"$log" || fail "no hint on the opened game: $log"

# The owner of the installation (root, when run by root) may write its program folder; the
# game still keeps its files in $XDG_DATA_HOME/sudoku.
owner=$root/owner
env -i PATH="$prefix/$bindir:/usr/bin:/bin" HOME="$owner" XDG_DATA_HOME="$owner/data" \
    QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
    sudoku --script "$home/play.txt" --seed 1 --language 0 >"$root/owner.log" 2>&1 ||
    fail "sudoku --script as the owner: $(cat "$root/owner.log")"
[ -f "$owner/data/sudoku/autosave.sdk" ] ||
    fail "the owner's game is not in \$XDG_DATA_HOME/sudoku: $(ls -la "$owner" 2>&1)"
for file in autosave.sdk options.cfg; do
    [ ! -e "$prefix/lib/sudoku/$file" ] || fail "the game wrote $file into its program folder"
done
echo "ok: installed tree, $bindir/ links, a game in \$XDG_DATA_HOME/sudoku, none in the installation"
