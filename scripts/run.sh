#!/usr/bin/env bash
# The quick start on a fresh Debian 12 machine: installs only what building and running
# Pomerel needs, builds the program and its resources alone into build-run/ (no tests,
# benchmarks or tools), and starts it from its resource folder (the folder that holds
# brt.ggg and the pictures, beside the program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-run
"$root/scripts/setup.sh" run
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DPOMEREL_BUILD_TESTS=OFF -DPOMEREL_BUILD_BENCHMARKS=OFF -DPOMEREL_BUILD_TOOLS=OFF
cmake --build "$build" --parallel "$(nproc)" --target pomerel pomerel_resources
cd "$build/bin"
exec ./pomerel
