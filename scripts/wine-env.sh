# Sourced: a display and a quiet, prepared Wine prefix for running the Windows build.
#   source scripts/wine-env.sh      then   spindrel_wine_start   ...   spindrel_wine_stop

spindrel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# SPINDREL_WINEPREFIX lets parallel work use a prefix of its own (configure with the same
# -DSPINDREL_WINEPREFIX=...); a shared one would share its wineserver and registry.
export WINEPREFIX="${SPINDREL_WINEPREFIX:-$spindrel_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko downloads, no prompts
spindrel_xvfb_pid=""

spindrel_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number
  for number in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    spindrel_xvfb_pid=$!
    export DISPLAY=":$number"
    local tries
    for tries in $(seq 1 100); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    echo "Xvfb on $DISPLAY did not answer" >&2
    return 1
  done
  echo "no free X display number" >&2
  return 1
}

# The first Wine process starts wineserver and the Wine services, which inherit the caller's
# output pipe (under CTest that made every test wait, and once hung CTest). Start them here with
# their output elsewhere, and keep the server alive between programs.
spindrel_wine_start() {
  spindrel_start_display
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX ..."
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

spindrel_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "$spindrel_xvfb_pid" ]; then
    kill "$spindrel_xvfb_pid" 2>/dev/null || true
    wait "$spindrel_xvfb_pid" 2>/dev/null || true
    spindrel_xvfb_pid=""
  fi
}
