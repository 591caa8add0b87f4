#!/usr/bin/env bash
# Makes sample pages with the program's own generation run (a full CV, an empty run, a name
# alone, very long words and addresses), then audits them in headless Chromium with
# tests/page_audit/audit.mjs: axe-core at 1280 and 390 px, sideways scrolling, headings and
# photo in the accessibility tree, one printed A4 page, no request outside the page's folder,
# valid HTML. Fails on any finding. The pages and their screenshots stay in
# <build>/page_audit/. Uses the build folder given as $1, build/ by default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target sample_pages --parallel "$(nproc)"

out=$build/page_audit
rm -rf "$out"
"$build/tests/page_audit/sample_pages" "$out/pages" "$root/resources" \
    "$root/tests/page_audit/portrait.jpg"

# The audit's tools, exactly as the lock file pins them; never a browser of their own.
cd "$root/tests/page_audit"
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
node audit.mjs "$out/pages" "$out/screenshots"
