#!/usr/bin/env bash
# Builds the Debian package build-package/pomerel_<version>_amd64.deb with CPack: the program
# alone, with Debian's compiler and hardening flags, installed under /usr. Prints the
# package's path on its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-package
"$root/scripts/setup.sh" package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
for flags in CFLAGS CXXFLAGS CPPFLAGS LDFLAGS; do
    export "$flags=$(dpkg-buildflags --get "$flags")"
done
CXXFLAGS="$CXXFLAGS $CPPFLAGS"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPOMEREL_BUILD_TESTS=OFF -DPOMEREL_BUILD_BENCHMARKS=OFF -DPOMEREL_BUILD_TOOLS=OFF
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/pomerel_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/pomerel_*_amd64.deb
