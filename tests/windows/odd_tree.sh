#!/usr/bin/env bash
# Builds, from the Linux side, a tree of names that Windows path parsing gets wrong (device
# names, trailing dots and spaces, names the code page cannot hold, links back up the tree,
# files past 4 GiB, first folders that the narrow calls cannot reach), for odd_names_tests,
# wide_names_tests and code_page_tests; or removes it.
#
# Usage: odd_tree.sh make DIR | remove DIR
set -euo pipefail
tree=$2
rm -rf "$tree"
[ "$1" = remove ] && exit 0

for side in one two; do mkdir -p "$tree/$side/sub"; done
# Names that open a device, or another file, unless they are taken literally.
for name in nul.txt aux.c com1 CON 'trail.' 'trail '; do
    printf 'A' >"$tree/one/$name"
    printf 'B' >"$tree/two/$name"
done
printf 'same' >"$tree/one/trail"
printf 'same' >"$tree/two/trail"
# Names outside code page 932, beside the names a best-fit conversion would make of them.
for name in 'ü.txt' 'a¥b.txt'; do
    printf '1' >"$tree/one/$name"
    printf '2' >"$tree/two/$name"
done
printf 'same' >"$tree/one/u.txt"
printf 'same' >"$tree/two/u.txt"
# Trees whose names the code page cannot hold, for the console twin and the window: a folder
# déjà with names that differ between the sides, one whose name looks like its neighbour's in
# a header, and first paths under 한글 and Jürgen, as folders and as files.
for side in l r; do
    mkdir -p "$tree/wide/$side/déjà" "$tree/wide/한글/$side"
    for name in 'über.txt' '한글.bin' 'café' 'cafè'; do
        printf '%s' "$side" >"$tree/wide/$side/déjà/$name"
    done
    printf '%s' "$side" >"$tree/wide/한글/$side/x.bin"
done
# A link back up the tree under such a name: the loop guard keeps it from being entered.
ln -s .. "$tree/wide/l/déjà/zurück"
mkdir -p "$tree/wide/Jürgen"
printf 'l' >"$tree/wide/Jürgen/l.bin"
printf 'r' >"$tree/wide/Jürgen/r.bin"
# A pair whose report (2,000 difference lines) overflows the window's box.
head -c 2000 /dev/zero >"$tree/wide/Jürgen/big1.bin"
head -c 2000 /dev/zero | tr '\0' '\1' >"$tree/wide/Jürgen/big2.bin"
# The tree of the cases run under every system code page: 表 (whose second byte is 0x5C),
# über, a file under 資料 missing on the other side, a pair whose report overflows the box
# in a folder 表, a first path under 한글, and a pair that matches.
for side in l r; do
    mkdir -p "$tree/cp/$side/資料" "$tree/cp/表/$side" "$tree/cp/한글/$side"
    printf '%s' "$side" >"$tree/cp/$side/表.bin"
    printf '%s' "$side" >"$tree/cp/$side/über.bin"
    printf '%s' "$side" >"$tree/cp/한글/$side/über.bin"
done
printf 'x' >"$tree/cp/l/資料/表.txt"
head -c 2000 /dev/zero >"$tree/cp/表/l/表.bin"
head -c 2000 /dev/zero | tr '\0' '\1' >"$tree/cp/表/r/表.bin"
mkdir -p "$tree/cp/same"
printf 'same' >"$tree/cp/same/l.bin"
printf 'same' >"$tree/cp/same/r.bin"
# Links back up the tree.
ln -s . "$tree/one/loop"
ln -s .. "$tree/one/sub/up"
printf 'x' >"$tree/one/sub/x.txt"
# Sparse files past 4 GiB: differing only in their last byte, and against an empty file.
truncate -s 4294967297 "$tree/one/big" "$tree/two/big"
printf '\001' | dd of="$tree/two/big" bs=1 seek=4294967296 conv=notrunc status=none
truncate -s 4294967296 "$tree/one/huge"
: >"$tree/two/huge"

# First folders whose own name ends in a dot or a space, or whose path is past 260 bytes.
long=$(printf 'L%.0s' {1..60})
# The same with names the code page cannot hold.
for first in 'v1.' 'v1 ' "$long/$long/$long/$long/$long" 'Jürgen.' "$long/한글/$long/$long/$long"; do
    mkdir -p "$tree/firsts/$first/in"
    printf '1' >"$tree/firsts/$first/a.txt"
    printf '1' >"$tree/firsts/$first/in/b.txt"
done
mkdir -p "$tree/second/in"
printf '2' >"$tree/second/a.txt"
printf '2' >"$tree/second/in/b.txt"
