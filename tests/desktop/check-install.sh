#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree: exactly the expected files,
# a menu entry whose command and icon are installed, and programs that run from there and
# need nothing from the build folder.
#
#   check-install.sh BUILD-DIR APP-ID COMPONENT-ID
set -euo pipefail
build="$(realpath "$1")"
id="$2"
component="$3"
prefix="$(mktemp -d /tmp/platterwise-install.XXXXXX)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/platterwise
    bin/platterwise-cli
    share/applications/$id.desktop
    share/doc/platterwise/changelog.gz
    share/doc/platterwise/copyright
    share/doc/platterwise-cli/changelog.gz
    share/doc/platterwise-cli/copyright
    share/icons/hicolor/scalable/apps/$id.svg
    share/man/man1/platterwise-cli.1.gz
    share/man/man1/platterwise.1.gz
    share/metainfo/$component.metainfo.xml
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
actual="$(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)"
wanted="$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)"
echo "installed:"
echo "$actual" | sed 's/^/  /'
if [ "$actual" != "$wanted" ]; then
    echo "the tree differs from the expected one (< installed, > expected):"
    diff <(echo "$actual") <(echo "$wanted") || true
    exit 1
fi

# The menu entry starts an installed program and shows an installed icon.
entry="$prefix/share/applications/$id.desktop"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
icon_name="$(sed -n 's/^Icon=//p' "$entry")"
[ -x "$prefix/bin/$exec_name" ] || { echo "Exec=$exec_name is not an installed program"; exit 1; }
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    { echo "Icon=$icon_name is not an installed icon"; exit 1; }

# Nothing points back into the build folder: no run path, every library from the system.
for program in "$prefix"/bin/*; do
    if readelf -d "$program" | grep -E 'RPATH|RUNPATH'; then
        echo "$program carries a run path"
        exit 1
    fi
    if ldd "$program" | grep -E "not found|$build"; then
        echo "$program needs a library it cannot find or one from the build folder"
        exit 1
    fi
done
cd "$prefix"
ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/platterwise-cli" --version
ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/platterwise-cli" total --medium cd-r "$prefix/share"
