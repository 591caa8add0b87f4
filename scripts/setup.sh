#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that Pomerel needs; does nothing when they are all there
# already. `setup.sh run` installs only what building and running the program needs,
# `setup.sh package` adds what making its Debian package needs, and `setup.sh` installs what
# the tests need too.
set -euo pipefail
group=${1:-all}

# Compiler, CMake, Qt and the page's fonts.
packages=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev pkgconf
    fonts-liberation2
)
if [[ $group != run ]]; then
    packages+=(dpkg-dev file)
fi
if [[ $group == all ]]; then
    packages+=(
        libgtest-dev libgmock-dev libbenchmark-dev
        g++-mingw-w64-x86-64 wine64 googletest
        # The Windows program: Qt built from Debian's source (scripts/qt-mingw.sh), its installer.
        ninja-build debian-archive-keyring nsis unzip
        clang libclang-rt-14-dev
        # Headless Chromium: the page audit, the README's page picture.
        chromium
        # The package stage: validators, and the installed program driven on a virtual screen.
        lintian desktop-file-utils appstream xvfb xdotool x11-xserver-utils
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
