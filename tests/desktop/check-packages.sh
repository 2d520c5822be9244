#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the build into a temporary folder, twice, and checks the two Debian packages: their
# files, their relations, one version everywhere, and that a second pack of the same build
# gives byte-identical packages.
#
#   check-packages.sh BUILD-DIR VERSION
set -euo pipefail
build="$(realpath "$1")"
version="$2"
out="$(mktemp -d /tmp/platterwise-packs.XXXXXX)"
trap 'rm -rf "$out"' EXIT

pack() {
    (cd "$build" && cpack -G DEB -B "$1" >"$1.log" 2>&1) || { cat "$1.log"; exit 1; }
}
pack "$out/a"
pack "$out/b"
arch="$(dpkg --print-architecture)"
cli="$out/a/platterwise-cli_${version}_$arch.deb"
window="$out/a/platterwise_${version}_$arch.deb"
status=0
fail() { echo "$*"; status=1; }
for deb in "$cli" "$window"; do
    [ -f "$deb" ] || { ls "$out/a"; echo "no $(basename "$deb")"; exit 1; }
    echo "== $(basename "$deb")"
    dpkg-deb --field "$deb" Package Version Depends Recommends
    dpkg-deb --contents "$deb" | awk '{print "  " $NF}'
    cmp "$deb" "$out/b/$(basename "$deb")" || fail "a second pack of the same build differs"
done

field() { dpkg-deb --field "$1" "$2"; }
files() { dpkg-deb --contents "$1" | awk '{print $NF}'; }

# The command line alone: its program, page and documents, and nothing of Qt or X.
files "$cli" | grep -qx './usr/bin/platterwise-cli' || fail "platterwise-cli lacks its program"
files "$cli" | grep -qx './usr/share/man/man1/platterwise-cli.1.gz' || fail "platterwise-cli lacks its page"
files "$cli" | grep -qx './usr/share/doc/platterwise-cli/copyright' || fail "platterwise-cli lacks copyright"
files "$cli" | grep -E 'bin/platterwise$|applications|icons|metainfo' && fail "platterwise-cli holds the window's files"
field "$cli" Depends | grep -iE 'qt|libx|libgl' && fail "platterwise-cli depends on the desktop"
field "$cli" Recommends | grep -qw xorriso || fail "platterwise-cli does not recommend xorriso"

# The window: its files, and the command line's package at the same version.
for f in ./usr/bin/platterwise ./usr/share/applications/platterwise.desktop \
    ./usr/share/man/man1/platterwise.1.gz ./usr/share/doc/platterwise/copyright \
    ./usr/share/doc/platterwise/changelog.gz; do
    files "$window" | grep -qxF "$f" || fail "platterwise lacks $f"
done
files "$window" | grep -E 'platterwise-cli' && fail "platterwise holds the command line's files"
field "$window" Depends | grep -qF "platterwise-cli (= $version)" ||
    fail "platterwise does not depend on platterwise-cli (= $version)"
field "$window" Depends | grep -q 'libqt6widgets6' || fail "platterwise does not depend on Qt"

# One version: the packages', the changelog's newest entry and the metadata's newest release.
for deb in "$cli" "$window"; do
    [ "$(field "$deb" Version)" = "$version" ] || fail "$(basename "$deb") is not version $version"
done
dpkg-deb --fsys-tarfile "$window" | tar -xO ./usr/share/doc/platterwise/changelog.gz | gunzip |
    head -1 | grep -qF "platterwise ($version)" || fail "the changelog does not begin with $version"
dpkg-deb --fsys-tarfile "$window" | tar -xO ./usr/share/metainfo/org.example.platterwise.metainfo.xml |
    grep -m1 '<release ' | grep -qF "version=\"$version\"" || fail "the metadata's newest release is not $version"
exit $status
