#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs the template fuzzer for a
# bounded time (60 s, or the seconds given as $1), starting from the committed seeds in
# fuzz/corpus/. New inputs go to a scratch corpus, so the committed one stays as it is.
# Prints how many inputs ran; fails on the first finding, leaving the crashing input in
# build-fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-60}

cmake -S "$root" --preset fuzz -B "$build"
cmake --build "$build" --parallel 2 --target template_fuzzer

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pomerel-corpus.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/findings"
log=$build/fuzz.log

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
"$build/bin/template_fuzzer" "$scratch" "$root/fuzz/corpus" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" >"$log" 2>&1 || status=$?

grep -E '^(INFO: Seed|#[0-9]+ +DONE|Done [0-9]+ runs)' "$log" || true
if ((status != 0)); then
    tail -n 60 "$log"
    echo "fuzzing found a fault (input in $build/findings/)"
    exit "$status"
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "fuzzing: $runs inputs in ${seconds} s, no finding"
