#!/usr/bin/env bash
# The real VLC as the player program under Wine: PCDVD names this script (Z:\...\vlc-player.sh),
# and Wine starts it with the parameters the plug-in gives VLC. It starts the Linux VLC with those
# parameters, a drive's "dvd:///E:/" turned into the folder Wine maps that drive to, and beside it
# the stand-in player as VLC's main window, which Wine's windows can see (the plug-in watches for
# it). The two live and die together: when the window is closed (as the plug-in closes VLC), VLC
# ends; when VLC ends, the window closes.
#
# From the environment (Wine hands its own on):
#   SPINDREL_VLC_FAKEPLAYER  the Unix path of fakeplayer.exe (needed)
#   SPINDREL_VLC_OPTIONS     VLC's output and other options (default: --vout dummy --aout dummy)
#   SPINDREL_VLC_LOG         VLC's own output (default: none)
#   SPINDREL_VLC_STATE       a file (made anew, readable by its owner only) that receives this
#                            script's process id, the web interface's port and its password, so
#                            that a test can ask VLC itself what it plays, and stop all of it
#   SPINDREL_FAKEPLAYER      the stand-in's own options (its log)
#   SPINDREL_VLC_DELAY       seconds to wait before starting VLC and its window, as a VLC that
#                            comes up late (a drive spinning up, a first start after an update)
#   SPINDREL_VLC_ONE_INSTANCE  set: as VLC on Windows with "Allow only one instance", a start while
#                            the VLC of SPINDREL_VLC_STATE runs hands over to that one and ends at
#                            once (src/win32/specific.c), unless given --no-one-instance; and that
#                            VLC takes this many seconds to close after its window has gone
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../scripts/vlc-env.sh"

log="${SPINDREL_VLC_LOG:-/dev/null}"
fakeplayer="${SPINDREL_VLC_FAKEPLAYER:?SPINDREL_VLC_FAKEPLAYER must name fakeplayer.exe}"
read -r -a options <<<"${SPINDREL_VLC_OPTIONS:---vout dummy --aout dummy}"

# The folder holding the disc in drive LETTER, as VLC must be given it: the real place of its
# VIDEO_TS, which may be a link to a folder the VLC user can read.
disc_folder() {
  local drive="$WINEPREFIX/dosdevices/${1,,}:"
  [ -d "$drive/VIDEO_TS" ] || return 1
  dirname "$(readlink -f "$drive/VIDEO_TS")"
}

# No drive named: the first one that holds a DVD-Video, as VLC's default DVD device would be.
first_disc_folder() {
  local letter
  for letter in {d..y}; do
    disc_folder "$letter" && return 0
  done
  return 1
}

arguments=()
shown=()
discs=()
port=""
password=""
one_instance=yes
while [ $# -gt 0 ]; do
  argument="$1"
  shift
  case "$argument" in
    dvd:///[A-Za-z]:*)
      folder="$(disc_folder "${argument:7:1}")" || folder="/nonexistent-drive-${argument:7:1}"
      discs+=("dvd://$folder/")
      continue
      ;;
    dvd: | dvd:// | dvd:///)
      folder="$(first_disc_folder)" || folder="/nonexistent-disc"
      discs+=("dvd://$folder/")
      continue
      ;;
    --http-port) port="${1:-}" ;;
    --http-port=*) port="${argument#*=}" ;;
    --no-one-instance) one_instance="" ;;
    # The password goes to VLC in a file of its own (spindrel_vlc_start), and not into the log.
    --http-password)
      password="${1:-}"
      shift
      continue
      ;;
    --http-password=*)
      password="${argument#*=}"
      continue
      ;;
  esac
  arguments+=("$argument")
  shown+=("$argument")
done

spindrel_vlc_prepare || exit 1
sleep "${SPINDREL_VLC_DELAY:-0}"
if [ -n "${SPINDREL_VLC_ONE_INSTANCE:-}" ] && [ -n "$one_instance" ] && [ -s "${SPINDREL_VLC_STATE:-}" ]; then
  running="$(sed -n 1p "$SPINDREL_VLC_STATE")"
  if kill -0 "$running" 2>/dev/null; then
    echo "vlc-player: handed over to the VLC that runs already ($running), as one instance" >>"$log"
    exit 0
  fi
fi
if [ -n "${SPINDREL_VLC_STATE:-}" ]; then
  # A file that was there already may be readable by others: it is made anew, or not at all.
  rm -f "$SPINDREL_VLC_STATE"
  (umask 077 && set -o noclobber && printf '%s\n%s\n%s\n' "$$" "$port" "$password" >"$SPINDREL_VLC_STATE") ||
    exit 1
fi
# The options of the environment come after the plug-in's, so that a test can overrule one of
# them (VLC takes the last of an option), and before what is to be played. The password stays
# out of the log.
echo "vlc-player: cvlc ${shown[*]} ${options[*]} ${discs[*]}" >>"$log"
spindrel_vlc_password="$password"
spindrel_vlc_start "$log" "${arguments[@]}" "${options[@]}" "${discs[@]}"
# Wine hands the program to a start.exe of its own, which waits for it and ends with it, but
# a signal to start.exe does not reach the program: the run's own mark on the stand-in's command
# line (noted in its log as an argument) finds the process that shows the window.
mark="vlc-player-run-$$"
wine "$(winepath -w "$fakeplayer")" --as vlc "$mark" </dev/null >/dev/null 2>&1 &
starter=$!

finish() {
  trap - EXIT TERM INT HUP
  local window
  for window in $(pgrep -f -- "--as vlc $mark\$"); do kill "$window" 2>/dev/null || true; done
  if [ -n "${SPINDREL_VLC_ONE_INSTANCE:-}" ]; then sleep "$SPINDREL_VLC_ONE_INSTANCE"; fi
  spindrel_vlc_stop
  kill "$starter" 2>/dev/null || true
  wait "$starter" 2>/dev/null || true
}
trap finish EXIT
trap 'exit 143' TERM INT HUP
wait -n "$starter" "$spindrel_vlc_pid"
