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
  "${sudo[@]}" dpkg --add-architecture i386 ||
    { echo "FAILED: packages: the command 'dpkg --add-architecture i386' failed (above)" >&2; exit 1; }
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
# apt-get's chatter is kept aside and shown only when it fails, with what it was asked to do.
log="$(mktemp "${TMPDIR:-/tmp}/spindrel-setup.XXXXXX")"
trap 'rm -f "$log"' EXIT
apt() {
  if ! "${sudo[@]}" apt-get "$@" >"$log" 2>&1; then
    echo "FAILED: packages: the command 'apt-get $*' failed. Its output:" >&2
    sed 's/^/    /' "$log" >&2
    exit 1
  fi
}
apt update -qq
apt install -y -qq --no-install-recommends "${missing[@]}"
