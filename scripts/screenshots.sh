#!/usr/bin/env bash
# Makes the README's pictures from the real program: fills in the main window on a virtual
# screen as a person would, takes it as docs/fenetre-principale.png, makes the page and takes
# it in headless Chromium as docs/page.png. Run it again after changing the window or the page
# template, look at the pictures, and commit them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/desktop-session.sh"
build=$root/build-run
docs=$root/docs

"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$build" --program

scratch=$(mktemp -d /tmp/pomerel-screenshots.XXXXXX)
program_pid=
cleanup() {
    [[ -z $program_pid ]] || kill "$program_pid" 2>/dev/null || true
    stop_screen
    rm -rf "$scratch"
}
trap cleanup EXIT

mkdir -p "$scratch/photos" "$docs"
cp "$root/resources/logo.jpg" "$scratch/photos/portrait.jpg"
start_screen
start_program "$scratch" "$build/bin" ./pomerel
wait_for_main_window

fill_box Text6 'Camille Martin'
fill_box Text8 'Chargée de communication'
fill_box Text9 'Métiers du livre, événementiel'
fill_box Text10 'camille.martin@example.org'
fill_box Text11 '01 23 45 67 89'
fill_box Text12 '06 12 34 56 78'
fill_box Text13 '12, rue des Lilas'
fill_box Text14 '69003 Lyon'
click Command2
fill_box Text2 $'2019 - 2026 : chargée de communication, maison d\'édition Rhône Livres.\n2015 - 2019 : assistante de communication, Festival des Lumières.'
click Command3
fill_box Text3 $'2015 : master Information et communication, Lyon 2.\n2013 : licence de lettres modernes.'
click Command4
fill_box Text4 $'Photographie, randonnée, théâtre amateur.'
click Command5
fill_box Text5 $'Anglais courant, italien lu.\nPermis B.'
click Command1
fill_box Text1 $'Dix ans d\'expérience dans l\'édition et l\'événementiel.\nJ\'aime les projets qui rassemblent.'
open_folder dirList "$scratch/photos"
click filList first-row
xdotool mousemove 0 0 # no pointer over the window
sleep 0.5
import -window "$main_window" "$docs/fenetre-principale.png"

click Command6
open_folder dirList1 "$scratch"
click Command7
answer_box cv
click Command8
for _ in $(seq 50); do
    [[ -f $scratch/cv/CV.html ]] && break
    sleep 0.2
done
quit_program

chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$scratch/chromium" --hide-scrollbars --window-size=1100,1150 \
    --screenshot="$docs/page.png" "file://$scratch/cv/CV.html" 2>/dev/null
ls -l "$docs"/fenetre-principale.png "$docs"/page.png
