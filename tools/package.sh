#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from an optimised build made with Debian's hardening flags, then
# checks them with lintian. Leaves build/package/platterwise-cli_<version>_<architecture>.deb
# (the command line) and build/package/platterwise_<version>_<architecture>.deb (the window).
#
#   tools/package.sh            # build, pack, lintian
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure-deps.sh
if ! command -v lintian >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # Waits for another apt or dpkg that holds the lock (an unattended upgrade) instead of failing.
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends lintian
fi

# The flags Debian builds its own packages with: fortified functions, stack protector,
# read-only relocations bound at start-up.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
CFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS CFLAGS LDFLAGS

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
# Only what the package holds; the tests and benchmarks are not needed to pack it.
cmake --build "$build" --target platterwise platterwise-cli platterwise_manual platterwise_changelog

rm -f "$build"/platterwise*_*.deb
(cd "$build" && cpack -G DEB)
status=0
echo "lintian $(lintian --version | cut -d' ' -f2):"
for deb in "$build"/platterwise-cli_*.deb "$build"/platterwise_*.deb; do
    dpkg-deb --info "$deb"
    dpkg-deb --contents "$deb"
    lintian --info --display-info "$deb" && echo "lintian: no errors in $(basename "$deb")" || status=1
done
exit $status
