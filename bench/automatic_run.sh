#!/usr/bin/env bash
# Times automatic runs of the real program under Wine (bench/automatic_run.cpp): puts the
# simulated disc 1A2B3C4D in drive S:, runs the measurement, takes the disc out again.
#   bench/automatic_run.sh [--load] [RUNS]   after: cmake --preset win64 && cmake --build --preset win64
# --load runs two CPU-busy processes beside it for the whole measurement, as a user's machine
# is never idle, and ends them afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
load=0
if [ "${1:-}" = "--load" ]; then
  load=1
  shift
fi
source scripts/wine-env.sh
busy_pids=()
cleanup() {
  local pid
  for pid in "${busy_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  tools/mkdisc/mkdisc.py --remove S </dev/null >/dev/null 2>&1 || true
  spindrel_wine_stop
}
trap cleanup EXIT
spindrel_wine_start
tools/mkdisc/mkdisc.py S SPINDREL_TEST 1A2B3C4D F5
if [ "$load" = 1 ]; then
  for _ in 1 2; do
    bash -c 'while :; do :; done' &
    busy_pids+=("$!")
  done
  echo "with two CPU-busy processes beside it (pids ${busy_pids[*]})"
fi
wine build/win64/testbin/automatic_run.exe "${1:-5}" </dev/null
