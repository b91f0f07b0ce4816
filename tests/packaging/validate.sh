#!/usr/bin/env bash
# Runs the desktop's own validators on the files the build configured for installation: the
# desktop entry, the AppStream file (as configured, and with screenshots), the MIME type, the
# manual pages and the Debian changelog. A validator that is not installed is skipped; with
# none of them the test is skipped (status 77).
#   validate.sh CONFIGURED_DIR APP_ID SAVED_GAME_TYPE PICTURES_DIR
set -uo pipefail
dir=$1
id=$2
type=$3
pictures=$4
ran=0
failed=0

have() { command -v "$1" >/dev/null 2>&1; }
fail() {
    echo "FAIL: $*"
    failed=1
}
# Runs a validator; any output at all (a warning, a hint) fails the check.
check() {
    local what=$1
    shift
    local out
    out=$("$@" 2>&1)
    local status=$?
    ran=1
    if [ $status -ne 0 ] || [ -n "$out" ]; then
        fail "$what (status $status)"
        printf '%s\n' "$out"
    else
        echo "ok: $what"
    fi
}

# Every screenshot the AppStream file names is a picture of docs/pictures/.
shots=$(grep -o '<image>[^<]*</image>' "$dir/with-screenshots/$id.metainfo.xml" |
    sed 's|.*/\([^/<]*\)</image>|\1|')
[ -n "$shots" ] || fail "the AppStream file names no screenshot"
for shot in $shots; do
    [ -f "$pictures/$shot" ] || fail "no screenshot $shot in $pictures"
done

if have desktop-file-validate; then
    check "desktop-file-validate $id.desktop" desktop-file-validate "$dir/$id.desktop"
    grep -qx "Exec=sudoku %f" "$dir/$id.desktop" || fail "the desktop entry does not pass the file"
    grep -qx "MimeType=$type;" "$dir/$id.desktop" || fail "the desktop entry lacks $type"
else
    echo "skip: desktop-file-validate (package desktop-file-utils)"
fi

if have appstreamcli; then
    for file in "$dir/$id.metainfo.xml" "$dir/with-screenshots/$id.metainfo.xml"; do
        ran=1
        if out=$(appstreamcli validate --no-net --pedantic --no-color "$file" 2>&1); then
            echo "ok: appstreamcli validate ${file#"$dir"/}"
        else
            fail "appstreamcli validate ${file#"$dir"/}"
            printf '%s\n' "$out"
        fi
    done
else
    echo "skip: appstreamcli (package appstream)"
fi

if have update-mime-database; then
    ran=1
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/mime/packages"
    cp "$dir/$id.xml" "$tmp/mime/packages/"
    if out=$(XDG_DATA_HOME=$tmp update-mime-database "$tmp/mime" 2>&1) && [ -z "$out" ] &&
        grep -qx "50:$type:\*.sdk" "$tmp/mime/globs2"; then
        echo "ok: update-mime-database maps *.sdk to $type"
    else
        fail "update-mime-database"
        printf '%s\n' "$out"
        cat "$tmp/mime/globs2" 2>/dev/null
    fi
else
    echo "skip: update-mime-database (package shared-mime-info)"
fi

if have groff; then
    for page in sudoku.6 sudoku-tool.6; do
        check "groff -man -ww -z $page" groff -man -ww -z "$dir/$page"
        if have man; then
            check "man --warnings $page" sh -c \
                'LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" >/dev/null' \
                sh "$dir/$page"
        fi
    done
else
    echo "skip: groff (package groff-base)"
fi

if have dpkg-parsechangelog; then
    check "dpkg-parsechangelog changelog.Debian" \
        sh -c 'dpkg-parsechangelog -l "$1" >/dev/null' sh "$dir/changelog.Debian"
else
    echo "skip: dpkg-parsechangelog (package dpkg-dev)"
fi

[ $ran -eq 1 ] || exit 77
exit $failed
