#!/usr/bin/env bash
# Makes a fresh, throw-away Wine prefix for one test run.
set -euo pipefail
prefix=$(realpath -m "${1:?usage: wine-prefix.sh DIR}")
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
# Tests run on a virtual display without a window manager: unmanaged windows
# need none, where managed ones wait for it on every hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Debian's Wine does not load its own fonts (MS Sans Serif, Tahoma, Marlett)
# from where fonts-wine puts them; the prefix's font folder it does.
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
fi
wineserver --wait
