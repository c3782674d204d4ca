#!/usr/bin/env bash
# The fixture of the i686 smoke set: where the kernel cannot execute i386 programs, hands them
# to the user-mode emulator qemu-i386 for as long as the smoke set runs (binfmt_misc), so that
# the release build is never left untested. Every program start then costs about a minute,
# and every i386 program of the machine runs that way while the registration exists: it is
# made last thing before the smoke cases and removed right after them (scripts/test removes it
# too when a run is interrupted). It is never made where i386 programs run natively.
#
# Usage: i386_emulation.sh add DIR PREFIX | remove DIR
# DIR/state says how the smoke set runs, or "skip: WHY"; DIR/entry names our registration.
# A prefix made where the 32-bit Wine could not run lacks its 32-bit side (an empty
# syswow64): Wine makes it under the emulator first, once (about two minutes), and it stays
# with the prefix for the later runs of the tree.
set -u
command=$1 dir=$2 prefix=${3:-}
binfmt=/proc/sys/fs/binfmt_misc
loader=/usr/lib/wine/wine
qemu=/usr/bin/qemu-i386

remove() {
    local name
    name=$(cat "$dir/entry" 2>/dev/null) || return 0
    if [ -n "$name" ] && [ -e "$binfmt/$name" ]; then
        echo -1 >"$binfmt/$name" || { echo "i386_emulation: cannot remove $binfmt/$name" >&2; return 1; }
    fi
    rm -f "$dir/entry"
}

# The smoke cases cannot run here: they will say why and count as skipped.
skip() {
    echo "skip: $1" >"$dir/state"
    echo "i386_emulation: the i686 smoke set is skipped: $1"
    exit 0
}

# The prefix's 32-bit side, made under the emulator where the prefix was made without one.
make_32bit_side() {
    local start=$SECONDS
    export WINEPREFIX=$prefix
    sorowa_has_32bit_side && return 0
    echo "i386_emulation: making the 32-bit side of $prefix under the emulator"
    if ! sorowa_make_32bit_side; then
        remove
        echo "fail: $sorowa_32bit_said" >"$dir/state"
        echo "i386_emulation: FAILED: $sorowa_32bit_said"
        exit 1
    fi
    echo "i386_emulation: the 32-bit side was made in $((SECONDS - start)) s"
}

case $command in
    remove)
        remove
        exit ;;
    add) ;;
    *) echo "usage: i386_emulation.sh add DIR | remove DIR" >&2; exit 2 ;;
esac

mkdir -p "$dir"
rm -f "$dir/state"
remove || exit 1 # what an interrupted run may have left
. "$(dirname "$0")/../../scripts/wine-env"

[ -x "$loader" ] || skip "the 32-bit Wine (wine32:i386) is not installed"
if name=$(sorowa_i386_emulated); then
    make_32bit_side
    echo "under the emulator of the machine's binfmt_misc entry $name" >"$dir/state"
    exit 0
fi
# The kernel's own answer, asked before anything is registered.
said=$("$loader" --version 2>&1)
case $? in
    0) echo "natively: this machine executes i386 programs itself" >"$dir/state"
       exit 0 ;;
    126) ;; # the kernel cannot execute it ("Exec format error")
    *) skip "the 32-bit Wine loader does not start: $said" ;;
esac
[ "$(id -u)" = 0 ] || skip "this machine cannot execute i386 programs, and registering an emulator for them needs root"
[ -x "$qemu" ] || skip "this machine cannot execute i386 programs, and $qemu is not installed (package qemu-user)"
if [ ! -e "$binfmt/register" ] && ! said=$(mount -t binfmt_misc binfmt_misc "$binfmt" 2>&1); then
    skip "this machine cannot execute i386 programs, and binfmt_misc cannot be mounted: $said"
fi

# An ELF of 32-bit class, little-endian, version 1, an executable or a shared object (type 2
# or 3, so the mask's fe), machine 3: i386. Flags: argv[0] kept (P), the program opened for the
# emulator (O), credentials of the program (C), the emulator opened now (F).
name=sorowa-i386-$$
echo "$name" >"$dir/entry" # first, so that an interrupted run still finds it
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
if ! said=$(printf '%s' ":$name:M::$magic:$mask:$qemu:POCF" 2>&1 >"$binfmt/register"); then
    rm -f "$dir/entry"
    skip "this machine cannot execute i386 programs, and the kernel refused the emulator's registration: $said"
fi
if ! said=$("$loader" --version 2>&1); then
    remove
    skip "the 32-bit Wine loader does not start under qemu-i386 either: $said"
fi
make_32bit_side
echo "under user-mode emulation (qemu-i386, binfmt_misc entry $name, removed after the set)" >"$dir/state"
