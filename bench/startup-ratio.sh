#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process start-up of Pomerel against the floor, side by side in one run under Xvfb:
# the built program (started in its resource folder) and an empty Qt window painting the same
# 800x600 background, N rounds interleaved; each timed from fork to its window's MapNotify.
# Usage, from the project root: bash bench/startup-ratio.sh build/bin [N]
#   (build/bin holds pomerel and brt.ggg; N rounds, 15 unless given)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:?the folder that holds the built pomerel}" && pwd); n=${2:-15}
need=()
command -v Xvfb >/dev/null || need+=(xvfb)
[ -f /usr/include/X11/Xlib.h ] || need+=(libx11-dev)
command -v pkg-config >/dev/null || need+=(pkg-config)
if ((${#need[@]})); then apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null; fi
work=$(mktemp -d)
trap 'kill "${x:-}" 2>/dev/null; rm -rf "$work"' EXIT
gcc -O2 -o "$work/mapwait" "$here/mapwait.c" -lX11
g++ -O2 -fPIC -std=c++20 -o "$work/emptywindow" "$here/emptywindow.cpp" $(pkg-config --cflags --libs Qt6Widgets)
# The same background picture the program paints: from the project tree around the build.
bg=${STARTUP_BACKGROUND:-}
for root in "$PWD" "$bin/.." "$bin/../.." "$bin/../../.."; do
  [ -n "$bg" ] && break
  [ -f "$root/assets/images/background.png" ] && bg=$root/assets/images/background.png
done
[ -f "$bg" ] || { echo "no assets/images/background.png found: run from the project root or set STARTUP_BACKGROUND"; exit 1; }
# A display of its own: Xvfb picks a free number and writes it to fd 3.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 >/dev/null 2>&1 & x=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display") QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
a=(); b=(); am=(); bm=()
for i in $(seq $((n + 2))); do
  r=$(cd "$bin" && "$work/mapwait" ./pomerel) || { echo "pomerel did not open its window"; exit 1; }
  e=$("$work/mapwait" "$work/emptywindow" "$bg") || { echo "the empty window did not open"; exit 1; }
  ((i <= 2)) && continue   # warm the caches first
  a+=("${r#map_ms=}"); b+=("${e#map_ms=}")
  am+=("${r##*hwm_kib=}"); bm+=("${e##*hwm_kib=}")
done
med() { printf '%s\n' "$@" | sed 's/ .*//' | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
ma=$(med "${a[@]}"); mb=$(med "${b[@]}"); ra=$(med "${am[@]}"); rb=$(med "${bm[@]}")
awk -v a="$ma" -v b="$mb" -v n="$n" 'BEGIN {printf "start to mapped window, median of %d: pomerel %.1f ms, empty window %.1f ms, ratio %.2f\n", n, a, b, a / b}'
awk -v a="$ra" -v b="$rb" 'BEGIN {printf "peak memory, median: pomerel %.1f MiB, empty window %.1f MiB, ratio %.2f\n", a / 1024, b / 1024, a / b}'
