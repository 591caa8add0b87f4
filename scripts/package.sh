#!/usr/bin/env bash
# Builds the Debian package build-package/pomerel_<version>_amd64.deb with CPack: the program
# alone, with Debian's compiler and hardening flags, installed under /usr. Prints the
# package's path on its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-package
"$root/scripts/setup.sh" package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

"$root/scripts/build.sh" "$build" --program -DCMAKE_INSTALL_PREFIX=/usr
rm -f "$build"/pomerel_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/pomerel_*_amd64.deb
