#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, when it is missing.
set -euo pipefail

packages=(
  cmake make g++ python3 googletest
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb x11-utils imagemagick fonts-dejavu-core udftools
  clang libclang-rt-14-dev
  wine32:i386 nsis
  vlc-bin vlc-plugin-base vlc-plugin-video-output ffmpeg dvdauthor curl xdotool procps bc
)

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
# 32-bit Wine runs the i686 build's tests; it comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
