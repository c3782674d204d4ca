#!/usr/bin/env bash
# Maps two drive letters of a test Wine prefix, x: and y:, to folders holding two trees that
# differ in every file, for drive_roots_tests; or removes them again. The program makes a
# folder deep inside X: its current folder, so that "X:" and "\" would name that folder if
# they were taken for the current folder instead of the root.
#
# Usage: drive_roots.sh make PREFIX DIR | remove PREFIX DIR
set -euo pipefail
prefix=$2 tree=$3
rm -f "$prefix/dosdevices/x:" "$prefix/dosdevices/y:"
rm -rf "$tree"
[ "$1" = remove ] && exit 0

for side in x y; do
    byte=$([ $side = x ] && echo 1 || echo 2)
    for name in top.txt cur/deep/here.txt sub/in.txt; do
        mkdir -p "$tree/$side/$(dirname "$name")"
        printf '%s' "$byte" >"$tree/$side/$name"
    done
done
# A link back to the root: its files are compared through the root, once.
ln -s . "$tree/x/loop"
ln -sfn "$tree/x" "$prefix/dosdevices/x:"
ln -sfn "$tree/y" "$prefix/dosdevices/y:"
