# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by the scripts that use Pomerel's main window as a person would, on a virtual screen
# of their own (Xvfb) with xdotool: clicks land on the controls where the main window's .ui
# file places them, and keys go to the control that has the focus.

desktop_session_ui=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/main_window/form1.ui

# Starts a virtual screen on a free display and points DISPLAY at it.
start_screen() {
    local ready
    ready=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
    screen_pid=$!
    for _ in $(seq 100); do
        [[ -s $ready ]] && break
        sleep 0.1
    done
    DISPLAY=:$(head -n 1 "$ready")
    rm -f "$ready"
    export DISPLAY
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool getdisplaygeometry >/dev/null || { echo "The virtual screen did not start." >&2; return 1; }
    bind_french_letters
}

# Puts French letters on spare keys before the program starts. xdotool then types them as
# they are; otherwise it binds each one to a key for a moment, and a busy program that reads
# the keyboard's map after that moment drops the letter.
bind_french_letters() {
    local letters=("eacute Eacute" "egrave Egrave" "ecircumflex Ecircumflex"
        "ediaeresis Ediaeresis" "agrave Agrave" "acircumflex Acircumflex" "ocircumflex Ocircumflex"
        "ccedilla Ccedilla" "ugrave Ugrave" "ucircumflex Ucircumflex" "icircumflex Icircumflex"
        "idiaeresis Idiaeresis")
    local spare i
    mapfile -t spare < <(xmodmap -pke | awk 'NF == 3 && $2 > 8 {print $2}')
    ((${#spare[@]} > ${#letters[@]})) || { echo "No spare keys for French letters." >&2; return 1; }
    for i in "${!letters[@]}"; do
        xmodmap -e "keycode ${spare[i]} = ${letters[i]}"
    done
}

stop_screen() {
    if [[ -n ${screen_pid:-} ]]; then
        kill "$screen_pid" 2>/dev/null || true
        wait "$screen_pid" 2>/dev/null || true
        screen_pid=
    fi
}

# Starts a command in a folder, as a menu entry starts its program in its Path, in the
# background (program_pid), its output in SCRATCH/program.log. The desktop's browser opener is
# a stand-in that notes each page it is given in SCRATCH/opened, so that no browser starts.
start_program() {
    local scratch=$1 folder=$2
    shift 2
    mkdir -p "$scratch/bin" "$scratch/runtime"
    chmod 700 "$scratch/runtime"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$scratch" >"$scratch/bin/xdg-open"
    chmod +x "$scratch/bin/xdg-open"
    (cd "$folder" && PATH="$scratch/bin:$PATH" XDG_RUNTIME_DIR="$scratch/runtime" exec "$@") \
        >"$scratch/program.log" 2>&1 &
    program_pid=$!
}

# Clicks "Quitter l'application" and waits for the program to end; fails if it does not.
quit_program() {
    click Command10
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "\"Quitter l'application\" did not end the program." >&2
        return 1
    fi
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    if ((status != 0)); then
        echo "The program ended with status $status." >&2
        return 1
    fi
}

# Prints the id of the first shown window whose title matches the pattern, waiting for it.
wait_for_window() {
    local pattern=$1 tenths=${2:-300} window
    for _ in $(seq "$tenths"); do
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || true
        if [[ -n $window ]]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
    echo "No window titled like '$pattern' appeared." >&2
    return 1
}

# The main window: its title is the program's name after six blanks. There is no window
# manager, so the window is given the keyboard focus by hand.
wait_for_main_window() {
    main_window=$(wait_for_window '^      Pomerel$' "${1:-300}")
    xdotool windowfocus --sync "$main_window"
}

# Left, top, width and height of a control of the main window, in pixels.
control_rect() {
    sed -n "/name=\"$1\"/,/<\/rect>/p" "$desktop_session_ui" | tr -d ' \n' |
        sed -E 's|.*<x>([0-9]+)</x><y>([0-9]+)</y><width>([0-9]+)</width><height>([0-9]+)</height>.*|\1 \2 \3 \4|'
}

# Clicks a control of the main window in its middle, or on its first row with "first-row".
click() {
    local left top width height y
    read -r left top width height <<<"$(control_rect "$1")"
    y=$((top + height / 2))
    if [[ ${2:-} == first-row ]]; then
        y=$((top + 7))
    fi
    xdotool mousemove --window "$main_window" $((left + width / 2)) "$y" click 1
    sleep 0.3
}

type_text() {
    xdotool type --delay 20 "$1"
    sleep 0.2
}

# Types into one of the main window's boxes; a section's lines are typed with Enter between.
fill_box() {
    local line first=true
    click "$1"
    while IFS= read -r line; do
        $first || xdotool key Return
        first=false
        type_text "$line"
    done <<<"$2"
}

# Opens a folder in one of the main window's folder lists by the keyboard, as a person may:
# Home and Enter open the root, then each folder on the way is typed and opened with Enter.
# The list finds a row by the letters typed within a short while, so it waits between names.
open_folder() {
    local list=$1 folder=$2 name
    click "$list"
    xdotool key Home Return
    IFS=/ read -r -a names <<<"${folder#/}"
    for name in "${names[@]}"; do
        sleep 1
        type_text "$name"
        xdotool key Return
    done
    sleep 0.5
}

# Answers the box that asks a question of the user (the new folder's name).
answer_box() {
    local box
    box=$(wait_for_window '^Pomerel$')
    xdotool windowfocus --sync "$box"
    type_text "$1"
    xdotool key Return
    sleep 0.5
}

# The whole round: picks the only picture of the photo folder, asks for a page, makes a new
# folder inside the destination folder and makes the page there.
make_page() {
    local photos=$1 destination=$2 new_folder=$3
    open_folder dirList "$photos"
    click filList first-row
    click Command6
    open_folder dirList1 "$destination"
    click Command7
    answer_box "$new_folder"
    click Command8
}
