# Sourced (by scripts/wine-env.sh and the tests' wine-run.sh): can this machine start 32-bit x86
# programs, and which Wine loader runs the 64-bit Windows programs.
#
# Debian's "wine" starts the 32-bit loader whenever wine32:i386 is installed and lets it hand
# 64-bit programs on to wine64. On a kernel that cannot start 32-bit programs (WSL 1, kernels
# built or booted without 32-bit emulation, and some machines that report it built in) every
# "wine", "wineboot" and "wine reg" then fails with "Exec format error", 64-bit programs
# included. There the 64-bit loader is called directly: a folder of its own, first on PATH,
# holds "wine" and Wine's tool commands going straight to it, so that every caller (the scripts,
# CTest's emulator, Python tools, the player script Wine itself starts) gets it the same way.
#
# SPINDREL_32BIT=yes|no is the answer: probed once when unset, then exported so that everything
# started later reuses it. Setting it to "no" by hand makes a machine that can start 32-bit
# programs behave as one that cannot (how that path is tried out on such a machine).

spindrel_loader_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Starts a real 32-bit program: a minimal static i386 ELF (one exit system call returning 42),
# so the answer needs no 32-bit library, no Wine and no guess from the kernel's configuration.
spindrel_probe_32bit() {
  local probe
  probe="$(mktemp "${TMPDIR:-/tmp}/spindrel-i386-probe.XXXXXX")" || return 1
  # ELF header (52 bytes), one loadable program header (32 bytes), then at 0x08048054:
  # xor ebx,ebx; mov bl,42; xor eax,eax; inc eax; int 0x80   (exit(42))
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
  printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
  printf '\x31\xdb\xb3\x2a\x31\xc0\x40\xcd\x80' >>"$probe"
  chmod 700 "$probe"
  local status=0
  "$probe" </dev/null >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

if [ "${SPINDREL_32BIT:-}" != yes ] && [ "${SPINDREL_32BIT:-}" != no ]; then
  SPINDREL_32BIT=yes
  if ! spindrel_probe_32bit; then
    SPINDREL_32BIT=no
    SPINDREL_32BIT_WHY="a 32-bit probe program did not run"
  fi
fi
export SPINDREL_32BIT
export SPINDREL_32BIT_WHY="${SPINDREL_32BIT_WHY:-SPINDREL_32BIT=no was set}"

spindrel_wine64_loader=/usr/lib/wine/wine64
spindrel_wine_bin="$spindrel_loader_root/build/wine64-loader"

if [ "$SPINDREL_32BIT" = no ]; then
  export WINELOADER="$spindrel_wine64_loader"
  if [ ! -x "$spindrel_wine_bin/wine" ]; then
    mkdir -p "$spindrel_wine_bin"
    printf '#!/bin/sh\nexec %s "$@"\n' "$spindrel_wine64_loader" >"$spindrel_wine_bin/wine"
    # As Debian's wineapploader does, but without going through the 32-bit loader.
    for tool in wineboot winecfg wineconsole winedbg winefile winepath; do
      printf '#!/bin/sh\nexec %s %s.exe "$@"\n' "$spindrel_wine64_loader" "$tool" \
        >"$spindrel_wine_bin/$tool"
    done
    chmod 755 "$spindrel_wine_bin"/*
  fi
  case ":$PATH:" in
    *":$spindrel_wine_bin:"*) ;;
    *) export PATH="$spindrel_wine_bin:$PATH" ;;
  esac
fi

# What cannot run here, in one line, for the scripts to print where they skip it.
spindrel_no_32bit_note="this machine cannot start 32-bit programs ($SPINDREL_32BIT_WHY), so the i686 build's tests and the installers (NSIS makes 32-bit installers, for the x86_64 package too) are built but not run; they run on a machine that can start 32-bit programs"
