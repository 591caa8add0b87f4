#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and starts Pomerel from its resource folder
# (the folder that holds brt.ggg and the pictures, beside the program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build/bin"
exec ./pomerel
