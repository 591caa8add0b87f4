#!/usr/bin/env bash
# Builds the whole test suite, windows included, with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (or the folder given as $1) and runs it headless.
# Leaks are reported, and any undefined behaviour stops the test that meets it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}

# The flags are those of the "sanitizers" preset in CMakePresets.json.
cmake -S "$root" --preset sanitizers -B "$build"
cmake --build "$build" --parallel 2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks proven to lie in system libraries, each with its reason in the file.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure --parallel 2
