#!/usr/bin/env bash
# End to end with the real VLC on a real DVD-Video: the program under Wine ("/a") plays the
# disc's DSM through Vlc.dll, and VLC itself (its status.json) must then play the title the
# macro chose in the disc's root menu, and the chapter.
#
#   tests/e2e/real_vlc_test.sh [BUILD]       BUILD: build/win64 (default) or build/win32
#
# The disc (tools/mkdvd) opens with a first-play warning, then a root menu whose first button is
# highlighted; the DSM presses Down and Ok / Enter (title 2), then Next (its second chapter). It
# runs twice: as the plug-in starts VLC, playing the warning first (VLC drops keys pressed
# meanwhile, so the DSM waits it out), and with VLC's default, which starts in the menu.
# Then a DSM that waits for VLC's own state (@when lines, as the recorder writes them for that
# disc) plays on a disc whose warning lasts 15 s instead of 4, and with a VLC that starts 5 s late;
# the same DSM without its @when lines must fail on the long warning, or the case proves nothing.
# Nothing is left running afterwards, also when it fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
build="$(cd "${1:-build/win64}" && pwd)"
case "$build" in
  */win32) view=/reg:32 ;;
  *) view=/reg:64 ;;
esac
for needed in "$build/dist/DVD_Spindrel.exe" "$build/dist/Vlc.dll" "$build/testbin/fakeplayer.exe"; do
  [ -f "$needed" ] || { echo "real VLC test: $needed is missing (build it first)" >&2; exit 1; }
done

source scripts/wine-env.sh
source scripts/vlc-env.sh

# The plug-in opens the first disc drive that holds a DVD-Video: E: comes before the S: of the
# other tests' disc (the demo's D: is gone when the demo has ended).
letter=E
serial=$spindrel_vlc_disc_serial
key='HKLM\Software\Tolvrey\DVD-Spindrel'
work="$(mktemp -d "${TMPDIR:-/tmp}/spindrel-real-vlc.XXXXXX")"
program=""

cleanup() {
  set +e
  if [ -n "$program" ]; then kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state"
  tools/mkdisc/mkdisc.py --remove "$letter" </dev/null >/dev/null 2>&1
  wine reg delete "$key" /f "$view" </dev/null >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
# Stopped from outside (a time-out, Ctrl+C): still leave nothing running.
trap 'exit 143' TERM INT HUP

spindrel_wine_start
spindrel_vlc_prepare
# The VLC user must be able to read the disc: it lies outside the build and the prefix, which may
# be in a folder only root may enter.
chmod 755 "$work"
tools/mkdvd/mkdvd.py "$work/dvd" >/dev/null
tools/mkdvd/mkdvd.py --warning 15 "$work/dvd15" >/dev/null
chmod -R a+rX "$work/dvd" "$work/dvd15"
insert_disc() {
  tools/mkdisc/mkdisc.py --remove "$letter" </dev/null >/dev/null 2>&1 || true
  tools/mkdisc/mkdisc.py --video-ts "$work/$1/VIDEO_TS" "$letter" "$spindrel_vlc_disc_label" \
    "$serial" >/dev/null
}
insert_disc dvd

# An installation of its own, as the user has it: program, plug-ins, skin, the disc's DSM.
mkdir -p "$work/install/dsm"
cp "$build/dist/DVD_Spindrel.exe" "$build/dist/"*.dll "$work/install/"
cp -r "$build/dist/images" "$work/install/"
dsm="$work/install/dsm/${serial,,}.dsm"
spindrel_vlc_write_dsm "$dsm"

export SPINDREL_VLC_FAKEPLAYER="$build/testbin/fakeplayer.exe"
export SPINDREL_VLC_STATE="$work/state"
export SPINDREL_VLC_LOG="$work/vlc.log"
export SPINDREL_FAKEPLAYER="--quiet --log $(winepath -w "$work/player.log")"

# expect: "reach" (the goal must be reached) or "miss" (it must not be).
run_case() {
  local name="$1" expect="${3:-reach}"
  export SPINDREL_VLC_OPTIONS="--vout dummy --aout dummy $2"
  rm -f "$work/state" "$work/vlc.log" "$work/player.log"
  wine reg delete "$key" /f "$view" </dev/null >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Tolvrey\DVD-Spindrel' /f "$view" </dev/null >/dev/null 2>&1 || true
  wine reg add "$key" /v DVD_Interface /t REG_SZ /d Vlc.dll /f "$view" </dev/null >/dev/null
  wine reg add "$key" /v PCDVD /t REG_SZ /d "$(winepath -w "$root/tools/fakeplayer/vlc-player.sh")" \
    /f "$view" </dev/null >/dev/null

  local started
  started=$(date +%s.%N)
  wine "$work/install/DVD_Spindrel.exe" /a </dev/null >"$work/program.log" 2>&1 &
  program=$!
  local code=""
  for _ in $(seq 1 600); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program" && code=0 || code=$?
      break
    fi
    sleep 0.1
  done
  program_ran=$(printf '%.1f' "$(echo "$(date +%s.%N) - $started" | bc)")

  local where="VLC was never started"
  local reached=""
  if [ -s "$work/state" ]; then
    local port password
    port="$(sed -n 2p "$work/state")"
    password="$(sed -n 3p "$work/state")"
    # The last press takes effect within about 0.1 s; give it a few seconds.
    local until=$((SECONDS + 5))
    while :; do
      where="$(spindrel_vlc_where "$port" "$password" 2>/dev/null)" || where="VLC does not answer"
      if [ "$where" = "$spindrel_vlc_dsm_goal" ]; then reached=yes; break; fi
      [ "$SECONDS" -lt "$until" ] || break
      sleep 0.1
    done
  fi
  if [ -z "$code" ]; then
    program_failure="the program did not end its run within 60 s"
  elif [ "$code" != 0 ]; then
    program_failure="the program ended with exit code $code"
  else
    program_failure=""
  fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" ||
    program_failure="${program_failure:+$program_failure; }VLC outlived its window"
  if [ "$expect" = miss ] && [ -z "$reached" ] && [ -z "$program_failure" ]; then
    echo "real VLC ($name): missed title 2, chapter 2 as it must ($where); the program ran ${program_ran} s"
    return 0
  fi
  if [ "$expect" = reach ] && [ -n "$reached" ] && [ -z "$program_failure" ]; then
    echo "real VLC ($name): title 2, chapter 2 reached; the program ran ${program_ran} s"
    return 0
  fi
  [ "$expect" = miss ] && program_failure="${program_failure:-it reached the goal it must miss}"
  {
    echo "real VLC test FAILED ($name, $(basename "$build")): ${program_failure:-the program ran ${program_ran} s}"
    echo "  VLC's title, chapter (from 0) and state: $where; expected $spindrel_vlc_dsm_goal"
    echo "  the stand-in VLC window's log (messages the plug-in sent it):"
    grep -v ' direct ' "$work/player.log" 2>/dev/null | tail -15 | sed 's/^/    /'
    echo "  VLC's output:"
    grep -v -E 'dbus|globalhotkeys|no suitable interface' "$work/vlc.log" 2>/dev/null | tail -15 |
      sed 's/^/    /'
  } >&2
  return 1
}

failed=0
run_case "VLC plays the first-play warning first" "" || failed=1
# The plug-in asks for the first-play title (--no-dvdnav-menu); VLC's own default starts in the
# menu, which a user's VLC may do too.
run_case "VLC starts in the disc's menu" "--dvdnav-menu" || failed=1

spindrel_vlc_write_synchronised_dsm "$dsm"
insert_disc dvd15
run_case "waiting for VLC: a 15 s warning" "" || failed=1
insert_disc dvd
export SPINDREL_VLC_DELAY=5
run_case "waiting for VLC: VLC starts 5 s late" "" || failed=1
unset SPINDREL_VLC_DELAY
spindrel_vlc_write_dsm "$dsm"
insert_disc dvd15
run_case "blind times: a 15 s warning" "" miss || failed=1
exit "$failed"
