#!/usr/bin/env bash
# make fresh-check: does what a newcomer does on a fresh Debian 12 machine, and fails where
# they would. It builds a clean Debian 12 root with mmdebstrap from this machine's apt
# sources, clones the current commit into it and, as an ordinary user with sudo, runs
# `make test` and `make package`; then installs the package it made with apt, starts the
# installed program headless as far as its main window, validates the menu entry and runs
# lintian on the package. The root is unmounted and removed afterwards, whatever happened.
#
# FRESH_CHECK_DIR   where the root is made (default /var/tmp; it needs a few GB)
# FRESH_CHECK_SOURCES  apt sources files for the root (default: this machine's)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
    # mmdebstrap, mount and chroot need root.
    exec sudo --preserve-env=FRESH_CHECK_DIR,FRESH_CHECK_SOURCES bash "$0" "$@"
fi

commit=$(git -C "$repo" rev-parse HEAD)
user=newcomer
work=""
root=""
mounts=()
current_phase="start"
phase_started=$SECONDS
summary=()

say() { printf '\n==> fresh-check: %s\n' "$*"; }
fail() {
    printf '\n!!! fresh-check FAILED: %s\n' "$*" >&2
    exit 1
}

# Runs one named step, timing it; any failure inside ends the whole check.
phase() {
    current_phase=$1
    shift
    say "$current_phase"
    phase_started=$SECONDS
    "$@"
    local took=$((SECONDS - phase_started))
    summary+=("$(printf '%5d s  %s' "$took" "$current_phase")")
    printf '<== %s: done in %d s\n' "$current_phase" "$took"
}

# Runs a command inside the root as the newcomer, with a login's environment and nothing
# inherited from the machine outside. It runs in the background and is waited for, because
# bash holds back a trap until a foreground command ends: this way a TERM sent to this script
# alone cleans up at once (the clean-up ends whatever still runs in the root).
as_newcomer() {
    chroot "$root" runuser -u "$user" -- env -i HOME="/home/$user" USER="$user" \
        LOGNAME="$user" SHELL=/bin/bash PATH=/usr/local/bin:/usr/bin:/bin \
        bash -c "cd ~ && $1" &
    wait $!
}

as_root() {
    chroot "$root" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DEBIAN_FRONTEND=noninteractive bash -c "$1" &
    wait $!
}

still_mounted_under() {
    awk -v r="$1" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ "$status" -ne 0 ]; then
        printf '\n!!! fresh-check FAILED in "%s" after %d s (status %d)\n' \
            "$current_phase" $((SECONDS - phase_started)) "$status" >&2
    fi
    if [ -n "$work" ] && [ -d "$work" ]; then
        say "cleaning up $work"
        local cleanup_started=$SECONDS
        # Anything still running in the root would keep its mounts busy.
        local pid
        for pid in $(ls /proc | grep -E '^[0-9]+$'); do
            if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ]; then
                kill -KILL "$pid" 2>/dev/null || true
            fi
        done
        local i
        for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
            umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" ||
                echo "cannot unmount ${mounts[i]}" >&2
        done
        local left
        left=$(still_mounted_under "$root")
        if [ -n "$left" ]; then
            # Removing the tree now would reach through to the machine's own /dev and /proc.
            printf '!!! still mounted, %s NOT removed:\n%s\n' "$work" "$left" >&2
            status=1
        else
            rm -rf --one-file-system "$work"
            echo "removed $work"
        fi
        summary+=("$(printf '%5d s  %s' $((SECONDS - cleanup_started)) "clean-up")")
    fi
    if [ ${#summary[@]} -gt 0 ]; then
        say "time of each step"
        printf '%s\n' "${summary[@]}"
    fi
    [ "$status" -eq 0 ] && say "passed ($commit, $SECONDS s in all)"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

host_tools() {
    command -v mmdebstrap >/dev/null && return
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
}

apt_sources() {
    if [ -n "${FRESH_CHECK_SOURCES:-}" ]; then
        printf '%s\n' $FRESH_CHECK_SOURCES
        return
    fi
    [ -s /etc/apt/sources.list ] && grep -qE '^[[:space:]]*deb' /etc/apt/sources.list &&
        echo /etc/apt/sources.list
    ls /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true
}

make_root() {
    local sources
    mapfile -t sources < <(apt_sources)
    [ ${#sources[@]} -gt 0 ] || fail "this machine has no apt sources to build the root from"
    echo "apt sources: ${sources[*]}"
    # The apt variant is smaller than a default install: whatever the set-up forgets to
    # install shows here. git and make are what the README asks a newcomer to have.
    mmdebstrap --variant=apt --include=ca-certificates,git,make,sudo \
        bookworm "$root" "${sources[@]}" </dev/null
}

mount_root() {
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    printf '127.0.0.1 localhost %s\n' "$(hostname)" >"$root/etc/hosts"
    # Each is recorded once it is made, so that the clean-up undoes exactly these.
    mount -t proc proc "$root/proc"
    mounts+=("$root/proc")
    mount -t sysfs sysfs "$root/sys"
    mounts+=("$root/sys")
    mount --bind /dev "$root/dev"
    mounts+=("$root/dev")
    mount --bind /dev/pts "$root/dev/pts"
    mounts+=("$root/dev/pts")
    mount -t tmpfs tmpfs "$root/dev/shm"
    mounts+=("$root/dev/shm")
}

prepare_root() {
    mount_root
    add_newcomer
}

add_newcomer() {
    as_root "useradd --create-home --shell /bin/bash $user"
    echo "$user ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$user"
    chmod 0440 "$root/etc/sudoers.d/$user"
}

clone() {
    local dest="$root/home/$user/tavi"
    git clone --quiet --no-hardlinks --no-checkout "$repo" "$dest"
    # The commit may be on no branch (a detached HEAD), so it is fetched by name.
    git -C "$dest" fetch --quiet "$repo" "$commit"
    git -C "$dest" checkout --quiet --detach "$commit"
    local uid
    uid=$(chroot "$root" id -u "$user")
    chown -R "$uid:$uid" "$dest"
    as_newcomer "git -C tavi log -1 --format='cloned %h %s'"
}

install_package() {
    as_newcomer "cd tavi/build && ls tavi_*.deb && sudo DEBIAN_FRONTEND=noninteractive apt install -y ./tavi_*.deb"
    as_newcomer "dpkg-query -W -f='\${Package} \${Version} installed\n' tavi && dpkg -S /usr/bin/tavi"
}

start_installed() {
    local out
    out=$(as_newcomer "cd / && TAVI_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen timeout 120 /usr/bin/tavi")
    echo "$out"
    [[ "$(tail -n 1 <<<"$out")" =~ ^[0-9]+$ ]] ||
        fail "the installed program did not report its main window"
    echo "the installed /usr/bin/tavi showed its main window after $(tail -n 1 <<<"$out") ms and quit with status 0"
}

check_package() {
    as_root "apt-get install -y -qq --no-install-recommends desktop-file-utils lintian >/dev/null"
    as_newcomer "desktop-file-validate /usr/share/applications/tavi.desktop && echo 'desktop-file-validate: no errors'"
    # lintian exits non-zero on any error; warnings and notes are printed for the reader.
    as_newcomer "cd tavi/build && lintian --display-info ./tavi_*.deb && echo 'lintian: no errors'"
}

# In one function, so that bash has read the whole script before it starts: a checkout that
# changes this file during the long run cannot change what the run does.
main() {
    say "checking commit $commit of $repo on a fresh Debian 12 root"
    phase "tools on this machine" host_tools
    local base
    base=${FRESH_CHECK_DIR:-/var/tmp}
    df -h "$base"
    work=$(realpath "$(mktemp -d "$base/tavi-fresh-check.XXXXXX")") # as /proc/PID/root shows it
    chmod 755 "$work" # apt downloads as the _apt user, who must reach the root's folders
    root="$work/root"
    phase "fresh Debian 12 root in $root" make_root
    phase "mounts and a newcomer with sudo" prepare_root
    phase "git clone" clone
    phase "make test" as_newcomer "cd tavi && make test"
    phase "make package" as_newcomer "cd tavi && make package"
    phase "apt install ./tavi_*.deb" install_package
    phase "start the installed program headless" start_installed
    phase "desktop-file-validate and lintian" check_package
}

main "$@"; exit
