#!/usr/bin/env bash
# Makes a fresh, throw-away Wine prefix for one test run.
set -euo pipefail
prefix=$(realpath -m "${1:?usage: wine-prefix.sh DIR}")
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wineserver --wait
