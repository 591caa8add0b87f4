#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, then runs every test stage in turn and stops at the first
# that fails:
#   1. the normal suite (build/, the windows' tests headless);
#   2. the same suite under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/);
#   3. a bounded fuzz run of the template filling (build-fuzz/, about 60 s);
#   4. the whole program cross-built for Windows against a Qt built from Debian's source (kept
#      in /var/cache/pomerel), its tests run under Wine, and its setup program installed, used
#      from the Start menu and removed under Wine (build-mingw/);
#   5. the accessibility audit of generated pages in headless Chromium (build/page_audit/);
#   6. the Debian package, built, installed, used from its menu entry and from a terminal by an
#      ordinary user, and removed (build-package/);
#   7. the program read through AT-SPI2 as a screen reader reads it, and two pages made, one
#      through the accessibility interface alone, one with the keyboard alone (build/);
#   8. on Debian 13, in a root of its own kept in /var/cache/pomerel: the normal build and suite,
#      and the package of stage 6 installed and used as there.
# Set POMEREL_STAGES to a subset ("normal sanitizers fuzz windows audit package access
# debian13") to run only those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
stages=${POMEREL_STAGES:-normal sanitizers fuzz windows audit package access debian13}

normal() {
    "$root/scripts/build.sh" "$root/build"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure --parallel "$(nproc)"
}
sanitizers() { "$root/scripts/test-sanitizers.sh"; }
fuzz() { "$root/scripts/fuzz.sh"; }
windows() { "$root/scripts/test-windows.sh"; }
audit() { "$root/scripts/page-audit.sh" "$root/build"; }
package() { "$root/scripts/test-package.sh"; }
access() { "$root/scripts/test-access.sh" "$root/build"; }
debian13() {
    if [[ -n $root_maker ]]; then
        local status=0
        wait "$root_maker" || status=$?
        root_maker=
        cat "$root_log"
        ((status == 0)) || return "$status"
    fi
    "$root/scripts/test-debian13.sh"
}

"$root/scripts/setup.sh"

# The Debian 13 root waits mostly on the mirror: it is made while the stages before run, in a
# process group of its own that is ended if they fail.
root_maker=
root_log=$(mktemp /tmp/pomerel-debian13-root.XXXXXX)
trap '[[ -z $root_maker ]] || kill -- "-$root_maker" 2>/dev/null; rm -f "$root_log"' EXIT
if [[ " $stages " == *" debian13 "* ]]; then
    setsid "$root/scripts/test-debian13.sh" --root >"$root_log" 2>&1 &
    root_maker=$!
fi
summary=()
for stage in $stages; do
    echo "=== $stage"
    start=$SECONDS
    "$stage"
    summary+=("$stage: $((SECONDS - start)) s")
done
echo "=== every stage passed"
printf '  %s\n' "${summary[@]}"
