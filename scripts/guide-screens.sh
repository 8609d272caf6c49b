#!/usr/bin/env bash
# Takes the user's guide's screenshots again from the real window under Wine (on Xvfb when there
# is no display): the window and its panels as the skin tests see them, the installer's player
# page, the remote panel with Vlc.dll, the configuration panel's player list, the real VLC playing a
# macro's title (scripts/demo.sh --player vlc), a macro recorded with the real VLC, and the window
# at 144 DPI. Needs a built win64 preset and its package. The pictures land in docs/images/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/images
screens=build/win64/testbin/screens
mkdir -p "$out"

source scripts/wine-env.sh
trap spindrel_wine_stop EXIT
spindrel_wine_start

dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f /reg:64 \
    </dev/null >/dev/null 2>&1
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  spindrel_wine_start
}

rm -rf "$screens"
ctest --preset win64 -R 'SkinE2eTest\.(WindowTakes|EveryBigPanel)|WindowE2eTest\.TestMacro' \
  >/dev/null
for picture in main_window panel_dsm_info panel_button_list panel_filesystem \
               panel_configuration panel_about countdown macro_complete; do
  convert "$screens/$picture.bmp" "$out/$picture.png"
done

# The installer's player page: its first page is the folder, whose default button goes on.
setup=$(ls build/win64/package/DVD_Spindrel-*-win64-setup.exe 2>/dev/null | head -n 1)
if [ -n "$setup" ] && [ "$SPINDREL_32BIT" = no ]; then
  echo "the installer's picture is kept as it is: $spindrel_no_32bit_note" >&2
elif [ -n "$setup" ]; then
  wine "$setup" </dev/null >/dev/null 2>&1 &
  installer=$!
  if window=$(timeout 30 xdotool search --sync --onlyvisible --name 'DVD Spindrel Setup' | head -n 1); then
    sleep 1
    xdotool key --window "$window" Return
    sleep 2
    import -window "$window" "$out/installer_player.png"
  else
    echo "the installer's window did not appear" >&2
  fi
  kill "$installer" 2>/dev/null || true
  wait "$installer" 2>/dev/null || true
  wineserver -k </dev/null >/dev/null 2>&1 || true
  spindrel_wine_start
fi

# The remote panel as "/test" shows it with Vlc.dll chosen (no player needed), cut from the
# screen at the window's place.
key='HKLM\Software\Tolvrey\DVD-Spindrel'
wine reg add "$key" /v DVD_Interface /t REG_SZ /d Vlc.dll /f /reg:64 </dev/null >/dev/null 2>&1
wine build/win64/dist/DVD_Spindrel.exe /test </dev/null >/dev/null 2>&1 &
program=$!
if window=$(timeout 30 xdotool search --sync --onlyvisible --name '^DVD Spindrel$' | head -n 1); then
  sleep 3  # the panel slides in
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/remote_vlc.png"
else
  echo "the program's window did not appear" >&2
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
wine reg delete "$key" /f /reg:64 </dev/null >/dev/null 2>&1 || true
# The configuration panel's player list, open, with no plug-in stored (the first start's choice).
wine reg delete "$key" /f /reg:64 </dev/null >/dev/null 2>&1 || true
wine build/win64/dist/DVD_Spindrel.exe </dev/null >/dev/null 2>&1 &
program=$!
if window=$(timeout 30 xdotool search --sync --onlyvisible --name '^DVD Spindrel$' | head -n 1); then
  sleep 2
  xdotool key --window "$window" alt+c
  sleep 2  # the panel comes in
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # The PLAYER field: the big-panel area (199, 15), the panel (2, 0), the field (62, 115, 195, 12).
  xdotool mousemove $((X + 199 + 2 + 62 + 97)) $((Y + 15 + 115 + 6))
  xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
  sleep 1.5
  import -window root -crop "620x270+$((X - 10))+$((Y - 6))" +repage "$out/panel_player.png"
  xdotool key Escape
else
  echo "the program's window did not appear" >&2
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
# VLC playing the title a macro chose: the demo's last picture.
SPINDREL_KEEP_BUILD=1 scripts/demo.sh --player vlc >/dev/null
cp build/demo/vlc.png "$out/vlc_chosen_title.png"
# A macro recorded through the window with the real VLC: its click list shows what each press
# waits for (the real-VLC test's recording case takes the picture).
tests/e2e/real_vlc_test.sh build/win64 record >/dev/null
convert "$screens/recorded_macro.bmp" "$out/recorded_macro.png"
spindrel_wine_start

dpi 144
ctest --preset win64 -R 'SkinE2eTest\.WindowTakes' >/dev/null || true
convert "$screens/main_window.bmp" "$out/main_window_144dpi.png"
dpi 96
ls -l "$out"
