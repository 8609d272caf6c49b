#!/usr/bin/env bash
# One press through Vlc.dll against the real VLC: median and 95th percentile, beside a bare
# request to the same VLC in the same run, then the longest a press blocks while VLC is stopped,
# and what reading VLC's state (the optional export) costs the caller, VLC answering or stopped.
#
#   bench/vlc_roundtrip.sh [PRESSES]        (default 200; needs a built win64 preset)
#
# VLC runs as the tests run it (scripts/vlc-env.sh), with its web interface on a free port and a
# fresh password, written to the Wine prefix's vlcrc for the plug-in to find (and removed after),
# with the stand-in window of VLC's class beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/vlc-env.sh
build=build/win64
for needed in "$build/bench/vlc_roundtrip.exe" "$build/dist/Vlc.dll" "$build/testbin/fakeplayer.exe"; do
  [ -f "$needed" ] || { echo "$needed is missing: cmake --build --preset win64 --target vlc_roundtrip" >&2; exit 1; }
done

work=$(mktemp -d)
vlcrc=""
cleanup() {
  set +e
  env -u SPINDREL_FAKEPLAYER wine "$build/testbin/fakeplayer.exe" --as vlc --close </dev/null >/dev/null 2>&1
  spindrel_vlc_stop
  [ -n "$vlcrc" ] && rm -f "$vlcrc"
  rm -rf "$work"
  spindrel_wine_stop
}
trap cleanup EXIT
spindrel_wine_start
spindrel_vlc_prepare

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
password=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')")
mkdir -p "$appdata/vlc"
vlcrc="$appdata/vlc/vlcrc"
(umask 077 && printf '[core]\nextraintf=http\n[http]\nhttp-host=127.0.0.1\nhttp-port=%s\nhttp-password=%s\n' \
  "$port" "$password" >"$vlcrc")

spindrel_vlc_password="$password"
spindrel_vlc_start "$work/vlc.log" --vout dummy --aout dummy --extraintf http \
  --http-host 127.0.0.1 --http-port "$port"
spindrel_vlc_wait_http "$port" "$password" || { echo "VLC's web interface did not answer" >&2; exit 1; }
env -u SPINDREL_FAKEPLAYER wine "$build/testbin/fakeplayer.exe" --as vlc --quiet </dev/null >/dev/null 2>&1 &

wine "$build/bench/vlc_roundtrip.exe" "$port" "$password" "$(spindrel_vlc_process)" "${1:-200}" \
  </dev/null 2>/dev/null | tr -d '\r'
