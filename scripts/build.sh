#!/usr/bin/env bash
# Configures and builds the project into build/ (or the folder given as $1), with the "normal"
# preset of CMakePresets.json: warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" --preset normal -B "$build"
cmake --build "$build" --parallel "$(nproc)"
