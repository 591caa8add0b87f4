#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 or 13 packages that Pomerel needs; does nothing when they are all
# there already. It takes groups of packages, one or more:
#   run      building and running the program;
#   package  making its Debian package too;
#   suite    the normal build and its suite;
#   screen   driving the installed program on a virtual screen;
#   all      what every test stage needs (the default).
set -euo pipefail
groups=("${@:-all}")

wants() {
    local group
    for group in "${groups[@]}"; do
        [[ $group == "$1" || $group == all ]] && return 0
    done
    return 1
}

# The few names that differ between the releases.
release=$(. /etc/os-release && echo "${VERSION_ID:-}")
case $release in
    12) clang_runtime=libclang-rt-14-dev ;;
    13) clang_runtime=libclang-rt-19-dev ;;
    *)
        echo "setup.sh knows Debian 12 and 13, not this system (VERSION_ID \"$release\")." >&2
        exit 1
        ;;
esac

# Compiler, CMake, Qt and the page's fonts.
packages=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev pkgconf
    fonts-liberation2
)
if wants package; then
    packages+=(dpkg-dev file)
fi
if wants suite; then
    # Headless Chromium shows a page in a test, and in the page audit and the README's picture.
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev chromium)
fi
if wants screen; then
    packages+=(xvfb xdotool x11-xserver-utils)
fi
if wants all; then
    packages+=(
        g++-mingw-w64-x86-64 wine64 googletest
        clang "$clang_runtime"
        # The audit reads the printed sheets' text with pdftotext.
        poppler-utils
        # The package stage's validators.
        lintian desktop-file-utils appstream
        # The access stage: the accessibility bus, and Debian's Python reading it.
        at-spi2-core python3-pyatspi dbus-daemon
        # The debian13 stage's root.
        debootstrap
        # The Windows program: Qt built from Debian's source (scripts/qt-mingw.sh), its installer.
        ninja-build debian-archive-keyring nsis unzip
        # The README's window picture (scripts/screenshots.sh).
        imagemagick
    )
    # The page audit's npm tools run on Node.js; a Node.js from elsewhere brings its own npm.
    if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
        packages+=(nodejs npm)
    fi
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
