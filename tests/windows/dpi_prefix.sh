#!/usr/bin/env bash
# A Wine prefix of its own whose screen has the given scale, in pixels per inch.
# Usage: dpi_prefix.sh PREFIX DPI
set -u
. "$(dirname "$0")/../../scripts/wine-env"
export WINEPREFIX=$1
# A prefix that could not be prepared fails the fixture here, rather than being made anew
# without its scale by the first case that runs in it.
sorowa_prepare_prefix || exit 1
"$sorowa_wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1 || exit 1
wineserver -w
