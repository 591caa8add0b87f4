#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test (the windows' tests headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure --parallel "$(nproc)"
