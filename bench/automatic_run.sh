#!/usr/bin/env bash
# Times automatic runs of the real program under Wine (bench/automatic_run.cpp): puts the
# simulated disc 1A2B3C4D in drive S:, runs the measurement, takes the disc out again.
#   bench/automatic_run.sh [RUNS]      after: cmake --preset win64 && cmake --build --preset win64
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
cleanup() {
  tools/mkdisc/mkdisc.py --remove S </dev/null >/dev/null 2>&1 || true
  spindrel_wine_stop
}
trap cleanup EXIT
spindrel_wine_start
tools/mkdisc/mkdisc.py S SPINDREL_TEST 1A2B3C4D F5
wine build/win64/testbin/automatic_run.exe "${1:-5}" </dev/null
