#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a Pomerel package (the .deb given) with apt-get and its dependencies, and uses it as
# a person would: the installed program makes a page on a virtual screen, started the way its
# menu entry starts it, then typed in a terminal by an ordinary user in a home folder without
# the page template. The package is removed again at the end, whatever happened. Run by the
# package stage on this machine and by the debian13 stage in its Debian 13 root. A copy
# installed before is removed too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/desktop-session.sh"
deb=$(realpath "$1")

id=fr.pomerel.Pomerel
entry=/usr/share/applications/$id.desktop
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi

# In /tmp, not a dot folder: the folder lists are driven by name from the root.
scratch=$(mktemp -d /tmp/pomerel-package.XXXXXX)
installed=false
program_pid=
cleanup() {
    [[ -z $program_pid ]] || kill "$program_pid" 2>/dev/null || true
    stop_screen
    if $installed; then
        "${sudo[@]}" apt-get remove --purge -y -qq pomerel >/dev/null || true
    fi
    "${sudo[@]}" rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

echo "--- installing with apt-get"
installed=true
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$deb"
for file in /usr/bin/pomerel /usr/libexec/pomerel/pomerel /usr/share/pomerel/brt.ggg \
    /usr/share/man/man1/pomerel.1.gz /usr/share/icons/hicolor/256x256/apps/$id.png "$entry"; do
    [[ -f $file ]] || fail "$file is not installed"
done

echo "--- the installed program, started as its menu entry starts it"
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUick]//g')
folder=$(sed -n 's/^Path=//p' "$entry")
[[ -f $folder/brt.ggg ]] || fail "the menu entry starts the program in $folder, which lacks brt.ggg"

# Types a CV into the program just started, makes its page in a new folder "cv" of the
# destination with the only photo of the photo folder, checks the page, its pictures and that
# the browser was given it (SESSION is start_program's folder), and quits.
make_and_check_page() {
    local session=$1 photos=$2 destination=$3
    wait_for_main_window
    # A program started for a new user may still be settling in (its caches, the keyboard's
    # map) when its window shows; a letter typed then can go missing.
    sleep 1
    fill_box Text6 'Hélène Dupré'
    fill_box Text8 'Comptable'
    fill_box Text10 'helene.dupre@example.org'
    fill_box Text1 $'Vingt ans de métier.\nRigueur et discrétion.'
    make_page "$photos" "$destination" cv

    page=$destination/cv/CV.html
    for _ in $(seq 50); do
        [[ -s $session/opened ]] && break
        sleep 0.2
    done
    for file in CV.html portrait.jpg logo.jpg bandeau.gif puce.gif; do
        [[ -f $destination/cv/$file ]] || fail "the page's folder lacks $file"
    done
    grep -q 'portrait.jpg' "$page" || fail "the page does not show the chosen photo"
    LC_ALL=C grep -q $'H\xe9l\xe8ne Dupr\xe9' "$page" ||
        fail "the page lacks the typed name: $(LC_ALL=C grep -o 'id="nom">[^<]*' "$page" | iconv -f cp1252)"
    LC_ALL=C grep -q $'Vingt ans de m\xe9tier.<BR>' "$page" || fail "the page lacks the typed section"
    grep -qx "file://$page" "$session/opened" || fail "the browser was not given the page"
    echo "made $page and opened it in the browser"

    quit_program || fail "the program did not end as it should"
}

mkdir -p "$scratch/photos"
cp /usr/share/pomerel/logo.jpg "$scratch/photos/portrait.jpg"
start_screen
# Exec's words, split as the desktop splits them: this entry quotes none.
# shellcheck disable=SC2086
start_program "$scratch" "$folder" $command
make_and_check_page "$scratch" "$scratch/photos" "$scratch"

echo "--- the installed program, typed in a terminal in an ordinary user's home folder"
# The user nobody, at home in a folder of its own that holds no brt.ggg; the scratch folder
# lets it through. Its session folder takes start_program's stand-ins, which sudo would drop
# from the path.
user=$scratch/nobody
home=$user/home
as_nobody=(runuser -u nobody --)
((EUID == 0)) || as_nobody=(sudo --preserve-env "${as_nobody[@]}")
"${sudo[@]}" chmod 755 "$scratch"
"${sudo[@]}" install -d -o nobody -g "$(id -gn nobody)" -m 700 "$user" "$user/runtime" "$home" \
    "$home/photos"
"${sudo[@]}" install -o nobody -m 644 /usr/share/pomerel/logo.jpg "$home/photos/portrait.jpg"
start_program "$user" "$home" "${as_nobody[@]}" env HOME="$home" PATH="$user/bin:$PATH" pomerel
make_and_check_page "$user" "$home/photos" "$home"
[[ $(stat -c %U "$page") == nobody ]] || fail "the page was not written by the user"

echo "--- removing"
"${sudo[@]}" apt-get remove --purge -y -qq pomerel >/dev/null
installed=false
for file in /usr/bin/pomerel /usr/libexec/pomerel "$entry" /usr/share/pomerel; do
    [[ ! -e $file ]] || fail "$file is left after removal"
done
echo "package: installed, used from its menu entry and a terminal, and removed"
