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
# --player vlc runs through Vlc.dll with the real VLC (Linux, shown on the same display) on a real
# DVD-Video authored for the run: the DSM walks the disc's menu to its second title.
# SPINDREL_KEEP_BUILD=1 reuses an existing build.
set -euo pipefail
cd "$(dirname "$0")/.."

player=wyvernel
while [ $# -gt 0 ]; do
  case "$1" in
    --player) player="${2:-}"; shift 2 ;;
    *) echo "usage: scripts/demo.sh [--player wyvernel|mpc|vlc]" >&2; exit 2 ;;
  esac
done
case "$player" in
  wyvernel) plugin=Wyvernel.dll ;;
  mpc) plugin=Mpc.dll ;;
  vlc) plugin=Vlc.dll ;;
  *) echo "unknown player '$player' (wyvernel, mpc or vlc)" >&2; exit 2 ;;
esac

# Each step says how long it took, and the end sums them up.
times=()
step_name=""
step_started=""
step() {
  local now
  now=$(date +%s.%N)
  if [ -n "$step_name" ]; then
    local took
    took=$(printf '%.1f' "$(echo "$now - $step_started" | bc)")
    echo "   ($step_name: $took s)"
    times+=("$step_name $took s")
  fi
  step_name="${1:-}"
  step_started=$now
  if [ -n "$step_name" ]; then echo "== $2 =="; fi
}

# A failing command names itself and its step; its own output is above it.
trap 'echo "FAILED: step \"${step_name:-start}\": the command \"$BASH_COMMAND\" ended with exit status $?" >&2' ERR

step packages "Packages (scripts/setup.sh installs what is missing)"
scripts/setup.sh
step build "Build: the program, the plug-ins, the skin and the stand-in player (no tests)"
if [ "${SPINDREL_KEEP_BUILD:-0}" != 1 ]; then rm -rf build/win64; fi
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target DVD_Spindrel Corvane Corvane3 Brannock Wyvernel Mpc Vlc \
  skin fakeplayer

source scripts/wine-env.sh
source scripts/vlc-env.sh
if [ "$SPINDREL_32BIT" = no ]; then
  echo "   This machine cannot start 32-bit programs: Wine runs the program through its 64-bit"
  echo "   loader ($spindrel_wine64_loader)."
fi
dist=build/win64/dist
out=build/demo
rm -rf "$out" && mkdir -p "$out"
touch "$out/player.log"
program=""
desktop=""
vlc_state="$out/vlc.state"

cleanup() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  if [ "$player" = vlc ]; then
    spindrel_vlc_player_stop build/win64/testbin/fakeplayer.exe "$vlc_state" || true
    rm -rf "${vlc_disc:-}"
  fi
  tools/mkdisc/mkdisc.py --remove D </dev/null >/dev/null 2>&1 || true
  if [ -n "$desktop" ]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
  fi
  spindrel_wine_stop
}
trap cleanup EXIT
step wine "Wine: a display and the prefix build/wineprefix"
spindrel_wine_start
# The automatic run keeps the program minimised, and a bare X display has no task bar to show it
# on. A Wine desktop with its shell has one: during the demo every Wine program runs in it, so
# that the screen shows what a user sees. The tests run on the bare display.
desktop=spindrel-demo
spindrel_quietly "the demo's desktop" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' \
  /v "$desktop" /t REG_SZ /d "$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')" /f
spindrel_quietly "the demo's desktop" wine reg add \
  "HKCU\Software\Wine\Explorer\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f
spindrel_quietly "the demo's desktop" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop \
  /t REG_SZ /d "$desktop" /f

key='HKLM\Software\Tolvrey\DVD-Spindrel'
if [ "$player" = vlc ]; then
  step disc "A real DVD-Video (tools/mkdvd) in drive D: label $spindrel_vlc_disc_label, serial $spindrel_vlc_disc_serial"
  spindrel_vlc_prepare
  # Outside the build: VLC runs as a user of its own, who may not enter the checkout's folders.
  vlc_disc=$(mktemp -d "${TMPDIR:-/tmp}/spindrel-demo-dvd.XXXXXX")
  chmod 755 "$vlc_disc"
  tools/mkdvd/mkdvd.py "$vlc_disc"
  chmod -R a+rX "$vlc_disc"
  tools/mkdisc/mkdisc.py --video-ts "$vlc_disc/VIDEO_TS" D "$spindrel_vlc_disc_label" \
    "$spindrel_vlc_disc_serial"
  dsm="$dist/dsm/${spindrel_vlc_disc_serial,,}.dsm"
  mkdir -p "$dist/dsm"
  spindrel_vlc_write_dsm "$dsm"
  echo "   Its DSM, dsm/$(basename "$dsm"):"
  tr -d '\r' <"$dsm" | sed 's/^/    /'
  pcdvd="$(winepath -w tools/fakeplayer/vlc-player.sh)"
  echo "   The player program (PCDVD) is tools/fakeplayer/vlc-player.sh: the real VLC, with a"
  echo "   stand-in window of VLC's class beside it for the plug-in's player watch"
  export SPINDREL_VLC_FAKEPLAYER="$PWD/build/win64/testbin/fakeplayer.exe"
  export SPINDREL_VLC_STATE="$PWD/$vlc_state"
  export SPINDREL_VLC_LOG="$PWD/$out/vlc.log"
  export SPINDREL_VLC_OPTIONS="--aout dummy --vout xcb_x11 --no-video-title-show"
  export SPINDREL_FAKEPLAYER="--log $(winepath -w "$out/player.log")"
else
  step disc "A disc in drive D: label SPACE_ODYSSEY_2001, serial 1A2B3C4D, regions 2 and 4"
  tools/mkdisc/mkdisc.py D SPACE_ODYSSEY_2001 1A2B3C4D F5

  echo "   Its DSM, dsm/1a2b3c4d.dsm:"
  mkdir -p "$dist/dsm"
  printf '#2001: A Space Odyssey\r\n#Region 2\r\n#Skips the warnings, opens the root menu, plays\r\n2.0,Next\r\n1.5,Root Menu\r\n1.0,Down\r\n0.5,Ok / Enter\r\n' \
    > "$dist/dsm/1a2b3c4d.dsm"
  cat "$dist/dsm/1a2b3c4d.dsm" | tr -d '\r' | sed 's/^/    /'
  pcdvd="$(winepath -w build/win64/testbin/fakeplayer.exe)"
  echo "   The stand-in player is the player program (PCDVD)"
  export SPINDREL_FAKEPLAYER="--as $player --log $(winepath -w "$out/player.log")"
fi
echo "   The plug-in is $plugin"
# The 64-bit program reads the 64-bit registry view; a bare "wine reg" may use the 32-bit one.
wine reg delete "$key" /f /reg:64 >/dev/null 2>&1 || true
wine reg delete 'HKCU\Software\Tolvrey\DVD-Spindrel' /f /reg:64 >/dev/null 2>&1 || true
spindrel_quietly "the settings" wine reg add "$key" /v DVD_Interface /t REG_SZ /d "$plugin" /f /reg:64
spindrel_quietly "the settings" wine reg add "$key" /v PCDVD /t REG_SZ /d "$pcdvd" /f /reg:64

step run "DVD_Spindrel.exe /b on display $DISPLAY"
started=$(date +%s.%N)
wine "$dist/DVD_Spindrel.exe" /b </dev/null >"$out/program.log" 2>&1 &
program=$!

# Bounded wait for the run to end: the program closes itself after the last click. The screen is
# taken during the countdown: it begins about a second after the player has started, when the
# program has found it, and lasts about two and a half.
ended=""
countdown_shot=""
for _ in $(seq 1 600); do
  sleep 0.1
  # This run's own program: others may be running on the same machine.
  if ! kill -0 "$program" 2>/dev/null; then
    ended=$(date +%s.%N)
    break
  fi
  if [ -z "$countdown_shot" ] && grep -q " start as " "$out/player.log" 2>/dev/null; then
    sleep 1.5
    # Wine's task bar draws its buttons' texts only when a window comes or goes: a short-lived
    # program in the same desktop makes it draw the program's title as it is now.
    wine explorer "/desktop=$desktop" cmd /c exit </dev/null >/dev/null 2>&1 || true
    import -display "$DISPLAY" -window root "$out/countdown.png" 2>/dev/null &&
      countdown_shot="$out/countdown.png"
  fi
done
exit_status=0
if [ -n "$ended" ]; then wait "$program" || exit_status=$?; fi
program=""
countdown_note="the screen during the countdown, the program minimised to its button on the task
bar, which shows its title: ${countdown_shot:-(none taken)}"
import -display "$DISPLAY" -window root "$out/screen.png"
if [ -z "$ended" ]; then
  echo "The program did not finish its run within 60 s (screenshot: $out/screen.png)." >&2
  exit 1
fi
if [ "$exit_status" -ne 0 ]; then
  echo "FAILED: step \"run\": 'wine $dist/DVD_Spindrel.exe /b' ended with exit status $exit_status. Its output:" >&2
  sed 's/^/    /' "$out/program.log" >&2
  exit 1
fi
echo "The program ran $(printf '%.1f' "$(echo "$ended - $started" | bc)") s and closed itself."
if [ "$player" = vlc ]; then
  step result "Where the real VLC is now (its web interface's status.json)"
  port=$(sed -n 2p "$vlc_state" 2>/dev/null || true)
  password=$(sed -n 3p "$vlc_state" 2>/dev/null || true)
  where="VLC was not started"
  until=$((SECONDS + 5))
  while [ -n "$port" ]; do
    where=$(spindrel_vlc_where "$port" "$password" 2>/dev/null) || where="VLC does not answer"
    [ "$where" = "$spindrel_vlc_dsm_goal" ] || [ "$SECONDS" -ge "$until" ] && break
    sleep 0.1
  done
  read -r title chapter state <<<"$where"
  if [ "$where" = "$spindrel_vlc_dsm_goal" ]; then
    echo "    VLC is $state title $title, chapter $((chapter + 1)): the title the macro chose"
  else
    echo "    VLC: $where (title, chapter from 0, state), not the title the macro chose" >&2
  fi
  # VLC's picture opens at the top left, under the stand-in window; with no window manager on
  # the display, a move is just done.
  for vlc_window in $(xdotool search --class '^vlc$' 2>/dev/null); do
    xdotool windowmove "$vlc_window" 500 420 2>/dev/null || true
  done
  sleep 1
  import -display "$DISPLAY" -window root "$out/vlc.png"
  echo "Screenshots: $countdown_note;"
  echo "VLC playing the chosen title: $out/vlc.png. VLC's output: $out/vlc.log"
  [ "$where" = "$spindrel_vlc_dsm_goal" ] || exit 1
else
  step result "What reached the player (WM_USER: waiting for it; WM_COMMAND/WM_KEYDOWN: buttons)"
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
  echo "Screenshots: $countdown_note;"
  echo "after the run: $out/screen.png. The player's full log: $out/player.log"
fi
step settings "The settings the program stored"
wine reg query "$key" /reg:64 2>/dev/null | tr -d '\r' | sed '/^$/d'
step
echo "== How long each step took =="
printf '    %s\n' "${times[@]}"
