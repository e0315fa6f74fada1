#!/usr/bin/env bash
# Installs the Debian packages that building and testing Ferry need.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make clang-format
  googletest libgtest-dev libbenchmark-dev libcli11-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick
  librsvg2-bin icoutils help2man dpkg-dev unzip
  clang libclang-rt-14-dev
  libxml2-utils nlohmann-json3-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
