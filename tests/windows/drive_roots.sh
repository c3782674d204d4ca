#!/usr/bin/env bash
# Maps two drive letters of the test's Wine prefix, x: and y:, to fresh folders holding two
# trees that differ in every file, then runs the Windows test program given as $1 under Wine.
# The program makes a folder deep inside X: its current folder, so that "X:" and "\" would
# name that folder if they were taken for the current folder instead of the root.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${WINEPREFIX:-}" ]; then
    # As wine-run finds it: the prefix of the build folder above the current one.
    dir=$PWD
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    export WINEPREFIX=$dir/wineprefix
fi
. "$here/../../scripts/wine-env"
sorowa_prepare_prefix

tree=$(mktemp -d)
cleanup() {
    rm -f "$WINEPREFIX/dosdevices/x:" "$WINEPREFIX/dosdevices/y:"
    rm -rf "$tree"
}
trap cleanup EXIT

for side in x y; do
    byte=$([ $side = x ] && echo 1 || echo 2)
    for name in top.txt cur/deep/here.txt sub/in.txt; do
        mkdir -p "$tree/$side/$(dirname "$name")"
        printf '%s' "$byte" >"$tree/$side/$name"
    done
done
# A link back to the root: its files are compared through the root, once.
ln -s . "$tree/x/loop"
ln -sfn "$tree/x" "$WINEPREFIX/dosdevices/x:"
ln -sfn "$tree/y" "$WINEPREFIX/dosdevices/y:"

"$here/../../scripts/wine-run" "$program"
