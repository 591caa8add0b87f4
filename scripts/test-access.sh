#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The access stage. Reads the real program as a screen reader does, through AT-SPI2, on a
# virtual screen (Xvfb) with a D-Bus session of its own: tests/access/screen_reader.py checks
# that both windows are frames with their titles and that every control shown has a name in
# each state and in the help window, makes one page through the accessibility interface alone
# and one with the keyboard alone, and prints the Tab chain of each state. Uses the build
# folder given as $1, build/ by default, and starts the program from its bin/ folder, which
# holds the resource folder's files beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" --preset normal
fi
cmake --build "$build" --target pomerel --parallel "$(nproc)"
source "$root/scripts/desktop-session.sh"

# In /tmp, not a dot folder: the folder lists are driven by name from the root.
scratch=$(mktemp -d /tmp/pomerel-access.XXXXXX)
bus_pid=
cleanup() {
    if [[ -n $bus_pid ]]; then
        # The accessibility bus and its registry end with the session bus they serve.
        kill "$bus_pid" 2>/dev/null || true
        wait "$bus_pid" 2>/dev/null || true
    fi
    stop_screen
    rm -rf "$scratch"
}
trap cleanup EXIT

start_screen
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus" >/dev/null 2>&1 &
bus_pid=$!
for _ in $(seq 100); do
    [[ -s $scratch/bus ]] && break
    sleep 0.1
done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus")
[[ -n $DBUS_SESSION_BUS_ADDRESS ]] || { echo "access: the session bus did not start" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS

# Debian's own Python: pyatspi is one of its packages.
/usr/bin/python3 "$root/tests/access/screen_reader.py" "$build/bin" "$scratch"
