#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The debian13 stage. Checks the tree and its package on Debian 13 (trixie), in a root of its
# own, as a packager would: scripts/setup.sh installs what the normal build and suite need, the
# normal build (warnings are errors) and its whole suite run against Debian 13's Qt and GCC, and
# the package built here on Debian 12 (scripts/package.sh) is installed there with apt-get and
# used from its menu entry on a virtual screen (scripts/install-and-use.sh).
#
# The root is made once with debootstrap from Debian's mirror into $POMEREL_DEBIAN13_ROOT
# (/var/cache/pomerel/debian13-root) and kept, with its build folder, for the next runs; a
# root whose making stopped half-way is made again. The clone appears read-only in it, as
# /pomerel. `test-debian13.sh --root` only makes the root and installs its packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${POMEREL_DEBIAN13_ROOT:-/var/cache/pomerel/debian13-root}
mirror=http://deb.debian.org/debian
stamp=.pomerel-root-made
tree=/pomerel
build=/var/tmp/pomerel-build

mounts=()
unmount_all() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"
    done
    mounts=()
}
trap unmount_all EXIT
trap 'exit 1' INT TERM HUP

# Mounts left under a folder by a run that was killed, deepest first.
mounted_under() {
    awk -v folder="$1" '$5 == folder || index($5, folder "/") == 1 {print $5}' \
        /proc/self/mountinfo | sort -r
}

unmount_leftovers() {
    local folder
    for folder in "$@"; do
        mounted_under "$folder" | xargs -r -n 1 umount -l
        if [[ -n $(mounted_under "$folder") ]]; then
            echo "debian13: $folder still has mounts; not touching it." >&2
            exit 1
        fi
    done
}

# Mounts (mount's own arguments, the mount point last) and notes it for unmounting.
mount_in() {
    mount "$@"
    mounts+=("${!#}")
}

# What a program run in the root needs from the system, and the clone, read-only.
enter() {
    local folder=$1
    # A mount of its own, so that the root's programs see "/" among the mounted volumes.
    mount_in --bind "$folder" "$folder"
    mount_in -t proc proc "$folder/proc"
    mount_in -t sysfs sysfs "$folder/sys"
    mount_in --bind /dev "$folder/dev"
    mount_in --bind /dev/pts "$folder/dev/pts"
    mount_in -t tmpfs tmpfs "$folder/dev/shm"
    mount_in -t tmpfs tmpfs "$folder/tmp"
    mkdir -p "$folder$tree"
    mount_in --bind "$root" "$folder$tree"
    mount -o remount,bind,ro "$folder$tree"
    cp -L --remove-destination /etc/resolv.conf "$folder/etc/resolv.conf"
}

in_root() {
    chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

step_start=$SECONDS
step() {
    echo "--- $1 (after $((SECONDS - step_start)) s)"
}

# A minimal system from Debian's mirror, made aside and moved in place once whole.
make_root() {
    if [[ -f $target/$stamp ]]; then
        return
    fi
    step "making the Debian 13 root in $target"
    local new=$target.new
    if [[ -e $target ]]; then
        echo "debian13: $target is there but was not made by this script; not touching it." >&2
        exit 1
    fi
    unmount_leftovers "$new"
    rm -rf "$new"
    debootstrap --variant=minbase trixie "$new" "$mirror"
    # No service starts in the root.
    printf '#!/bin/sh\nexit 101\n' >"$new/usr/sbin/policy-rc.d"
    chmod +x "$new/usr/sbin/policy-rc.d"
    touch "$new/$stamp"
    mv "$new" "$target"
}

mkdir -p "$(dirname "$target")"
exec 9>"$target.lock"
flock 9
unmount_leftovers "$target"
make_root
enter "$target"
step "installing the packages of the build and suite"
# Finishes what an interrupted run left half-installed.
in_root dpkg --configure -a
in_root "$tree/scripts/setup.sh" suite screen
if [[ ${1:-} == --root ]]; then
    exit 0
fi

step "the normal build, warnings as errors"
in_root "$tree/scripts/build.sh" "$build"
step "the normal suite"
in_root env QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure \
    --parallel "$(nproc)"

step "the package built on this machine"
deb=$("$root/scripts/package.sh" | tail -n 1)
in_root "$tree/scripts/install-and-use.sh" "$tree/${deb#"$root"/}"
step "done"
