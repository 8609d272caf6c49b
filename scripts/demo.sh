#!/usr/bin/env bash
# The main job: build the program from scratch and run it under Wine (on Xvfb when there is no
# display), then show what it did: its window, a screenshot, and the settings it stored.
# SPINDREL_KEEP_BUILD=1 reuses an existing build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
if [ "${SPINDREL_KEEP_BUILD:-0}" != 1 ]; then rm -rf build/win64; fi
cmake --preset win64 >/dev/null
cmake --build --preset win64

source scripts/wine-env.sh
trap spindrel_wine_stop EXIT
spindrel_wine_start

dist=build/win64/dist
out=build/demo
rm -rf "$out" && mkdir -p "$out"
touch "$out/player.log"

# Until the player plug-ins are installed beside it, the program binds a plug-in that drives no
# player, so that it can start.
plugin=Wyvernel.dll
if [ ! -f "$dist/$plugin" ]; then
  cp build/win64/testbin/stub_plugin.dll "$dist/"
  plugin=stub_plugin.dll
fi
wine reg delete 'HKLM\Software\Tolvrey\DVD-Spindrel' /f >/dev/null 2>&1 || true
wine reg add 'HKLM\Software\Tolvrey\DVD-Spindrel' /v DVD_Interface /t REG_SZ /d "$plugin" /f \
  >/dev/null 2>&1

echo "== A disc in drive D: label SPACE_ODYSSEY_2001, serial 1A2B3C4D, regions 2 and 4 =="
tools/mkdisc/mkdisc.py D SPACE_ODYSSEY_2001 1A2B3C4D F5
cleanup() {
  tools/mkdisc/mkdisc.py --remove D >/dev/null 2>&1 || true
  spindrel_wine_stop
}
trap cleanup EXIT

echo "== The stand-in player, as Creative's PC-DVD Player (log: $out/player.log) =="
wine build/win64/testbin/fakeplayer.exe --as wyvernel --log "$(winepath -w "$out/player.log")" \
  </dev/null >/dev/null 2>&1 &
player=$!
sleep 2

echo "== Starting DVD_Spindrel.exe (plug-in $plugin) on display $DISPLAY =="
wine "$dist/DVD_Spindrel.exe" </dev/null >"$out/program.log" 2>&1 &
program=$!

# Bounded wait for the window to appear.
window=""
for _ in $(seq 1 200); do
  window=$(xwininfo -root -tree 2>/dev/null | grep -m1 '"DVD Spindrel"' || true)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "The program's window did not appear within 20 s." >&2
  exit 1
fi
echo "Window: $window"
sleep 1
import -display "$DISPLAY" -window root "$out/screen.png"
echo "Screenshot: $out/screen.png"

echo "== Closing the program (WM_CLOSE, as the taskbar's Close does) =="
wine taskkill /im DVD_Spindrel.exe </dev/null >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  echo "The program did not close within 10 s." >&2
  exit 1
fi

wine cmd /c exit >/dev/null 2>&1
kill "$player" 2>/dev/null || true

echo "== The settings the program stored =="
wine reg query 'HKLM\Software\Tolvrey\DVD-Spindrel' 2>/dev/null | tr -d '\r' | sed '/^$/d'
echo "== DSM folder =="
ls -la "$dist/dsm" 2>/dev/null || echo "(none)"
