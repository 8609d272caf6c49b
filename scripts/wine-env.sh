# Sourced: a display and a quiet, prepared Wine prefix for running the Windows build.
#   source scripts/wine-env.sh      then   spindrel_wine_start   ...   spindrel_wine_stop

spindrel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Whether 32-bit programs start here, and the Wine loader for 64-bit ones: in one place.
source "$spindrel_root/scripts/wine-loader.sh"
# SPINDREL_WINEPREFIX lets parallel work use a prefix of its own (configure with the same
# -DSPINDREL_WINEPREFIX=...); a shared one would share its wineserver and registry.
export WINEPREFIX="${SPINDREL_WINEPREFIX:-$spindrel_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko downloads, no prompts
spindrel_xvfb_pid=""

# Runs a command with its output kept aside; when it fails, says which step, what command, and
# the command's own words, and returns its exit status. Quiet when it works.
spindrel_quietly() {
  local what="$1"
  shift
  local output status=0
  output="$(mktemp "${TMPDIR:-/tmp}/spindrel-step.XXXXXX")"
  "$@" </dev/null >"$output" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    {
      echo "FAILED: $what: the command '$*' ended with exit status $status. Its output:"
      if [ -s "$output" ]; then sed 's/^/    /' "$output"; else echo "    (none)"; fi
    } >&2
  fi
  rm -f "$output"
  return "$status"
}

spindrel_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number
  for number in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    local log
    log="$(mktemp "${TMPDIR:-/tmp}/spindrel-xvfb.XXXXXX")"
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
    spindrel_xvfb_pid=$!
    export DISPLAY=":$number"
    local tries
    for tries in $(seq 1 100); do
      if xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
        rm -f "$log"
        return 0
      fi
      kill -0 "$spindrel_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    {
      echo "FAILED: the display: 'Xvfb :$number -screen 0 1280x1024x24 -nolisten tcp' did not answer. Its output:"
      sed 's/^/    /' "$log"
    } >&2
    rm -f "$log"
    return 1
  done
  echo "no free X display number" >&2
  return 1
}

# The first Wine process starts wineserver and the Wine services, which inherit the caller's
# output pipe (under CTest that made every test wait, and once hung CTest). Start them here with
# their output elsewhere, and keep the server alive between programs.
spindrel_wine_start() {
  spindrel_start_display || return 1
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    if [ "$SPINDREL_32BIT" = no ]; then
      echo "Preparing the Wine prefix $WINEPREFIX (64-bit loader only: $spindrel_wine64_loader) ..."
    else
      echo "Preparing the Wine prefix $WINEPREFIX ..."
    fi
    # A half-made prefix would fail every later start: it goes, so that the next run makes it anew.
    local made=0
    if spindrel_quietly "the Wine prefix" wineboot -i &&
      spindrel_quietly "the Wine prefix" wineserver -w; then
      made=1
      [ -f "$WINEPREFIX/system.reg" ] ||
        { echo "FAILED: the Wine prefix: 'wineboot -i' made no $WINEPREFIX/system.reg" >&2; made=0; }
    fi
    if [ "$made" = 0 ]; then
      rm -rf "$WINEPREFIX"
      return 1
    fi
  fi
  # "wineserver -p" ends with 2 when this prefix's server already runs, which is what it is for;
  # the first program then shows whether Wine starts at all.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  spindrel_quietly "starting Wine's services" wine cmd /c exit || return 1
}

spindrel_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "$spindrel_xvfb_pid" ]; then
    kill "$spindrel_xvfb_pid" 2>/dev/null || true
    wait "$spindrel_xvfb_pid" 2>/dev/null || true
    spindrel_xvfb_pid=""
  fi
}
