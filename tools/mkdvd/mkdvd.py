#!/usr/bin/env python3
"""Authors a small DVD-Video (a VIDEO_TS folder) from nothing, for a real player to play.

    mkdvd.py OUTDIR            writes OUTDIR/VIDEO_TS (and an empty OUTDIR/AUDIO_TS)
    mkdvd.py --warning 15 OUTDIR   the same with a first-play warning of 15 seconds, as a disc
                                   whose warnings run longer than those a macro was recorded on

The disc: a first-play "warning" (grey, a few seconds) that goes on by itself to the root menu;
the root menu with two buttons, "Title 1" (highlighted first) and "Title 2" below it; title 1
red, title 2 blue with two chapters. After a title the player comes back to the root menu.
PAL 720x576 MPEG-2 at a low bit rate: a few MB, built in seconds with ffmpeg, spumux and
dvdauthor.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

WIDTH, HEIGHT = 720, 576
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
WARNING_SECONDS = 4
MENU_SECONDS = 1  # one still picture, held by the menu itself
TITLE1_SECONDS = 60
# Long enough that a test reads the chapter while it plays, short enough to stay a few MB.
TITLE2_CHAPTER_SECONDS = 30

# The buttons' places on the menu picture (even coordinates: spumux works on field pairs).
BUTTONS = [
    ("title1", 200, 200, 520, 270, "Title 1"),
    ("title2", 200, 320, 520, 390, "Title 2"),
]


def fail(message):
    print("mkdvd: " + message, file=sys.stderr)
    sys.exit(1)


def run(command, cwd, what):
    result = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True,
                            text=True)
    if result.returncode != 0:
        tail = "\n".join((result.stderr or result.stdout).strip().splitlines()[-15:])
        fail("%s failed (exit code %d):\n%s" % (what, result.returncode, tail))


def text_filter(text, size, y):
    escaped = text.replace(":", r"\:").replace("'", "")
    return ("drawtext=fontfile=%s:text='%s':fontcolor=white:fontsize=%d:x=(w-text_w)/2:y=%s"
            % (FONT, escaped, size, y))


def encode(cwd, name, colour, seconds, filters):
    """An MPEG-2 program stream of one colour with text on it, and silent audio (some players
    will not start a title without an audio stream)."""
    command = [
        "ffmpeg", "-nostdin", "-loglevel", "error", "-y",
        "-f", "lavfi", "-i", "color=c=%s:s=%dx%d:r=25:d=%d" % (colour, WIDTH, HEIGHT, seconds),
        "-f", "lavfi", "-i", "anullsrc=r=48000:cl=stereo",
        "-t", str(seconds), "-vf", ",".join(filters) + ",setsar=16/15",
        "-target", "pal-dvd", "-aspect", "4:3", "-b:v", "400k", "-maxrate", "2000k",
        "-bufsize", "1835k", "-g", "12", "-c:a", "mp2", "-b:a", "64k", name,
    ]
    run(command, cwd, "ffmpeg (" + name + ")")


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_outline_png(path, colour):
    """A palette picture of the buttons' outlines on transparency: spumux takes at most four
    colours, and an antialiased drawing would give it dozens."""
    border = 6
    rows = []
    for y in range(HEIGHT):
        row = bytearray(WIDTH)
        for _, x0, y0, x1, y1, _ in BUTTONS:
            if not y0 <= y < y1:
                continue
            if y < y0 + border or y >= y1 - border:
                row[x0:x1] = b"\x01" * (x1 - x0)
            else:
                row[x0:x0 + border] = b"\x01" * border
                row[x1 - border:x1] = b"\x01" * border
        rows.append(b"\x00" + bytes(row))
    png = b"\x89PNG\r\n\x1a\n"
    png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 3, 0, 0, 0))
    png += png_chunk(b"PLTE", bytes([0, 0, 0]) + bytes(colour))
    png += png_chunk(b"tRNS", bytes([0, 255]))
    png += png_chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def make_menu(cwd):
    filters = [text_filter("Root menu", 48, "80")]
    for _, x0, y0, x1, y1, label in BUTTONS:
        filters.append("drawbox=x=%d:y=%d:w=%d:h=%d:color=0x303060:t=fill"
                       % (x0, y0, x1 - x0, y1 - y0))
        filters.append(text_filter(label, 36, str(y0 + 16)))
    encode(cwd, "menu_bg.mpg", "black", MENU_SECONDS, filters)
    write_outline_png(os.path.join(cwd, "highlight.png"), (255, 255, 0))
    write_outline_png(os.path.join(cwd, "select.png"), (255, 0, 0))
    buttons = "\n".join(
        '      <button name="%s" x0="%d" y0="%d" x1="%d" y1="%d" up="%s" down="%s"/>'
        % (name, x0, y0, x1, y1, BUTTONS[i - 1][0] if i > 0 else name,
           BUTTONS[i + 1][0] if i + 1 < len(BUTTONS) else name)
        for i, (name, x0, y0, x1, y1, _) in enumerate(BUTTONS))
    with open(os.path.join(cwd, "menu.xml"), "w") as f:
        f.write('<subpictures format="PAL">\n  <stream>\n'
                '    <spu start="00:00:00.00" force="yes" highlight="highlight.png"'
                ' select="select.png">\n%s\n    </spu>\n  </stream>\n</subpictures>\n' % buttons)
    with open(os.path.join(cwd, "menu_bg.mpg"), "rb") as source, \
            open(os.path.join(cwd, "menu.mpg"), "wb") as target:
        result = subprocess.run(["spumux", "-m", "dvd", "menu.xml"], cwd=cwd, stdin=source,
                                stdout=target, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        fail("spumux failed:\n" + result.stderr.strip())


# The warning is the first-play program of the video manager's menus; at its end the player goes
# to the title set's root menu, as a pressed menu key would. "Title 1" is button 1, so a player
# highlights it first; each title comes back to the menu when it ends.
DVDAUTHOR_XML = """<dvdauthor jumppad="yes">
  <vmgm>
    <fpc>jump vmgm menu 1;</fpc>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc>
        <vob file="warning.mpg"/>
        <post>jump titleset 1 menu;</post>
      </pgc>
      <pgc entry="title">
        <pre>jump titleset 1 menu;</pre>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc entry="root">
        <button name="title1">jump title 1;</button>
        <button name="title2">jump title 2;</button>
        <vob file="menu.mpg" pause="inf"/>
      </pgc>
    </menus>
    <titles>
      <video format="pal" aspect="4:3"/>
      <pgc>
        <vob file="title1.mpg"/>
        <post>call menu;</post>
      </pgc>
      <pgc>
        <vob file="title2_1.mpg" chapters="0"/>
        <vob file="title2_2.mpg" chapters="0"/>
        <post>call menu;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
"""


def author(out_dir, warning_seconds=WARNING_SECONDS):
    for tool in ("ffmpeg", "spumux", "dvdauthor"):
        if shutil.which(tool) is None:
            fail(tool + " is missing (packages ffmpeg and dvdauthor)")
    if not os.path.isfile(FONT):
        fail(FONT + " is missing (package fonts-dejavu-core)")
    with tempfile.TemporaryDirectory(prefix="mkdvd-") as work:
        encode(work, "warning.mpg", "gray", warning_seconds,
               [text_filter("WARNING", 64, "(h-text_h)/2-40"),
                text_filter("A first-play program: it cannot be skipped", 24, "(h/2)+40")])
        make_menu(work)
        encode(work, "title1.mpg", "red", TITLE1_SECONDS,
               [text_filter("Title 1", 72, "(h-text_h)/2")])
        for chapter in (1, 2):
            encode(work, "title2_%d.mpg" % chapter, "blue", TITLE2_CHAPTER_SECONDS,
                   [text_filter("Title 2", 72, "(h-text_h)/2"),
                    text_filter("Chapter %d" % chapter, 40, "(h/2)+60")])
        with open(os.path.join(work, "dvd.xml"), "w") as f:
            f.write(DVDAUTHOR_XML)
        staging = os.path.join(work, "disc")
        run(["dvdauthor", "-o", staging, "-x", "dvd.xml"], work, "dvdauthor")
        video_ts = os.path.join(out_dir, "VIDEO_TS")
        shutil.rmtree(video_ts, ignore_errors=True)
        os.makedirs(out_dir, exist_ok=True)
        shutil.copytree(os.path.join(staging, "VIDEO_TS"), video_ts)
        os.makedirs(os.path.join(out_dir, "AUDIO_TS"), exist_ok=True)
    return video_ts


def main():
    parser = argparse.ArgumentParser(description="Author a small DVD-Video from nothing.")
    parser.add_argument("out_dir", help="folder that receives VIDEO_TS and AUDIO_TS")
    parser.add_argument("--warning", type=int, default=WARNING_SECONDS, metavar="SECONDS",
                        help="length of the first-play warning (default %d)" % WARNING_SECONDS)
    args = parser.parse_args()
    if not 1 <= args.warning <= 600:
        fail("the warning lasts 1 to 600 seconds")
    started = time.monotonic()
    video_ts = author(os.path.abspath(args.out_dir), args.warning)
    size = sum(os.path.getsize(os.path.join(video_ts, name)) for name in os.listdir(video_ts))
    print("mkdvd: %s, %.1f MB, %.1f s" % (video_ts, size / 1e6, time.monotonic() - started))


if __name__ == "__main__":
    main()
