#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing when they are
# all there already.
set -euo pipefail

packages=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev pkgconf
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    g++-mingw-w64-x86-64 wine64 googletest
    clang libclang-rt-14-dev
    chromium
)
# The page audit's npm tools run on Node.js; a Node.js from elsewhere brings its own npm.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
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
