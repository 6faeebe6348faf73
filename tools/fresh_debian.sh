#!/usr/bin/env bash
# Runs CI's command on a fresh minimal Debian of the given release, as a new
# player's or CI's machine would first see the project:
#
#   sudo tools/fresh_debian.sh bookworm    # Debian 12
#   sudo tools/fresh_debian.sh trixie      # Debian 13
#
# The base system (debootstrap --variant=minbase) is made once per release and
# kept as a tarball under $DOVREL_FRESH_CACHE (default /var/cache/dovrel-fresh);
# each run unpacks a copy, clones this repository's HEAD into it, runs
# `CI=true bash .ci/run` inside with a clean environment, and removes the copy
# again whatever happens. The whole output goes to the terminal and to
# $DOVREL_FRESH_LOG (default /var/tmp/dovrel-fresh-RELEASE.log); the exit code
# is that of .ci/run.
set -euo pipefail

release=${1:-}
if [ -z "$release" ] || [ $# -ne 1 ]; then
    echo "usage: $0 RELEASE   (bookworm for Debian 12, trixie for Debian 13)" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: needs root, to make the system and to mount into it" >&2
    exit 2
fi

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
    echo "Note: uncommitted changes are not part of the run; it tests $commit."
fi

source "$repo/tools/install_missing.sh"
install_missing debootstrap

mirror=http://deb.debian.org/debian
cache=${DOVREL_FRESH_CACHE:-/var/cache/dovrel-fresh}
base=$cache/$release-minbase.tar
log=${DOVREL_FRESH_LOG:-/var/tmp/dovrel-fresh-$release.log}
mkdir -p "$cache"

root=$(mktemp -d /var/tmp/dovrel-fresh-"$release".XXXXXX)
# Whatever state the run reached: end what still runs inside the copy (a
# daemon a test left, or the whole run when this script is stopped), unmount
# in reverse order, and only then remove the copy, or rm would reach through a
# mount into the host's /dev.
cleanup() {
    local m p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -KILL "${p#/proc/}" 2>/dev/null
    done
    sleep 1
    for m in dev/shm dev/pts dev proc; do
        if mountpoint -q "$root/$m"; then
            umount "$root/$m" || umount -l "$root/$m"
        fi
    done
    if ! grep -q " $root/" /proc/mounts; then
        rm -rf --one-file-system "$root"
    else
        echo "$0: $root is still mounted; left in place" >&2
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -f "$base" ]; then
    echo "Making a minimal $release (once; kept in $base)..."
    made=$(mktemp -d "$cache/$release.XXXXXX")
    if ! debootstrap --variant=minbase "$release" "$made" "$mirror" >"$made.log" 2>&1; then
        tail -20 "$made.log" >&2
        rm -rf --one-file-system "$made" "$made.log"
        exit 1
    fi
    tar -C "$made" --numeric-owner -cf "$base.part" .
    mv "$base.part" "$base"
    rm -rf --one-file-system "$made" "$made.log"
fi

tar -C "$root" --numeric-owner -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages installed in a chroot must not try to start their services.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
# A slave, so nothing mounted below it here ever shows up in the host's /dev.
mount --make-slave "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"

git clone --quiet --no-checkout --no-hardlinks "$repo" "$root/project"
git -C "$root/project" -c advice.detachedHead=false checkout --quiet "$commit"

echo "Running .ci/run at $commit on a fresh $release (log: $log)"
# In the background, so that a stop reaches the traps at once rather than
# after the whole run.
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb CI=true \
    bash -c 'cd /project && bash .ci/run' </dev/null > >(tee "$log") 2>&1 &
status=0
wait $! || status=$?
echo "$release: .ci/run exited with $status"
exit "$status"
