#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix that `make check` prepared.
# Used by CTest as the cross-compiling emulator.
set -u
: "${WINEPREFIX:=${FERRY_WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
