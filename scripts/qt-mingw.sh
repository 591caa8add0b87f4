#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the static Qt for mingw-w64 that the Windows program links against, from Debian's own
# qtbase source package (the version of the host's Qt tools, which the cross build uses), and
# installs it into a cache folder outside the clone:
#   ${POMEREL_QT_MINGW:-/var/cache/pomerel/qt6-mingw-6.4.2}
# A stamp in that folder records the version and the options; when it matches, nothing is
# done. The download and the build go beside it (<folder>.build), and the build folder is removed
# once the install succeeded (POMEREL_QT_KEEP_BUILD=1 keeps it).
# POMEREL_QT_JOBS sets the build's parallel jobs (the number of cores by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

version=6.4.2
debian_version=6.4.2+dfsg-10
prefix=${POMEREL_QT_MINGW:-/var/cache/pomerel/qt6-mingw-$version}
work=${prefix%/}.build
jobs=${POMEREL_QT_JOBS:-$(nproc)}
start=$SECONDS

say() { printf '[qt-mingw %4d s] %s\n' "$((SECONDS - start))" "$*"; }

# Windows' own widgets, painting, images and the test library; nothing that needs a server,
# a GPU or a printer. The image and text libraries are Qt's bundled copies, built in.
# Debian's source lacks the tablet header (wintab.h), so tablet events are off. direct2d stays
# on: the windows platform's DirectWrite fonts are built with it.
options=(
    -release -static -static-runtime
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
    -qt-host-path /usr
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-vulkan -no-feature-zstd -no-feature-direct2d1_1
    -no-feature-tabletevent
)
stamp_text="qtbase $debian_version ${options[*]}"

if [[ -f $prefix/pomerel-qt.stamp && $(<"$prefix/pomerel-qt.stamp") == "$stamp_text" ]]; then
    say "Qt $version for mingw-w64 already in $prefix"
    exit 0
fi

for tool in apt-get dpkg-source ninja x86_64-w64-mingw32-g++-posix /usr/lib/qt6/libexec/moc; do
    if ! command -v "$tool" >/dev/null; then
        echo "qt-mingw: $tool is missing; run scripts/setup.sh" >&2
        exit 1
    fi
done

# --- The source, from Debian's mirror through a private apt configuration --------------------
# apt checks the mirror's Release file against Debian's archive keys (debian-archive-keyring)
# and the .dsc against the signed index's checksums, and dpkg-source the tarballs against the
# .dsc's. The uploader's own signature on the .dsc would need the debian-keyring package:
# dpkg-source says it cannot check it, and the chain above stands for it.
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/sources.list.d" "$work/src"
cat >"$apt_dir/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
apt_options=(
    -o Dir::Etc::SourceList="$apt_dir/sources.list"
    -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists"
    -o Dir::Cache="$apt_dir"
    -o Dir::Cache::Archives="$apt_dir/archives"
    -o Dir::State::Status=/var/lib/dpkg/status
    -o APT::Get::AllowUnauthenticated=false
    -o Acquire::AllowInsecureRepositories=false
)
if [[ ! -f $work/src/extracted ]]; then
    say "fetching the index of Debian's sources"
    apt-get "${apt_options[@]}" -qq update
    say "fetching qt6-base $debian_version"
    rm -rf "$work/src"/qt6-base-*/
    (cd "$work/src" && apt-get "${apt_options[@]}" -qq --download-only source "qt6-base=$debian_version")
    dsc=$work/src/qt6-base_${debian_version}.dsc
    # The checksum apt took from the signed index, compared once more here, by hand.
    expected=$(apt-get "${apt_options[@]}" -qq --print-uris source "qt6-base=$debian_version" |
        awk -v name="$(basename "$dsc")" '$2 == name { print $4 }')
    actual=SHA256:$(sha256sum "$dsc" | cut -d' ' -f1)
    if [[ $expected != "$actual" ]]; then
        echo "qt-mingw: $dsc does not match Debian's signed index ($expected, $actual)" >&2
        exit 1
    fi
    say "$(basename "$dsc") matches Debian's signed index; checking and unpacking"
    (cd "$work/src" && dpkg-source --no-copy -x "$(basename "$dsc")" >/dev/null)
    touch "$work/src/extracted"
fi
source_dir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)

# --- Configure in a fresh folder: a configured one ignores changed features ------------------
build=$work/build
rm -rf "$build" "$prefix"
mkdir -p "$build"
say "configuring in $build"
(cd "$build" && "$source_dir/configure" "${options[@]}" -prefix "$prefix" -- \
    -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) || {
    tail -40 "$work/configure.log" >&2
    exit 1
}

say "building with $jobs jobs (log in $work/build.log)"
# Ninja's own progress lines, one in fifty, so that a long build shows it is alive.
if ! cmake --build "$build" --parallel "$jobs" 2>&1 | tee "$work/build.log" |
    awk '/^\[[0-9]+\/[0-9]+\]/ { n++; if (n % 50 == 0) { print $1; fflush() } }
         /error:|FAILED:/ { print; fflush() }'; then
    tail -40 "$work/build.log" >&2
    exit 1
fi

say "installing into $prefix"
cmake --install "$build" >"$work/install.log"
printf '%s\n' "$stamp_text" >"$prefix/pomerel-qt.stamp"
if [[ ${POMEREL_QT_KEEP_BUILD:-0} != 1 ]]; then
    rm -rf "$build"
fi
say "Qt $version for mingw-w64 ready in $prefix ($(du -sh "$prefix" | cut -f1)), $(((SECONDS - start) / 60)) min"
