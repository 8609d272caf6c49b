#!/usr/bin/env bash
# The main job: an automatic run of the real program under Wine (on Xvfb when there is no
# display), as an autoplay program would start it when a disc goes in.
#
# A simulated DVD is put in drive D: (label SPACE_ODYSSEY_2001, serial 1A2B3C4D, regions 2 and 4),
# its DSM is placed in the DSM folder, and the stand-in player is set as the player program.
# Then "DVD_Spindrel.exe /b" starts the player, finds the disc and its DSM, waits for the
# player, counts down, presses the macro's buttons and closes. What reached the player, and
# when, is printed from the stand-in player's log.
# --player mpc runs the same DSM through Mpc.dll, with the stand-in as MPC-HC.
# SPINDREL_KEEP_BUILD=1 reuses an existing build.
set -euo pipefail
cd "$(dirname "$0")/.."

player=wyvernel
while [ $# -gt 0 ]; do
  case "$1" in
    --player) player="${2:-}"; shift 2 ;;
    *) echo "usage: scripts/demo.sh [--player wyvernel|mpc]" >&2; exit 2 ;;
  esac
done
case "$player" in
  wyvernel) plugin=Wyvernel.dll ;;
  mpc) plugin=Mpc.dll ;;
  *) echo "unknown player '$player' (wyvernel or mpc)" >&2; exit 2 ;;
esac

scripts/setup.sh
if [ "${SPINDREL_KEEP_BUILD:-0}" != 1 ]; then rm -rf build/win64; fi
cmake --preset win64 >/dev/null
cmake --build --preset win64

source scripts/wine-env.sh
dist=build/win64/dist
out=build/demo
rm -rf "$out" && mkdir -p "$out"
touch "$out/player.log"

cleanup() {
  wine taskkill /f /im fakeplayer.exe </dev/null >/dev/null 2>&1 || true
  tools/mkdisc/mkdisc.py --remove D </dev/null >/dev/null 2>&1 || true
  spindrel_wine_stop
}
trap cleanup EXIT
spindrel_wine_start

echo "== A disc in drive D: label SPACE_ODYSSEY_2001, serial 1A2B3C4D, regions 2 and 4 =="
tools/mkdisc/mkdisc.py D SPACE_ODYSSEY_2001 1A2B3C4D F5

echo "== Its DSM, dsm/1a2b3c4d.dsm =="
mkdir -p "$dist/dsm"
printf '#2001: A Space Odyssey\r\n#Region 2\r\n#Skips the warnings, opens the root menu, plays\r\n2.0,Next\r\n1.5,Root Menu\r\n1.0,Down\r\n0.5,Ok / Enter\r\n' \
  > "$dist/dsm/1a2b3c4d.dsm"
cat "$dist/dsm/1a2b3c4d.dsm" | tr -d '\r' | sed 's/^/    /'

echo "== The stand-in player is the player program (PCDVD), the plug-in is $plugin =="
key='HKLM\Software\Tolvrey\DVD-Spindrel'
# The 64-bit program reads the 64-bit registry view; a bare "wine reg" may use the 32-bit one.
wine reg delete "$key" /f /reg:64 >/dev/null 2>&1 || true
wine reg delete 'HKCU\Software\Tolvrey\DVD-Spindrel' /f /reg:64 >/dev/null 2>&1 || true
wine reg add "$key" /v DVD_Interface /t REG_SZ /d "$plugin" /f /reg:64 >/dev/null 2>&1
wine reg add "$key" /v PCDVD /t REG_SZ /d "$(winepath -w build/win64/testbin/fakeplayer.exe)" \
  /f /reg:64 >/dev/null 2>&1
export SPINDREL_FAKEPLAYER="--as $player --log $(winepath -w "$out/player.log")"

echo "== DVD_Spindrel.exe /b on display $DISPLAY =="
started=$(date +%s.%N)
wine "$dist/DVD_Spindrel.exe" /b </dev/null >"$out/program.log" 2>&1 &
program=$!

# Bounded wait for the run to end: the program closes itself after the last click.
ended=""
for _ in $(seq 1 600); do
  sleep 0.1
  # This run's own program: others may be running on the same machine.
  if ! kill -0 "$program" 2>/dev/null; then
    ended=$(date +%s.%N)
    break
  fi
done
import -display "$DISPLAY" -window root "$out/screen.png"
if [ -z "$ended" ]; then
  echo "The program did not finish its run within 60 s (screenshot: $out/screen.png)." >&2
  exit 1
fi
echo "The program ran $(printf '%.1f' "$(echo "$ended - $started" | bc)") s and closed itself."

echo "== What reached the player (WM_USER: waiting for it; WM_COMMAND/WM_KEYDOWN: buttons) =="
awk '$2 == "start" || $2 == "args" { print "    " $0; next }
     $2 == "msg" && ($5 == "0400" || $5 == "0111" || $5 == "0100") && $3 == "main" {
       name = ($5 == "0400") ? "WM_USER   " : ($5 == "0111") ? "WM_COMMAND" : "WM_KEYDOWN"
       if (first == "" && $5 != "0400") first = $1
       t = (first == "") ? "" : sprintf("%+8.3f s", ($1 - first) / 1000000)
       printf "    %s %-6s %s wParam 0x%s lParam %s  %s\n", name, $4, $3, $6, $7, t
     }' "$out/player.log"
if [ "$player" = mpc ]; then
  echo "  (MPC's own commands: 0x39A = Next, 0x39C = Root Menu, 0x3A4 = Down, 0x3A5 = Ok / Enter;"
  echo "   times from the first press)"
else
  echo "  (Wyvernel: WM_COMMAND 0x531 = Next, WM_KEYDOWN 0x76 = F7 Root Menu,"
  echo "   WM_COMMAND 0x592 with lParam 4 = Down and 5 = Ok / Enter; times from the first press)"
fi
echo "Screenshot after the run: $out/screen.png; the player's full log: $out/player.log"

echo "== The settings the program stored =="
wine reg query "$key" /reg:64 2>/dev/null | tr -d '\r' | sed '/^$/d'
