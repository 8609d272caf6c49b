#!/usr/bin/env bash
# Macros that wait for VLC, timed with the real VLC on the real disc (tools/mkdvd, its 4 s
# first-play warning): whole automatic runs of the real program ("/a", Vlc.dll, VLC started by
# tools/fakeplayer/vlc-player.sh), RUNS with the DSM that waits for VLC's state and BLIND with the
# same DSM at its blind times (the 7.0 s its first press needs for a 4 s warning). It prints:
#
#  - from each press that waits to its arrival in VLC, minus the deliberate 0.1 s settle: the
#    state is the moment VLC's dvdnav demuxer enters it (the root menu, title 2), the arrival the
#    moment the press takes effect there (the menu's highlight moves, chapter 2 begins), both read
#    from VLC's own verbose log, each line stamped as it comes out of VLC; beside it VLC's floor,
#    one status request (status.json), timed in the same runs;
#  - from the program's start to title 2 chapter 2 in VLC's log, waiting against blind;
#  - the main window's round trip (WM_NULL from bench/window_ping) while a press waits for VLC,
#    beside the same while a press waits its blind time.
#
#   bench/macro_sync.sh [RUNS [BLIND]]       (default 20 and 5: about four minutes; needs a built
#                                             win64 preset)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build/win64"
runs="${1:-20}"
blind_runs="${2:-5}"
for needed in "$build/dist/DVD_Spindrel.exe" "$build/dist/Vlc.dll" "$build/testbin/fakeplayer.exe" \
  "$build/bench/window_ping.exe"; do
  [ -f "$needed" ] || {
    echo "$needed is missing: cmake --build --preset win64 --target DVD_Spindrel Vlc fakeplayer window_ping skin" >&2
    exit 1
  }
done
source scripts/wine-env.sh
source scripts/vlc-env.sh

letter=E
serial=$spindrel_vlc_disc_serial
key='HKLM\Software\Tolvrey\DVD-Spindrel'
work="$(mktemp -d "${TMPDIR:-/tmp}/spindrel-macro-sync.XXXXXX")"
stamper=""
program=""
cleanup() {
  set +e
  if [ -n "$program" ]; then kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; fi
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" >/dev/null 2>&1
  if [ -n "$stamper" ]; then kill "$stamper" 2>/dev/null; wait "$stamper" 2>/dev/null; fi
  tools/mkdisc/mkdisc.py --remove "$letter" </dev/null >/dev/null 2>&1
  wine reg delete "$key" /f /reg:64 </dev/null >/dev/null 2>&1
  [ -n "${SPINDREL_BENCH_KEEP:-}" ] && echo "kept $work" >&2 || rm -rf "$work"
  spindrel_wine_stop
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

spindrel_wine_start
spindrel_vlc_prepare
chmod 755 "$work"
tools/mkdvd/mkdvd.py "$work/dvd" >/dev/null
chmod -R a+rX "$work/dvd"
tools/mkdisc/mkdisc.py --remove "$letter" </dev/null >/dev/null 2>&1 || true
tools/mkdisc/mkdisc.py --video-ts "$work/dvd/VIDEO_TS" "$letter" "$spindrel_vlc_disc_label" \
  "$serial" >/dev/null

mkdir -p "$work/install/dsm"
cp "$build/dist/DVD_Spindrel.exe" "$build/dist/"*.dll "$work/install/"
cp -r "$build/dist/images" "$work/install/"
wine reg delete "$key" /f /reg:64 </dev/null >/dev/null 2>&1 || true
wine reg add "$key" /v DVD_Interface /t REG_SZ /d Vlc.dll /f /reg:64 </dev/null >/dev/null
wine reg add "$key" /v PCDVD /t REG_SZ /d "$(winepath -w "$root/tools/fakeplayer/vlc-player.sh")" \
  /f /reg:64 </dev/null >/dev/null

# VLC's output goes through a pipe to a stamper that writes each line with the moment it came;
# VLC writes its log unbuffered, so the stamp is when VLC wrote it, within the pipe's hop. The
# stamper holds the pipe open for writing too, so that each VLC's end is no end of the log.
mkfifo "$work/vlc.pipe"
python3 -c '
import os, sys, time
pipe = os.fdopen(os.open(sys.argv[1], os.O_RDWR), "rb", buffering=0)
out = open(sys.argv[2], "a", buffering=1)
for line in iter(pipe.readline, b""):
    out.write("%.6f %s" % (time.time(), line.decode("latin-1")))
' "$work/vlc.pipe" "$work/vlc.log" &
stamper=$!
exec 3>"$work/vlc.pipe"

export SPINDREL_VLC_FAKEPLAYER="$build/testbin/fakeplayer.exe"
export SPINDREL_VLC_STATE="$work/state"
export SPINDREL_VLC_LOG="$work/vlc.pipe"
export SPINDREL_VLC_OPTIONS="--vout dummy --aout dummy -vv"
export SPINDREL_VLC_DELAY=0
export SPINDREL_FAKEPLAYER="--quiet"

# One timed status request after another to the VLC of the run: VLC's floor.
floor() {
  python3 -c '
import base64, http.client, sys, time
port, password = int(sys.argv[1]), sys.argv[2]
auth = "Basic " + base64.b64encode((":" + password).encode()).decode()
for _ in range(5):
    started = time.time()
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=2)
    connection.request("GET", "/requests/status.json", headers={"Authorization": auth})
    connection.getresponse().read()
    connection.close()
    print("floor %.3f" % ((time.time() - started) * 1000))
' "$(sed -n 2p "$work/state")" "$(sed -n 3p "$work/state")"
}

# One run: KIND (sync or blind), its DSM already written. Marks in VLC's log bound the run.
run_once() {
  local kind="$1" number="$2"
  rm -f "$work/state"
  echo "MARK start $kind $number" >&3
  wine "$build/bench/window_ping.exe" 60 </dev/null >"$work/ping.$kind.$number" 2>/dev/null &
  local ping=$!
  wine "$work/install/DVD_Spindrel.exe" /a </dev/null >/dev/null 2>&1 &
  program=$!
  local code=""
  for _ in $(seq 1 600); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program" && code=0 || code=$?
      break
    fi
    sleep 0.1
  done
  program=""
  wait "$ping" 2>/dev/null || true
  [ -s "$work/state" ] && floor >>"$work/floor" 2>/dev/null || true
  echo "MARK end $kind $number" >&3
  spindrel_vlc_player_stop "$build/testbin/fakeplayer.exe" "$work/state" >/dev/null 2>&1 || true
  [ "$code" = 0 ] || echo "run $kind $number: the program ended with ${code:-no end within 60 s}" >&2
}

spindrel_vlc_write_synchronised_dsm "$work/install/dsm/${serial,,}.dsm"
for number in $(seq 1 "$runs"); do run_once sync "$number"; done
spindrel_vlc_write_dsm "$work/install/dsm/${serial,,}.dsm"
for number in $(seq 1 "$blind_runs"); do run_once blind "$number"; done
exec 3>&-
sleep 0.2

python3 - "$work" <<'EOF'
import glob, statistics, sys

work = sys.argv[1]

def percentile(values, p):
    values = sorted(values)
    rank = max(1, min(len(values), int(p / 100 * len(values) + 0.999999)))
    return values[rank - 1]

def line(what, values, unit="ms"):
    if not values:
        print("%-62s no samples" % what)
        return
    print("%-62s median %7.1f  p95 %7.1f  max %7.1f %s  (n=%d)" % (
        what, statistics.median(values), percentile(values, 95), max(values), unit, len(values)))

# dvdnav's domains (libdvdnav's DVDDomain_t): 2 a title, 8 a title set's menu (the disc's root
# menu), 4 the video manager's (its first-play warning).
runs = []
current = None
pending = None
for raw in open(work + "/vlc.log", encoding="latin-1"):
    stamp, _, text = raw.partition(" ")
    t = float(stamp) * 1000
    if text.startswith("MARK start"):
        kind, number = text.split()[2:4]
        current = {"kind": kind, "number": number, "start": t, "events": []}
        domain = None
        continue
    if text.startswith("MARK end"):
        if current:
            runs.append(current)
        current = None
        continue
    if current is None or "dvdnav demux debug" not in text:
        continue
    body = text.split("dvdnav demux debug:", 1)[1].strip()
    if body.startswith("- domain="):
        domain = int(body.split("=")[1])
    elif body == "DVDNAV_CELL_CHANGE":
        pending = t
    elif body.startswith("- pgN=") and pending is not None:
        current["events"].append(("cell", pending, domain, int(body.split("=")[1])))
        pending = None
    elif body == "DVDNAV_HIGHLIGHT":
        current["events"].append(("highlight", t, domain, 0))

def first(events, after, test):
    return next((e[1] for e in events if e[1] >= after and test(e)), None)

settle = 100.0
to_down, to_next, to_goal = [], [], {"sync": [], "blind": []}
missed = {"sync": 0, "blind": 0}
for run in runs:
    ev = run["events"]
    menu = first(ev, 0, lambda e: e[0] == "cell" and e[2] == 8)
    down = menu is not None and first(ev, menu, lambda e: e[0] == "highlight")
    title = down and first(ev, down, lambda e: e[0] == "cell" and e[2] == 2 and e[3] == 1)
    goal = title and first(ev, title, lambda e: e[0] == "cell" and e[2] == 2 and e[3] == 2)
    if not goal:
        missed[run["kind"]] += 1
        continue
    to_goal[run["kind"]].append((goal - run["start"]) / 1000)
    if run["kind"] == "sync":
        to_down.append(down - menu - settle)
        to_next.append(goal - title - settle)

floor = [float(l.split()[1]) for l in open(work + "/floor")] if glob.glob(work + "/floor") else []
# The round trips while a press waits, all of them, and those while VLC still plays its warning
# (before its root menu shows), where a press waiting for VLC and one waiting its time meet the
# same VLC, busy the same way.
# A press itself holds the window for its request to VLC (the contract's Send_To_DVD answers
# when VLC has taken it); the round trips sent in the 100 ms before a press arrived are counted
# apart from the waiting.
pings = {"condition": [], "blind": []}
warning = {"condition": [], "blind": []}
waiting = {"condition": [], "blind": []}
for run in runs:
    ev = run["events"]
    menu = first(ev, 0, lambda e: e[0] == "cell" and e[2] == 8)
    arrivals = [e[1] for e in ev if e[0] == "highlight" or (e[0] == "cell" and e[2] == 2)]
    for l in open("%s/ping.%s.%s" % (work, run["kind"], run["number"])):
        what, when, ms = l.split()
        if what in pings:
            pings[what].append(float(ms))
            if menu is not None and float(when) < menu:
                warning[what].append(float(ms))
            if not any(0 <= a - float(when) <= 100 for a in arrivals):
                waiting[what].append(float(ms))

print("Macros that wait for VLC: %d runs waiting, %d blind (%d and %d missed title 2 chapter 2)"
      % (len(to_goal["sync"]) + missed["sync"], len(to_goal["blind"]) + missed["blind"],
         missed["sync"], missed["blind"]))
print("From VLC's state to the press in VLC (VLC's verbose log), beyond the 100 ms settle:")
line("  the root menu shows -> Down moves the highlight", to_down)
line("  title 2 begins -> Next begins chapter 2", to_next)
line("  both", to_down + to_next)
line("  VLC's floor: one status.json request", floor)
print("From the program's start to title 2 chapter 2 in VLC:")
line("  waiting for VLC (@when lines)", to_goal["sync"], "s")
line("  blind times (7.0 s for the 4 s warning)", to_goal["blind"], "s")
print("The main window's round trip (WM_NULL from another process):")
line("  while a press waits for VLC", pings["condition"])
line("  while a press waits its blind time", pings["blind"])
line("  while a press waits for VLC, less 100 ms before each press", waiting["condition"])
line("  while a press waits its time, less 100 ms before each press", waiting["blind"])
line("  while VLC plays its warning, a press waiting for VLC", warning["condition"])
line("  while VLC plays its warning, a press waiting its time", warning["blind"])
EOF
