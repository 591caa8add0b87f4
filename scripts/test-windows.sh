#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The windows stage, in a throw-away Wine prefix. It cross-builds the whole program and all its
# tests against the static Qt of scripts/qt-mingw.sh (built first if its cache lacks it; mingw
# preset, build-mingw/), makes the ZIP and the setup program, and checks them on a virtual
# screen as a Windows user meets them: the tests pass, the setup program installs silently,
# the program started from its Start-menu shortcut makes a page as a person would, and the
# uninstaller removes it all. The pictures of both windows under Wine go to
# build-mingw/screenshots/.
# POMEREL_WINDOWS=core does the generation core and its tests alone (mingw-core preset,
# build-mingw-core/, no Qt), under Wine with no display. A build folder given as $1 replaces
# the default one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/desktop-session.sh"
mode=${POMEREL_WINDOWS:-program}
start=$SECONDS

say() { printf -- '--- %s (%d s)\n' "$*" "$((SECONDS - start))"; }
fail() {
    echo "windows: $*" >&2
    exit 1
}

if [[ $mode == core ]]; then
    build=${1:-$root/build-mingw-core}
    cmake -S "$root" --preset mingw-core -B "$build" >/dev/null
else
    build=${1:-$root/build-mingw}
    "$root/scripts/qt-mingw.sh"
    cmake -S "$root" --preset mingw -B "$build" >/dev/null
fi
say "building in $build"
cmake --build "$build" --parallel 2

wine_dir=/usr/lib/wine
wine=$wine_dir/wine64
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/pomerel-wine.XXXXXX")
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
program_pid=
cleanup() {
    [[ -z $program_pid ]] || kill "$program_pid" 2>/dev/null || true
    "$wine_dir/wineserver" -k 2>/dev/null || true
    stop_screen
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# One server for the whole run, so that each program starts quickly. It keeps the display it
# was started with: every window of the run goes to the virtual screen.
if [[ $mode == core ]]; then
    unset DISPLAY
else
    start_screen
fi
"$wine_dir/wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
c_drive=$WINEPREFIX/drive_c
if [[ $mode == program ]]; then
    # A CD drive r: without its disc: a drive letter on a folder that is not there. Wine reads
    # the drives' kinds when its server starts.
    ln -s "$WINEPREFIX/no-disc" "$WINEPREFIX/dosdevices/r:"
    "$wine" reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f >/dev/null 2>&1
    # Wine waits two seconds for a window manager at each closed window; the window tests
    # close hundreds. Their windows go unmanaged, which the tests cannot tell apart.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$wine_dir/wineserver" -k
    "$wine_dir/wineserver" -p
fi

# A Unix path as the Windows programs see it, through Wine's drive z:.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

# Runs a program under Wine, its output in a file: Wine's helper processes (services, desktop)
# inherit the output and would keep a pipe open.
run_logged() {
    local log=$1
    shift
    "$wine" "$@" >"$log" 2>&1
}

# --- The tests -------------------------------------------------------------------------------
# Each test program runs once, all its tests in one process.
status=0
for program in "$build"/bin/*_tests.exe; do
    log=$build/$(basename "$program" .exe).log
    echo "--- $(basename "$program") under $("$wine" --version)"
    run_logged "$log" "$program" --gtest_brief=1 || status=$?
    cat "$log"
done
if [[ $mode == core ]]; then
    exit "$status"
fi

# The browser the window tests and the program start is a stand-in that writes down its
# command line.
browser_dir="$c_drive/Program Files/Internet Explorer"
mkdir -p "$browser_dir"
find "$browser_dir" -maxdepth 1 -iname iexplore.exe -delete
cp "$build/bin/command_line_recorder.exe" "$browser_dir/IEXPLORE.EXE"
export POMEREL_RECORD_FILE='C:\browser-command-line.txt'
opened=$c_drive/browser-command-line.txt

# The window tests have no console: Qt Test writes to a file, and Wine hands the program no
# QT_ variable, so the platform is an argument.
while IFS= read -r program; do
    name=$(basename "$program" .exe)
    log=$build/$name.log
    (cd "$(dirname "$program")" &&
        run_logged "$build/$name.run.log" "$program" -platform windows:fontengine=freetype -o "$(winepath_of "$log"),txt") ||
        status=$?
    echo "--- $name: $(grep -E '^Totals:' "$log" || echo 'no result')"
    grep -E '^(FAIL!|XPASS)' -A2 "$log" || true
done < <(find "$build/tests" -name '*_test*.exe' -not -path '*/bin/*' | sort)
((status == 0)) || fail "a test failed under Wine"
# The drive list shows Wine's drives, and knows the one without its disc.
drives=$(sed -n 's/.*The drive list shows: //p' "$build/drivelistbox_test.log" | tr -d '\r')
echo "the drive list under Wine shows: $drives"
for drive in 'c:' 'z:' 'r: \(not ready\)'; do
    grep -qE "(^|, )$drive( \[[^]]*\])?(, |$)" <<<"$drives" || fail "the drive list lacks $drive"
done

# --- What ships ------------------------------------------------------------------------------
say "making the ZIP and the setup program"
(cd "$build" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/pomerel-$version-win64.zip
setup=$build/pomerel-$version-win64-setup.exe
[[ -f $zip && -f $setup ]] || fail "cpack made no $zip or $setup"
shipped=(pomerel.exe brt.ggg logo.jpg bandeau.gif puce.gif LISEZMOI.txt LICENCE.txt)
listing=$(unzip -Z1 "$zip")
for file in "${shipped[@]}"; do
    grep -qx "pomerel-$version-win64/$file" <<<"$listing" || fail "the ZIP lacks $file"
done
echo "$(basename "$zip"): $(grep -vc '/$' <<<"$listing") files, $(du -k "$zip" | cut -f1) KiB;" \
    "$(basename "$setup"): $(du -k "$setup" | cut -f1) KiB"

# The program needs no DLL beside it: all it imports is Windows' own. The api-ms-win-* names
# are API sets, which Windows' loader maps to its own DLLs; they are no files.
imports=$(x86_64-w64-mingw32-objdump -p "$build/bin/pomerel.exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
    [[ $dll != api-ms-win-* ]] || continue
    [[ -n $(find "$c_drive/windows/system32" -maxdepth 1 -iname "$dll") ]] ||
        fail "pomerel.exe needs $dll, which Windows lacks"
done
echo "pomerel.exe imports:" "${imports//$'\n'/ }"

# --- Installed as a user installs it -----------------------------------------------------------
# The program's windows are managed again: an unmanaged window's X window holds the frame and
# caption that Wine then draws itself.
"$wine" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1
say "installing with the setup program, silently"
run_logged "$build/setup.log" "$setup" /S
install_dir="$c_drive/Program Files/Pomerel"
for file in "${shipped[@]}" Uninstall.exe; do
    [[ -f $install_dir/$file ]] || fail "the setup program did not install $file"
done
shortcut=$(find "$c_drive" -path '*/Start Menu/*' -name Pomerel.lnk | head -n 1)
[[ -n $shortcut ]] || fail "the setup program made no Start-menu shortcut"
printf 'installed in C:\\Program Files\\Pomerel, shortcut %s\n' "${shortcut#"$c_drive"/}"

# A photo on drive z: (the Unix tree), the page on drive c:, in the user's folder.
user_dir=$(find "$c_drive/users" -mindepth 1 -maxdepth 1 -type d -not -name Public | head -n 1)
user=$(basename "$user_dir")
scratch=$(mktemp -d /tmp/pomerel-windows.XXXXXX)
mkdir -p "$scratch/photos" "$user_dir/curriculum"
cp "$root/resources/logo.jpg" "$scratch/photos/portrait.jpg"

say "starting Pomerel through its Start-menu shortcut"
("$wine" start /wait /unix "$shortcut" >"$build/program.log" 2>&1) &
program_pid=$!
# A first start in a new Wine prefix takes Wine's own set-up: up to two minutes.
wait_for_main_window 1200
# The clicks land where the .ui file places the controls, in the window's client area: the X
# window must be that area alone, frame and caption left out.
size=$(xdotool getwindowgeometry "$main_window" | sed -n 's/^ *Geometry: //p')
[[ $size == 798x602 ]] || fail "the main window's X window is $size, not its client area 798x602"
shots=$build/screenshots
mkdir -p "$shots"

# Wine takes every French letter bound to a spare key for the first one bound, é: the text
# holds no other.
fill_box Text6 'Zoé Dupré'
fill_box Text8 'Comptable'
fill_box Text10 'zoe.dupre@example.org'
fill_box Text1 $'Vingt ans de métier.\nRigueur et discrétion.'
# Drive r: has no disc: the list goes back to the drive it showed, without a word.
click DrvList
xdotool key r Return
sleep 1
[[ -z $(xdotool search --onlyvisible --name '^Pomerel$' 2>/dev/null) ]] ||
    fail "choosing a drive without its disc showed a box"
# The photo is taken from drive z:, chosen by its letter in the drive list.
click DrvList
xdotool key z Return
sleep 1
open_folder dirList "$scratch/photos"
click filList first-row
xdotool mousemove 0 0
sleep 0.5
import -window "$main_window" "$shots/fenetre-principale-windows.png"

# The help window, and back with "Quitter l'aide".
click Image1
help_window=$(wait_for_window '^ *Aide$')
sleep 1
import -window "$help_window" "$shots/aide-windows.png"
xdotool windowfocus --sync "$help_window"
xdotool mousemove --window "$help_window" 65 527 click 1
for _ in $(seq 50); do
    [[ -z $(xdotool search --onlyvisible --name '^ *Aide$' 2>/dev/null) ]] && break
    sleep 0.1
done
[[ -z $(xdotool search --onlyvisible --name '^ *Aide$' 2>/dev/null) ]] ||
    fail "\"Quitter l'aide\" left the help window open"
xdotool windowfocus --sync "$main_window"

click Command6
click DrvList1
xdotool key c Return
sleep 1
open_folder dirList1 "/users/$user/curriculum"
click Command7
answer_box cv
click Command8
for _ in $(seq 100); do
    [[ -s $opened ]] && break
    sleep 0.2
done

page_dir=$user_dir/curriculum/cv
page=$page_dir/CV.html
for file in CV.html portrait.jpg logo.jpg bandeau.gif puce.gif; do
    [[ -n $(find "$page_dir" -maxdepth 1 -iname "$file") ]] || fail "the page's folder lacks $file"
done
page=$(find "$page_dir" -maxdepth 1 -iname cv.html)
grep -q 'portrait.jpg' "$page" || fail "the page does not show the chosen photo"
LC_ALL=C grep -q $'Zo\xe9 Dupr\xe9' "$page" || fail "the page lacks the typed name in Windows-1252"
LC_ALL=C grep -q $'Vingt ans de m\xe9tier.<BR>' "$page" || fail "the page lacks the typed section"
expected="C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE C:\\users\\$user\\curriculum\\cv\\cv.html"
[[ -s $opened ]] || fail "no browser was started"
[[ $(<"$opened") == "$expected" ]] || fail "the browser was started as '$(<"$opened")', not '$expected'"
printf 'made C:\\users\\%s\\curriculum\\cv\\CV.html; the browser was started as: %s\n' "$user" "$(<"$opened")"

quit_program || fail "the program did not end as it should"

# --- Removed as a user removes it --------------------------------------------------------------
say "uninstalling"
# Wine may still be closing the program's process, whose file the uninstaller cannot remove.
for _ in $(seq 100); do
    pgrep -f 'Pomerel.pomerel\.exe' >/dev/null || break
    sleep 0.2
done
run_logged "$build/uninstall.log" "$install_dir/Uninstall.exe" /S
# The uninstaller runs a copy of itself from the temporary folder and returns at once.
for _ in $(seq 100); do
    [[ ! -e $install_dir && ! -e $shortcut ]] && break
    sleep 0.2
done
[[ ! -e $install_dir ]] || fail "the uninstaller left $(ls "$install_dir")"
[[ ! -e $shortcut ]] || fail "the uninstaller left the shortcut"
rm -rf "$scratch"
say "installed, used from the Start menu and removed under Wine"
