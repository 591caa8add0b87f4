#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package stage. Builds the Debian package (scripts/package.sh) and checks it as a user's
# machine meets it: the menu entry and the software-centre description validate, lintian finds
# no error, and scripts/install-and-use.sh installs it with apt-get, makes a page with the
# installed program started from its menu entry on a virtual screen, and again typed in a
# terminal by an ordinary user, and removes it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

id=fr.pomerel.Pomerel
scratch=$(mktemp -d /tmp/pomerel-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

deb=$("$root/scripts/package.sh" | tail -n 1)

echo "--- $deb as shipped"
dpkg-deb -x "$deb" "$scratch/unpacked"
desktop-file-validate "$scratch/unpacked/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/unpacked/usr/share/metainfo/$id.metainfo.xml"
lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no error"

"$root/scripts/install-and-use.sh" "$deb"
