#!/usr/bin/env bash
# The quick start on a fresh Debian 12 machine: installs only what building and running
# Pomerel needs, builds the program and its resources alone into build-run/ (no tests,
# benchmarks or tools), and starts it from its resource folder (the folder that holds
# brt.ggg and the pictures, beside the program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" run
"$root/scripts/build.sh" "$root/build-run" --program
cd "$root/build-run/bin"
exec ./pomerel
