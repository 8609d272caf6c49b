# Sourced: the real (Linux) VLC for the tests, the demo and the benchmark.
#   source scripts/vlc-env.sh   then   spindrel_vlc_prepare   ...   spindrel_vlc_start LOG ARGS...
#
# VLC refuses to run as root ("VLC is not supposed to be run as root"), and CI runs as root: then
# it runs as an unprivileged user of its own, made here once, with a home it may write (VLC keeps
# its settings and caches there). Everything it is to play must be readable by that user.

spindrel_vlc_user="${SPINDREL_VLC_USER:-spindrel-vlc}"
spindrel_vlc_home="${SPINDREL_VLC_HOME:-${TMPDIR:-/tmp}/spindrel-vlc-home}"
spindrel_vlc_pid=""
# The web interface's password for the next spindrel_vlc_start: VLC gets it in a settings file
# that only its user may read, not on its command line, which every local user can read.
spindrel_vlc_password=""
spindrel_vlc_config=""

spindrel_vlc_prepare() {
  if [ "$(id -u)" -eq 0 ] && ! id "$spindrel_vlc_user" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
      "$spindrel_vlc_user" 2>/dev/null || id "$spindrel_vlc_user" >/dev/null 2>&1 || {
      echo "could not create the user $spindrel_vlc_user for VLC" >&2
      return 1
    }
  fi
  mkdir -p "$spindrel_vlc_home"
  if [ "$(id -u)" -eq 0 ]; then chown "$spindrel_vlc_user" "$spindrel_vlc_home"; fi
}

# Starts VLC (no interface of its own; add --extraintf http ... for the web interface) in the
# background, its output appended to LOG; spindrel_vlc_pid is then the process to signal: as root it
# is runuser, which hands TERM on to VLC and ends with it.
spindrel_vlc_start() {
  local log="$1"
  shift
  local run=() config=()
  if [ "$(id -u)" -eq 0 ]; then run=(runuser -u "$spindrel_vlc_user" --); fi
  if [ -n "$spindrel_vlc_password" ]; then
    # mktemp makes it readable by its owner only; VLC reads a last line without its newline short.
    spindrel_vlc_config="$(mktemp "$spindrel_vlc_home/vlcrc.XXXXXX")" || return 1
    printf 'http-password=%s\n' "$spindrel_vlc_password" >"$spindrel_vlc_config"
    if [ "$(id -u)" -eq 0 ]; then chown "$spindrel_vlc_user" "$spindrel_vlc_config"; fi
    config=(--config "$spindrel_vlc_config")
  fi
  "${run[@]}" env HOME="$spindrel_vlc_home" cvlc "${config[@]}" "$@" </dev/null >>"$log" 2>&1 &
  spindrel_vlc_pid=$!
}

# VLC itself (not runuser): the process to stop with SIGSTOP, as a VLC that stops answering.
spindrel_vlc_process() {
  if [ "$(id -u)" -eq 0 ]; then pgrep -P "$spindrel_vlc_pid" | head -1; else echo "$spindrel_vlc_pid"; fi
}

# A VLC that was stopped and let go again may take more than the five seconds given here to quit
# (it answers the requests that piled up first): then VLC itself is killed, not only runuser,
# which would leave it running on its own.
spindrel_vlc_stop() {
  [ -n "$spindrel_vlc_pid" ] || return 0
  local vlc
  vlc="$(spindrel_vlc_process)"
  kill -CONT "$vlc" 2>/dev/null || true
  kill "$spindrel_vlc_pid" 2>/dev/null || true
  local tries
  for tries in $(seq 1 50); do
    kill -0 "$spindrel_vlc_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$vlc" "$spindrel_vlc_pid" 2>/dev/null || true
  wait "$spindrel_vlc_pid" 2>/dev/null || true
  spindrel_vlc_pid=""
  if [ -n "$spindrel_vlc_config" ]; then rm -f "$spindrel_vlc_config"; fi
  spindrel_vlc_config=""
# The web interface's password for the next spindrel_vlc_start: VLC gets it in a settings file
# that only its user may read, not on its command line, which every local user can read.
spindrel_vlc_password=""
spindrel_vlc_config=""
}

# One request to VLC's web interface: spindrel_vlc_request PORT PASSWORD [QUERY]. Prints
# status.json; fails when VLC does not answer within two seconds. The password reaches curl on
# its input, not its command line.
spindrel_vlc_request() {
  printf 'user = ":%s"\n' "$2" |
    curl --config - --silent --fail --max-time 2 --noproxy '*' \
      "http://127.0.0.1:$1/requests/status.json${3:+?$3}"
}

# Waits (at most SECONDS, default 10) until the web interface answers.
spindrel_vlc_wait_http() {
  local tries
  for tries in $(seq 1 $((${3:-10} * 10))); do
    spindrel_vlc_request "$1" "$2" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# "TITLE CHAPTER STATE" of what VLC plays, from status.json (VLC counts a disc's titles from 1,
# title 0 being any menu, and chapters from 0).
spindrel_vlc_where() {
  spindrel_vlc_request "$1" "$2" | python3 -c '
import json, sys
status = json.load(sys.stdin)
info = status.get("information", {})
print(info.get("title", "-"), info.get("chapter", "-"), status.get("state", "-"))'
}

# The disc the tests and the demo play in the real VLC (tools/mkdvd), as the simulated drive
# shows it, and its DSM: in the root menu, whose first button is highlighted, Down and Ok / Enter
# choose title 2, then Next its second chapter. The first wait outlasts the first-play warning,
# for a VLC that plays it: keys pressed meanwhile are dropped.
spindrel_vlc_disc_label=SPINDREL_REAL_VLC
spindrel_vlc_disc_serial=5EC0DE00
spindrel_vlc_write_dsm() {
  printf '%s\r\n' "#Spindrel real disc" "#The second title of the root menu, then its second chapter" \
    "7.0,Down" "1.0,Ok / Enter" "2.0,Next" >"$1"
}
# The same macro as the recorder makes it with VLC reporting its state: the first press waits for
# the menu, the press after Ok for title 2 (chapter 1); the blind times stay for other players.
spindrel_vlc_write_synchronised_dsm() {
  printf '%s\r\n' "#Spindrel real disc" "#Waits for the menu and for the title" \
    "@when menu" "7.0,Down" "1.0,Ok / Enter" "@when title 2 chapter 1" "2.0,Next" >"$1"
}
# What spindrel_vlc_where says once that DSM has played.
spindrel_vlc_dsm_goal="2 1 playing"

# Ends what tools/fakeplayer/vlc-player.sh started the way a plug-in closes VLC (WM_CLOSE to its
# window), then bounded: the script that ties VLC to the window must then be gone with both, or
# it is stopped and this fails.   spindrel_vlc_player_stop FAKEPLAYER_EXE STATE_FILE
spindrel_vlc_player_stop() {
  env -u SPINDREL_FAKEPLAYER wine "$1" --as vlc --close </dev/null >/dev/null 2>&1 || true
  [ -s "$2" ] || return 0
  local script tries
  script="$(sed -n 1p "$2")"
  rm -f "$2"
  for tries in $(seq 1 100); do
    kill -0 "$script" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "VLC did not end within 10 s of its window's closing; stopping it" >&2
  kill "$script" 2>/dev/null || true
  return 1
}
