#!/usr/bin/env bash
# Configures and builds the project into build/ (or the folder given as $1), with the "normal"
# preset of CMakePresets.json: warnings are errors. With --program after the folder, builds a
# release of the program and its resources alone: no tests, benchmarks or tools. Further CMake
# options may follow.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
options=(--preset normal)
if [[ ${1:-} == --program ]]; then
    # Optimised as Debian builds its packages: GCC 12 misreads some string code at -O3.
    options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
        -DPOMEREL_BUILD_TESTS=OFF -DPOMEREL_BUILD_BENCHMARKS=OFF -DPOMEREL_BUILD_TOOLS=OFF)
    shift
fi
cmake -S "$root" -B "$build" "${options[@]}" "$@"
cmake --build "$build" --parallel "$(nproc)"
