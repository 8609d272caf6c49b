#!/usr/bin/env bash
# Every test, from scratch: the native core with sanitizers, then the Windows builds under Wine,
# each also against the real VLC on a real DVD-Video. On a machine that cannot start 32-bit
# programs the i686 build's tests and the installers are built but not run, and the run says so.
# SPINDREL_KEEP_BUILD=1 reuses existing build folders (faster while developing).
set -euo pipefail
cd "$(dirname "$0")/.."

# What ran and what did not, for the closing summary.
ran=()
not_run=()
current_step="setup"
summary() {
  local status=${1:-$?}
  echo
  echo "== Summary =="
  local line
  for line in "${ran[@]}"; do echo "    ran: $line"; done
  for line in "${not_run[@]}"; do echo "    not run: $line"; done
  if [ "${SPINDREL_32BIT:-}" = no ]; then echo "    why: $spindrel_no_32bit_note"; fi
  if [ "$status" -eq 0 ]; then
    echo "    all that ran passed"
  else
    echo "    FAILED in the step: $current_step (exit status $status)"
  fi
}
trap summary EXIT
# A failing command under "set -e" names itself and its step; its own output is above it.
trap 'echo "FAILED: step \"$current_step\": the command \"$BASH_COMMAND\" ended with exit status $?" >&2' ERR

step() {
  current_step="$1"
  echo "== $1 =="
}

step "packages (scripts/setup.sh)"
scripts/setup.sh

if [ "${SPINDREL_KEEP_BUILD:-0}" != 1 ]; then
  rm -rf build/native build/win64 build/win32
fi

# Once, before anything runs under Wine: can this machine start 32-bit programs?
source scripts/wine-env.sh
if [ "$SPINDREL_32BIT" = no ]; then
  echo "NOTE: $spindrel_no_32bit_note."
fi

step "native: core and unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
ran+=("native core and unit tests (sanitizers)")

step "fuzz: DSM reader and clipboard paste (libFuzzer, a few seconds each)"
scripts/fuzz.sh
ran+=("fuzzers: DSM reader, clipboard paste")

step "win32: i686 build"
cmake --preset win32 >/dev/null
cmake --build --preset win32

step "win64: x86_64 build"
cmake --preset win64 >/dev/null
cmake --build --preset win64
ran+=("builds: native, i686 (win32), x86_64 (win64), with their tests")

step "win64: x86_64 tests under Wine"
trap 'status=$?; spindrel_wine_stop; summary "$status"' EXIT
spindrel_wine_start
# A Wine process now and then fails to start at all (no output, ~20 ms); a test is run once more
# before it counts as failed, so such a start does not fail the run but a real fault still does.
if [ "$SPINDREL_32BIT" = yes ]; then
  ctest --preset win64 --repeat until-pass:2
  ran+=("x86_64 tests under Wine, the installer's included")
else
  # The installer is still made (a test of its own); running it needs a 32-bit program.
  ctest --preset win64 --repeat until-pass:2 -LE 32bit_programs
  ran+=("x86_64 tests under Wine (64-bit loader), the x86_64 installer made")
  not_run+=("the x86_64 installer's tests: the installer is a 32-bit program")
fi

step "win64: the real VLC on a real DVD-Video, through Vlc.dll"
tests/e2e/real_vlc_test.sh build/win64
ran+=("the real VLC end to end, x86_64 build")

if [ "$SPINDREL_32BIT" = yes ]; then
  step "win32: the i686 build's tests under 32-bit Wine"
  ctest --preset win32 --repeat until-pass:2
  ran+=("i686 tests under 32-bit Wine, the installer's included")
  step "win32: the real VLC on a real DVD-Video, through the i686 Vlc.dll"
  tests/e2e/real_vlc_test.sh build/win32
  ran+=("the real VLC end to end, i686 build")
else
  current_step="win32: the i686 build's tests"
  echo "== win32: not run: $spindrel_no_32bit_note =="
  # The i686 installer is made all the same: NSIS runs here, only the installer cannot.
  ctest --preset win32 -R '^package_installer$'
  ran+=("the i686 installer made")
  not_run+=("the i686 build's tests under 32-bit Wine (built): no 32-bit programs start here")
  not_run+=("the real VLC end to end with the i686 build: no 32-bit programs start here")
fi
current_step="done"
