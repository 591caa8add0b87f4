#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: launcher_test.sh LAUNCHER RESOURCE_FOLDER, the launcher starting /bin/sh.
set -eu
launcher=$1
resources=$2
mkdir -p "$resources"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {
    if [ "$2" = "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1: got '$2', wanted '$3'"
        failures=$((failures + 1))
    fi
}

mkdir "$scratch/home" "$scratch/own template" "$scratch/folder named brt.ggg"
touch "$scratch/own template/brt.ggg"
mkdir "$scratch/folder named brt.ggg/brt.ggg"
where() { (cd "$1" && "$launcher" -c 'pwd -P'); }
check "a folder without a template starts in the resources" "$(where "$scratch/home")" \
    "$(cd "$resources" && pwd -P)"
check "a folder with its own template stays the resource folder" \
    "$(where "$scratch/own template")" "$(cd "$scratch/own template" && pwd -P)"
check "a folder called brt.ggg is no template" "$(where "$scratch/folder named brt.ggg")" \
    "$(cd "$resources" && pwd -P)"
check "the arguments reach the program as they are" \
    "$(cd "$scratch/home" && "$launcher" -c 'printf "%s|" "$@"' sh 'a b' '' "c'd")" "a b||c'd|"
exit $((failures > 0))
