#!/usr/bin/env bash
# End to end with the real VLC on a real DVD-Video: the program under Wine ("/a") plays the
# disc's DSM through Vlc.dll, and VLC itself (its status.json) must then play the title the
# macro chose in the disc's root menu, and the chapter.
#
#   tests/e2e/real_vlc_test.sh [BUILD [record]]   BUILD: build/win64 (default) or build/win32;
#                                                 record: only the recorded macro's cases
#
# The disc (tools/mkdvd) opens with a first-play warning, then a root menu whose first button is
# highlighted; the DSM presses Down and Ok / Enter (title 2), then Next (its second chapter). It
# runs as the plug-in starts VLC, playing the warning first (VLC drops keys pressed meanwhile, so
# the DSM waits it out); with VLC's default, which starts in the menu; and with a VLC that comes
# up 5 s late, followed by a second "/a" (another DSM) while that VLC still plays, and a third
# once the user's VLC settings turn on a web interface that VLC answers on. Then the plug-in alone
# restarts VLC as before a test (see run_restart_case). Last, a DSM that waits for VLC's own
# state (@when lines, as the recorder writes them for that disc) plays on a disc whose warning
# lasts 15 s instead of 4, and with a VLC that starts 5 s late; the same DSM without its @when
# lines must fail on the long warning, or the case proves nothing. And a macro recorded through
# the real window against the 4 s warning must carry the recorder's @when lines and play
# unchanged on the long warning and with the late VLC, and miss on the long warning without them.
# Nothing is left running afterwards, also when it fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
build="$(cd "${1:-build/win64}" && pwd)"
case "$build" in
  */win32) view=/reg:32 ;;
  *) view=/reg:64 ;;
esac
for needed in "$build/dist/DVD_Spindrel.exe" "$build/dist/Vlc.dll" "$build/testbin/fakeplayer.exe" \
  "$build/testbin/plugin_call.exe" "$build/testbin/record_macro.exe"; do
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
user_vlcrc=""
disc_link=""

cleanup() {
  set +e
  if [ -n "$program" ]; then kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state"
  tools/mkdisc/mkdisc.py --remove "$letter" </dev/null >/dev/null 2>&1
  wine reg delete "$key" /f "$view" </dev/null >/dev/null 2>&1
  [ -z "$user_vlcrc" ] || rm -f "$user_vlcrc"
  [ -z "$disc_link" ] || rm -f "$disc_link"
  rm -rf "$work"
  # Only a display of this script's own goes, with its Wine server: a caller's persistent server
  # (scripts/test.sh) keeps every later Wine start quick.
  [ -z "${spindrel_xvfb_pid:-}" ] || spindrel_wine_stop
}
trap cleanup EXIT
# Stopped from outside (a time-out, Ctrl+C): still leave nothing running.
trap 'exit 143' TERM INT HUP

spindrel_wine_start
spindrel_vlc_prepare
# Where the plug-in reads the user's own VLC settings (%APPDATA%\vlc\vlcrc) under Wine; a
# settings file of the prefix's own is kept out of the way.
user_vlcrc="$(winepath -u "$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')")/vlc/vlcrc"
[ ! -e "$user_vlcrc" ] || { echo "real VLC test: $user_vlcrc is in the way" >&2; user_vlcrc=""; exit 1; }
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

export SPINDREL_VLC_FAKEPLAYER="$build/testbin/fakeplayer.exe"
export SPINDREL_VLC_STATE="$work/state"
export SPINDREL_VLC_LOG="$work/vlc.log"
export SPINDREL_FAKEPLAYER="--quiet --log $(winepath -w "$work/player.log")"

# Runs the program with "/a" until it ends (at most 90 s: a late VLC, a VLC closed and started
# again): sets code (empty when it did not end) and program_ran.
run_program() {
  local started
  started=$(date +%s.%N)
  wine "$work/install/DVD_Spindrel.exe" /a </dev/null >"$work/program.log" 2>&1 &
  program=$!
  code=""
  for _ in $(seq 1 900); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program" && code=0 || code=$?
      break
    fi
    sleep 0.1
  done
  program=""
  program_ran=$(printf '%.1f' "$(echo "$(date +%s.%N) - $started" | bc)")
  if [ -z "$code" ]; then
    program_failure="the program did not end its run within 90 s"
  elif [ "$code" != 0 ]; then
    program_failure="the program ended with exit code $code"
  else
    program_failure=""
  fi
}

# Whether the VLC now running (its state file) plays GOAL; sets where.
vlc_reaches() {
  where="VLC was never started"
  [ -s "$work/state" ] || return 1
  local port password
  port="$(sed -n 2p "$work/state")"
  password="$(sed -n 3p "$work/state")"
  # The last press takes effect within about 0.1 s; give it a few seconds.
  local until=$((SECONDS + 5))
  while :; do
    where="$(spindrel_vlc_where "$port" "$password" 2>/dev/null)" || where="VLC does not answer"
    [ "$where" = "$1" ] && return 0
    [ "$SECONDS" -lt "$until" ] || return 1
    sleep 0.1
  done
}

# A fresh case: VLC's options, no state or logs of the one before, Vlc.dll with vlc-player.sh as
# the player the user located.
prepare_case() {
  export SPINDREL_VLC_OPTIONS="--vout dummy --aout dummy $1"
  export SPINDREL_VLC_DELAY=0
  rm -f "$work/state" "$work/vlc.log" "$work/player.log"
  wine reg delete "$key" /f "$view" </dev/null >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Tolvrey\DVD-Spindrel' /f "$view" </dev/null >/dev/null 2>&1 || true
  wine reg add "$key" /v DVD_Interface /t REG_SZ /d Vlc.dll /f "$view" </dev/null >/dev/null
  wine reg add "$key" /v PCDVD /t REG_SZ /d "$(winepath -w "$root/tools/fakeplayer/vlc-player.sh")" \
    /f "$view" </dev/null >/dev/null
}

# What the test saw beside VLC's own account, for a failure.
explain_failure() {
  {
    echo "  the stand-in VLC window's log (messages the plug-in sent it):"
    grep -v ' direct ' "$work/player.log" 2>/dev/null | tail -15 | sed 's/^/    /'
    echo "  VLC's output:"
    grep -v -E 'dbus|globalhotkeys|no suitable interface' "$work/vlc.log" 2>/dev/null | tail -15 |
      sed 's/^/    /'
  } >&2
}

report_failure() {
  {
    echo "real VLC test FAILED ($1, $(basename "$build")): ${program_failure:-the program ran ${program_ran} s}"
    echo "  VLC's title, chapter (from 0) and state: $where; expected $2"
  } >&2
  explain_failure
}

# A case: VLC's own options, and how many seconds late VLC comes up.
run_case() {
  local name="$1"
  prepare_case "$2"
  export SPINDREL_VLC_DELAY="${3:-0}"
  spindrel_vlc_write_dsm "$work/install/dsm/${serial,,}.dsm"

  run_program
  local reached=""
  vlc_reaches "$spindrel_vlc_dsm_goal" && reached=yes
  if [ -n "$reached" ] && [ -z "$program_failure" ] && [ "${4:-}" = again ]; then
    # The next disc while this VLC still plays: the new run cannot reach it (its password went
    # with the run that started it), so the plug-in closes it and starts one of its own, which
    # must reach the title the new DSM chooses: the first (of one chapter).
    echo "real VLC ($name): title 2, chapter 2 reached; the program ran ${program_ran} s"
    export SPINDREL_VLC_DELAY=0
    printf '%s\r\n' "#The first title of the root menu" "7.0,Ok / Enter" \
      >"$work/install/dsm/${serial,,}.dsm"
    run_program
    reached=""
    vlc_reaches "1 0 playing" && reached=yes
    name="$name, then a second disc while it plays"
  fi
  # The plug-in names the disc to VLC as Windows has it, dvd:///E:/, which the Linux VLC opens as
  # the folder /E: (vlc-player.sh translates only the command line): where that link cannot be
  # made (not root), the third disc is left out.
  if [ -n "$reached" ] && [ -z "$program_failure" ] && [ "${4:-}" = again ] &&
    ! { [ ! -e "/$letter:" ] && ln -s "$work/dvd" "/$letter:" 2>/dev/null && disc_link="/$letter:"; }; then
    echo "real VLC ($name): the third disc is left out (no link /$letter: to the disc)"
  elif [ -n "$reached" ] && [ -z "$program_failure" ] && [ "${4:-}" = again ]; then
    # And once more, now that the user's own VLC settings turn its web interface on with the
    # port and password this VLC answers on: the plug-in tells this same VLC to open the disc
    # (in_play) instead of starting another, and the DSM chooses the second title again.
    echo "real VLC ($name): title 1 reached; the program ran ${program_ran} s"
    local vlc_before
    vlc_before="$(sed -n 1p "$work/state")"
    mkdir -p "$(dirname "$user_vlcrc")"
    printf '[core]\r\nextraintf=http\r\n[http]\r\nhttp-port=%s\r\nhttp-password=%s\r\n' \
      "$(sed -n 2p "$work/state")" "$(sed -n 3p "$work/state")" >"$user_vlcrc"
    printf '%s\r\n' "#The second title of the root menu" "7.0,Down" "1.0,Ok / Enter" \
      >"$work/install/dsm/${serial,,}.dsm"
    run_program
    rm -f "$user_vlcrc" "$disc_link"
    disc_link=""
    reached=""
    vlc_reaches "2 0 playing" && reached=yes
    if [ "$(sed -n 1p "$work/state")" != "$vlc_before" ]; then
      reached=""
      program_failure="a new VLC was started instead of the user's being told to open the disc"
    fi
    name="$name, then a third disc through the user's own web interface"
  fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" ||
    program_failure="${program_failure:+$program_failure; }VLC outlived its window"
  if [ -n "$reached" ] && [ -z "$program_failure" ]; then
    echo "real VLC ($name): the chosen title and chapter reached; the program ran ${program_ran} s"
    return 0
  fi
  report_failure "$name" "the DSM's title and chapter"
  return 1
}

# The restart before a test: Kill_DVD_Player, and Start_DVD_Player a second later, while the old
# VLC is still closing; VLC behaves as on Windows with "Allow only one instance" set, where a VLC
# started then would hand its disc to the closing one and end, unless told not to. Then Fast
# Forward, Pause and Play: play at any other rate than normal only brings the rate back
# (modules/control/hotkeys.c), so VLC stays paused at normal speed.
run_restart_case() {
  local name="the plug-in restarts VLC while the old one closes"
  prepare_case ""
  export SPINDREL_VLC_ONE_INSTANCE=3
  local failure="" status="" started
  started=$(date +%s.%N)
  if ! timeout 90 wine "$build/testbin/plugin_call.exe" "$(winepath -w "$work/install/Vlc.dll")" \
    start:0 wait kill pause:1000 start:0 wait send:3 pause:300 send:2 pause:300 send:0 \
    </dev/null >"$work/calls.log" 2>&1; then
    failure="the plug-in's calls failed: $(tr -d '\r' <"$work/calls.log" | tail -1)"
  fi
  unset SPINDREL_VLC_ONE_INSTANCE
  local took
  took=$(printf '%.1f' "$(echo "$(date +%s.%N) - $started" | bc)")
  if [ -z "$failure" ] && [ -s "$work/state" ]; then
    sleep 0.3
    status="$(spindrel_vlc_request "$(sed -n 2p "$work/state")" "$(sed -n 3p "$work/state")" |
      python3 -c 'import json, sys; s = json.load(sys.stdin); print(s.get("state"), "%g" % s.get("rate", 0))')" ||
      status="VLC does not answer"
    [ "$status" = "paused 1" ] || failure="VLC's state and rate: $status; expected paused 1"
  fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" ||
    failure="${failure:+$failure; }VLC outlived its window"
  if [ -z "$failure" ]; then
    echo "real VLC ($name): the new VLC took the presses; fast forward, pause, play left it paused at normal speed (${took} s)"
    return 0
  fi
  echo "real VLC test FAILED ($name, $(basename "$build")): $failure" >&2
  explain_failure
  return 1
}

# A DSM written by WRITER on the disc DISC, with VLC coming up DELAY seconds late: EXPECT is
# "reach" (title 2, chapter 2 must be reached) or "miss" (it must not be).
run_dsm_case() {
  local name="$1" writer="$2" disc="$3" delay="$4" expect="$5"
  prepare_case ""
  export SPINDREL_VLC_DELAY="$delay"
  "$writer" "$work/install/dsm/${serial,,}.dsm"
  insert_disc "$disc"
  run_program
  local reached=""
  vlc_reaches "$spindrel_vlc_dsm_goal" && reached=yes
  insert_disc dvd
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" ||
    program_failure="${program_failure:+$program_failure; }VLC outlived its window"
  if [ -z "$program_failure" ] && [ "$expect" = reach ] && [ -n "$reached" ]; then
    echo "real VLC ($name): title 2, chapter 2 reached; the program ran ${program_ran} s"
    return 0
  fi
  if [ -z "$program_failure" ] && [ "$expect" = miss ] && [ -z "$reached" ]; then
    echo "real VLC ($name): missed title 2, chapter 2 as it must ($where); the program ran ${program_ran} s"
    return 0
  fi
  [ "$expect" = miss ] && program_failure="${program_failure:-it reached the goal it must miss}"
  report_failure "$name" "$expect the DSM's title and chapter"
  return 1
}

# A macro recorded through the real window against the 4 s warning (record_macro.exe: the
# program started for a disc without a DSM, restored, Record, the remote's Down and Ok / Enter in
# the root menu and Next in title 2), saved under the disc's name: the recorder must have given
# its first press the menu and its Next the title, and nothing to Ok / Enter, pressed in the same
# menu as Down. Its picture of the click list goes beside the build's other screenshots.
recorded_dsm=""
run_record_case() {
  local name="a macro recorded through the window with VLC"
  prepare_case ""
  insert_disc dvd
  local dsm="$work/install/dsm/${serial,,}.dsm"
  rm -f "$dsm"
  local failure=""
  mkdir -p "$build/testbin/screens"
  # The user's eyes: what VLC shows, told to the recording as files (title 0 chapter 2 is the
  # root menu; title 2 from chapter 0 the title Ok / Enter begins).
  rm -rf "$work/seen"
  mkdir "$work/seen"
  (
    for _ in $(seq 1 1200); do
      if [ -s "$work/state" ]; then
        case "$(spindrel_vlc_where "$(sed -n 2p "$work/state")" "$(sed -n 3p "$work/state")" 2>/dev/null)" in
          "0 2 playing") touch "$work/seen/menu" ;;
          "2 0 playing") touch "$work/seen/title" ;;
        esac
      fi
      [ -e "$work/seen/title" ] && exit 0
      sleep 0.1
    done
  ) &
  local watcher=$!
  if ! timeout 120 wine "$build/testbin/record_macro.exe" "$(winepath -w "$work/install")" \
    "$(winepath -w "$build/testbin/screens/recorded_macro.bmp")" "$(winepath -w "$work/seen")" \
    </dev/null >"$work/record.log" 2>&1; then
    failure="$(tr -d '\r' <"$work/record.log" | tail -1)"
  fi
  kill "$watcher" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" ||
    failure="${failure:+$failure; }VLC outlived its window"
  local lines=""
  [ -s "$dsm" ] && lines="$(tr -d '\r' <"$dsm" | grep -v '^#' | sed 's/^[0-9.]*,//' | paste -sd '|')"
  if [ -z "$failure" ] && [ "$lines" != "@when menu|Down|Ok / Enter|@when title 2 chapter 1|Next" ]; then
    failure="the recorded DSM's conditions and presses: ${lines:-none}"
  fi
  if [ -z "$failure" ]; then
    cp "$dsm" "$work/recorded.dsm"
    recorded_dsm="$work/recorded.dsm"
    echo "real VLC ($name): $(tr -d '\r' <"$dsm" | grep -v '^#' | paste -sd ' ')"
    return 0
  fi
  echo "real VLC test FAILED ($name, $(basename "$build")): $failure" >&2
  explain_failure
  return 1
}
spindrel_vlc_write_recorded_dsm() { cp "$recorded_dsm" "$1"; }
spindrel_vlc_write_recorded_blind_dsm() { grep -v '^@when' "$recorded_dsm" >"$1"; }

failed=0
if [ "${2:-}" != record ]; then
  run_case "VLC plays the first-play warning first" "" || failed=1
  # The plug-in asks for the first-play title (--no-dvdnav-menu); VLC's own default starts in the
  # menu, which a user's VLC may do too.
  run_case "VLC starts in the disc's menu" "--dvdnav-menu" || failed=1
  run_case "VLC comes up 5 s late" "" 5 again || failed=1
  run_restart_case || failed=1
  run_dsm_case "waiting for VLC: a 15 s warning" spindrel_vlc_write_synchronised_dsm dvd15 0 reach ||
    failed=1
  run_dsm_case "waiting for VLC: VLC starts 5 s late" spindrel_vlc_write_synchronised_dsm dvd 5 reach ||
    failed=1
  run_dsm_case "blind times: a 15 s warning" spindrel_vlc_write_dsm dvd15 0 miss || failed=1
fi
if run_record_case; then
  run_dsm_case "the recorded macro: a 15 s warning" spindrel_vlc_write_recorded_dsm dvd15 0 reach ||
    failed=1
  run_dsm_case "the recorded macro: VLC starts 5 s late" spindrel_vlc_write_recorded_dsm dvd 5 reach ||
    failed=1
  run_dsm_case "the recorded macro without its @when lines: a 15 s warning" \
    spindrel_vlc_write_recorded_blind_dsm dvd15 0 miss || failed=1
else
  failed=1
fi
exit "$failed"
