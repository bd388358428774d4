#!/bin/sh
# Runs a Windows program under wine with a prefix of its own (wine needs a writable one; the first
# start creates it, which takes a while) and without wine's debug chatter.
# WINEPREFIX may be set by the caller; by default it lives beside the build, in build/wine.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wine}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
if command -v wine64 >/dev/null 2>&1; then exec wine64 "$@"; fi
exec wine "$@"
