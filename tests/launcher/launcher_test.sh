#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: launcher_test.sh LAUNCHER RESOURCE_FOLDER, the launcher starting /bin/sh.
set -eu
launcher=$1
resources=$(mkdir -p "$2" && cd "$2" && pwd -P)
scratch=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/own template" "$scratch/folder/brt.ggg"
touch "$scratch/own template/brt.ggg"
status=0
# Where the program starts from FOLDER, and with what arguments.
check() {
    got=$(cd "$scratch/$2" && "$launcher" -c 'printf "%s|" "$(pwd -P)" "$@"' sh 'a b' '')
    [ "$got" = "$3|a b||" ] && echo "ok   $1" || { echo "FAIL $1: $got"; status=1; }
}
check "a folder without a template starts in the resources" home "$resources"
check "a folder with its own template stays the resource folder" "own template" \
    "$scratch/own template"
check "a folder called brt.ggg is no template" folder "$resources"
exit $status
