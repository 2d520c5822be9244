#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the program need, when any is
# missing. Safe to run again: it does nothing once everything is present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    googletest libgtest-dev libgmock-dev
    libgif-dev
    libisofs-dev xorriso
    # burning discs and reading them back
    libburn-dev
    # the catalogue of written and burned discs
    libsqlite3-dev
    # the command line: options with generated help, and JSON
    libcli11-dev nlohmann-json3-dev
    libxcb1-dev libxcb-keysyms1-dev
    fonts-liberation adwaita-icon-theme
    # a font with Chinese and Japanese glyphs, taller than Arial's: the results panel must
    # show such names whole
    fonts-wqy-microhei
    xvfb xauth xdotool
    # menu entry, metadata, icon and manual pages: their tools and validators
    librsvg2-bin help2man man-db desktop-file-utils appstream
    # a private session bus for the desktop portal tests
    dbus
    # the fuzz targets: clang and its libFuzzer runtime
    clang libclang-rt-14-dev
    clang-format
    # context-less connects on Qt before 6.7 (tools/clazy.sh)
    clazy
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # Another apt or dpkg holding the lock (an unattended upgrade) is waited for, not a failure.
    lock=(-o DPkg::Lock::Timeout=600)
    $sudo apt-get "${lock[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
fi
