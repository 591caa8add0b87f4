#!/usr/bin/env bash
# Cross-builds the generation core and its tests for Windows with mingw-w64 and runs them
# under Wine, in a throw-away Wine prefix, with no display. The build goes to build-mingw/
# (or the folder given as $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-mingw}

# The toolchain and options are those of the "mingw" preset in CMakePresets.json.
cmake -S "$root" --preset mingw -B "$build"
cmake --build "$build" --parallel 2

wine_dir=/usr/lib/wine
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/pomerel-wine.XXXXXX")
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    "$wine_dir/wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# One server for the whole run, so that each test program starts quickly.
"$wine_dir/wineserver" -p
"$wine_dir/wine64" wineboot --init >/dev/null 2>&1

# Each test program runs once, all its tests in one process. Its output goes through a file:
# Wine's helper processes (services, desktop) inherit the output and would keep a pipe open.
status=0
for program in "$build"/bin/*_tests.exe; do
    log=$build/$(basename "$program" .exe).log
    echo "--- $(basename "$program") under $("$wine_dir/wine64" --version)"
    "$wine_dir/wine64" "$program" --gtest_brief=1 >"$log" 2>&1 || status=$?
    cat "$log"
done
exit "$status"
