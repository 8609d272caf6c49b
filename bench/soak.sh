#!/usr/bin/env bash
# Long use of the real program under Wine (bench/soak.cpp): before and after figures of the GDI
# objects and windows it holds and of its working set.
#   bench/soak.sh [SCALE]      after: cmake --preset win64 && cmake --build --preset win64
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
trap spindrel_wine_stop EXIT
spindrel_wine_start
wine build/win64/testbin/soak.exe "${1:-100}" </dev/null
