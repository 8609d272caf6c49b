#!/usr/bin/env python3
"""Draws the program's default skin into an images folder.

Run: python3 skin.py OUT_DIR [--preview PREVIEW_DIR]

Every picture is drawn around the control rectangles of src/ui/skin_layout.h, so the artwork
and the program agree on where each control sits. The masks of the two shaped windows are cut
from their pictures by tools/mkmask.
"""
from __future__ import annotations

import argparse
import sys
from concurrent.futures import ProcessPoolExecutor
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "mkmask"))

import buttons as btn  # noqa: E402
import layout as lay  # noqa: E402
import mkmask  # noqa: E402
from canvas import (  # noqa: E402
    BOLD,
    CONDENSED_BOLD,
    KEY,
    OBLIQUE_BOLD,
    SANS,
    Canvas,
    Radial,
    Vertical,
    bmp_bytes,
    circle,
    rect,
    rgb,
    roundrect,
    text,
)

L = lay.load()
C = L.colours
PANEL = C["kPanelFill"]
LCD = C["kLcdFill"]
LCD_TEXT = C["kLcdText"]
PANEL_TEXT = C["kPanelText"]
DIALOG = C["kDialogFill"]

OUTLINE = (16, 18, 22)
BAY = (24, 26, 31)
HEADER = (34, 38, 45)
WELL = (34, 37, 43)
EAR = (40, 44, 52)
BUTTON_BAY = (64, 68, 77)
CAPTION = (150, 158, 172)
ENGRAVE_DARK = (36, 39, 45)
ENGRAVE_LIGHT = (132, 138, 150)
LED_PLATE = (26, 28, 33)
METAL = Vertical((0, (122, 128, 140)), (40, (96, 102, 114)), (160, (56, 60, 68)))
DIALOG_METAL = Vertical((0, (122, 128, 140)), (60, (100, 104, 114)), (339, (62, 66, 74)))


def box(parent, name, dx=0, dy=0):
    x0, y0, x1, y1 = L.box(parent, name)
    return x0 + dx, y0 + dy, x1 + dx, y1 + dy


def frame(cv, b, fill, grow=1, radius=2):
    """A recessed field: dark rim, then the field itself."""
    x0, y0, x1, y1 = b
    cv.draw(roundrect(x0 - grow - 1, y0 - grow - 1, x1 + grow + 1, y1 + grow + 1, radius + 1), (90, 96, 108))
    cv.draw(roundrect(x0 - grow - 1, y0 - grow - 1, x1 + grow, y1 + grow, radius + 1), (14, 16, 19))
    cv.draw(roundrect(x0 - grow, y0 - grow, x1 + grow, y1 + grow, radius), fill)


def engraved(cv, x, y, words, size=8, font=BOLD, anchor="start"):
    cv.draw(text(x, y + 1, words, font, size, ENGRAVE_LIGHT, anchor), opacity=0.55)
    cv.draw(text(x, y, words, font, size, ENGRAVE_DARK, anchor))


def caption(cv, x, y, words, size=7, anchor="start", colour=CAPTION, font=CONDENSED_BOLD):
    cv.draw(text(x, y, words, font, size, colour, anchor))


def disc_art(cv, cx, cy, r):
    """A DVD seen at a slant of light: silver with a coloured sheen and a clear hub."""
    cv.draw(circle(cx, cy, r + 1), OUTLINE)
    cv.draw(circle(cx, cy, r), Radial(cx, cy, (r * 0.3, (230, 234, 240)), (r, (150, 158, 172))))
    for colour, angle in (((120, 200, 255), 300), ((255, 150, 220), 120), ((160, 255, 190), 30)):
        cv.draw(
            f"fill {rgb(colour)} stroke none path 'M {cx},{cy} L {cx + r},{cy} "
            f"A {r},{r} 0 0 1 {cx + r * 0.6},{cy + r * 0.8} Z'",
            None, ops=("-distort", "SRT", f"{cx},{cy} {angle}"), opacity=0.35)
    cv.draw(circle(cx, cy, r * 0.34), (120, 126, 138))
    cv.draw(circle(cx, cy, r * 0.3), (200, 206, 214))
    cv.draw(circle(cx, cy, r * 0.13), OUTLINE)


# ---------------------------------------------------------------------------------------------
# The main window

MAIN_SHAPES = [
    (0, 0, 206, 160, 28),  # the disc deck on the left
    (178, 6, 502, 154, 14),  # the panel body
    (486, 14, 512, 58, 7),  # the ear that holds close and minimise
    (300, 150, 420, 160, 5),  # the foot under the panels
]


def main_form():
    cv = Canvas(512, 160)
    for x0, y0, x1, y1, r in MAIN_SHAPES:
        cv.draw(roundrect(x0, y0, x1, y1, r), OUTLINE)
    for x0, y0, x1, y1, r in MAIN_SHAPES:
        cv.draw(roundrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1), (176, 182, 194))
    for x0, y0, x1, y1, r in MAIN_SHAPES:
        cv.draw(roundrect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, r - 1), METAL)
    # Grille on the foot.
    for x in range(318, 404, 6):
        cv.draw(rect(x, 155, x + 3, 158), (30, 32, 37))

    # Disc display.
    frame(cv, (14, 14, 166, 74), LCD, grow=0, radius=4)
    caption(cv, 22, 25, "DISC", 7, colour=(92, 140, 104))
    caption(cv, 22, 61, "ID", 7, colour=(92, 140, 104))

    # Region lights: numbered sockets; a lit light covers its socket.
    x0, y0, x1, y1 = box("main_form", "Shape3")
    cv.draw(roundrect(x0 + 1, y0 - 1, x1, y1, 4), (14, 16, 19))
    cv.draw(roundrect(x0 + 1, y0 - 1, x1 - 1, y1 - 1, 4), LED_PLATE)
    for n in range(1, 7):
        lx, ly, _, _ = box("main_form", f"Region{n}LED")
        cv.draw(circle(lx + 4, ly + 4, 3.6), (8, 10, 10))
        cv.draw(circle(lx + 4, ly + 4, 2.8), (34, 54, 38))
        caption(cv, x0 + 8, ly + 8, str(n), 7, "middle", (128, 134, 146))

    # Bays: the panels slide in and out of these.
    for name in ("base_panel", "dead_panel1"):
        x0, y0, x1, y1 = box("main_form", name)
        cv.draw(roundrect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 4), (150, 156, 168))
        cv.draw(roundrect(x0 - 2, y0 - 2, x1 + 1, y1 + 1, 4), OUTLINE)
        cv.draw(rect(x0, y0, x1, y1), BAY)

    # Ear plate for the window buttons.
    cv.draw(roundrect(489, 17, 510, 56, 5), (14, 16, 19))
    cv.draw(roundrect(490, 18, 510, 56, 5), EAR)

    engraved(cv, 104, 155, "DVD SPINDREL", 8, BOLD, "middle")
    return cv.keyed(OUTLINE)


def region_led():
    cv = Canvas(9, 9, LED_PLATE)
    cv.draw(circle(4, 4, 4.4), (20, 90, 30), opacity=0.8)
    cv.draw(circle(4, 4, 3.6), Radial(3.2, 3.2, (0, (235, 255, 225)), (1.6, (130, 255, 120)), (4, (30, 170, 50))))
    return cv.opaque()


def logo():
    w, h = L.rect("dead_panel1", "logo_pic")[2:]
    cv = Canvas(w, h, (30, 33, 39))
    cv.draw(rect(0, 0, w, h), Vertical((0, (44, 48, 56)), (h, (24, 26, 31))))
    disc_art(cv, 31, 30, 23)
    cv.draw(text(62, 27, "DVD", BOLD, 10, (120, 232, 150)))
    cv.draw(text(61, 46, "Spindrel", OBLIQUE_BOLD, 21, (8, 10, 12)), opacity=0.7)
    cv.draw(text(60, 45, "Spindrel", OBLIQUE_BOLD, 21, (236, 240, 246)))
    caption(cv, 62, 56, "STARTUP MACROS FOR DVD", 6, colour=(128, 136, 150))
    return w, h, cv.opaque()


# ---------------------------------------------------------------------------------------------
# Panels

def panel_base(w, h, select=None, shortcut=None):
    cv = Canvas(w, h, PANEL)
    cv.draw(rect(0, 0, w, 1), (86, 92, 104))
    cv.draw(rect(0, h - 1, w, h), (30, 33, 38))
    if select:
        x0, y0, x1, y1 = select
        cv.draw(roundrect(x0 - 3, y0 - 2, x1 + 4, y1 + 3, 5), (20, 22, 26))
        cv.draw(roundrect(x0 - 2, y0 - 2, x1 + 3, y1 + 2, 5), HEADER)
    if shortcut:
        # Clear of the modified mark, which sits over the top right corner.
        caption(cv, w - 20, 15, shortcut, 7, "end", (104, 112, 126))
    return cv


def status_strip(cv, b):
    x0, y0, x1, y1 = b
    cv.draw(roundrect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 3), (20, 22, 26))
    cv.draw(roundrect(x0 - 2, y0 - 1, x1 + 2, y1 + 2, 3), BAY)


def dsm_panel(w, h):
    cv = panel_base(w, h, box("dsm_panel", "dsmbtn"), "AUTHOR'S NOTES  \u00b7  ALT+D")
    frame(cv, box("dsm_panel", "Notes"), LCD)
    status_strip(cv, (8, 110, 283, 124))
    caption(cv, box("dsm_panel", "NoClicks")[0] - 4, 121, "CLICKS", 7, "end")
    caption(cv, box("dsm_panel", "runtime")[0] - 4, 121, "RUN TIME", 7, "end")
    return cv.opaque()


def button_panel(w, h):
    cv = panel_base(w, h, box("button_panel", "buttonbtn"), "CLICK LIST  \u00b7  ALT+B")
    frame(cv, box("button_panel", "ClickList"), LCD)
    for name, label in (("editwait", "WAIT (SECONDS)"), ("buttonlabel", "PLAYER BUTTON")):
        x0, y0, x1, y1 = box("button_panel", name)
        caption(cv, x0, y0 - 5, label, 7)
        frame(cv, (x0, y0, x1, y1), LCD)
    x0, y0, x1, y1 = box("button_panel", "buttonlabel")
    cv.draw(text(x1 - 6, y1 - 4, "\u25be", SANS, 9, LCD_TEXT, "middle"))
    status_strip(cv, box("button_panel", "next_button"))
    return cv.opaque()


def file_panel(w, h):
    cv = panel_base(w, h, box("file_panel", "filesysbtn"), "DSM FILES  \u00b7  ALT+F")
    x0, y0, x1, y1 = box("file_panel", "dsm_name")
    caption(cv, 10, y1 - 4, "DSM FILE", 7)
    frame(cv, (x0, y0, x1, y1), LCD)
    status_strip(cv, box("file_panel", "filesys_hint"))
    return cv.opaque()


def config_panel(w, h):
    cv = panel_base(w, h, box("config_panel", "configbtn"))
    ax = box("config_panel", "optionabtn")[0]
    caption(cv, ax - 6, 17, "AUTOPLAY", 7, "end")
    caption(cv, ax - 6, 27, "HANDLER", 7, "end")
    texts = {
        "cbox_1": "Restart the player before a test",
        "cbox_2": "Slide the panels in and out",
        "cbox_3": "Start this program with the player:",
    }
    for name, words in texts.items():
        x0, y0, _, _ = box("config_panel", name)
        cv.draw(roundrect(x0 - 2, y0 + 3, x0 + 15, y0 + 19, 3), (100, 106, 118))
        cv.draw(roundrect(x0 - 2, y0 + 3, x0 + 14, y0 + 18, 3), (14, 16, 19))
        cv.draw(roundrect(x0 - 1, y0 + 4, x0 + 14, y0 + 18, 2), BAY)
        cv.draw(text(x0 + 22, y0 + 15, words, SANS, 8, PANEL_TEXT))
    x0, y0, x1, y1 = box("config_panel", "autoexec")
    frame(cv, (x0, y0, x1, y1), LCD)
    # Where a program can be dropped.
    cx, cy = x1 + 14, (y0 + y1) / 2
    cv.draw(f"fill none stroke {rgb(CAPTION)} stroke-width 1.2 stroke-dasharray 2,2 "
            f"roundrectangle {cx - 9},{cy - 8} {cx + 9},{cy + 8} 3,3")
    cv.draw(text(cx, cy + 4, "\u2193", BOLD, 10, CAPTION, "middle"))
    # The player plug-in: a list that opens like the click list's button name.
    x0, y0, x1, y1 = box("config_panel", "playerlabel")
    caption(cv, x0 - 4, y1 - 2, "PLAYER", 7, "end")
    frame(cv, (x0, y0, x1, y1), LCD)
    cv.draw(text(x1 - 6, y1 - 3, "\u25be", SANS, 9, LCD_TEXT, "middle"))
    return cv.opaque()


def remote_panel(w, h):
    cv = panel_base(w, h)
    # The arrow pad's well, the same for every player.
    cx, cy = 241.5, 41.5
    cv.draw(circle(cx, cy, 36.5), (90, 96, 108))
    cv.draw(circle(cx - 0.5, cy - 0.5, 36), (14, 16, 19))
    cv.draw(circle(cx, cy, 35.2), WELL)
    status_strip(cv, (8, 113, 283, 127))
    x0, _, x1, _ = box("remote_panel", "timeindex")
    cv.draw(rect(x1 + 2, 113, x1 + 3, 127), (60, 64, 72))
    return cv.opaque()


def about_panel(w, h):
    cv = panel_base(w, h, box("about_panel", "aboutbtn"), "ALT+A")
    disc_art(cv, 56, 74, 38)
    cv.draw(text(107, 59, "DVD Spindrel", OBLIQUE_BOLD, 19, (8, 10, 12)), opacity=0.6)
    cv.draw(text(106, 58, "DVD Spindrel", OBLIQUE_BOLD, 19, (240, 244, 250)))
    cv.draw(text(108, 74, "Startup macros for your DVD player:", SANS, 8, PANEL_TEXT))
    cv.draw(text(108, 86, "skip the trailers, pick the menu,", SANS, 8, PANEL_TEXT))
    cv.draw(text(108, 98, "every time a disc goes in.", SANS, 8, PANEL_TEXT))
    x0, y0, x1, y1 = box("about_panel", "myversion")
    caption(cv, x0 - 6, y1 - 3, "VERSION", 7, "end")
    return cv.opaque()


def small_panel(w, h, lamp, words):
    cv = Canvas(w, h, PANEL)
    cv.draw(rect(0, 0, w, 1), (86, 92, 104))
    cv.draw(circle(11, 11, 4.2), (10, 12, 14))
    cv.draw(circle(11, 11, 3.4), Radial(10, 10, (0, btn.lighter(lamp, 0.7)), (3.5, lamp)))
    caption(cv, 20, 14, words, 7, colour=PANEL_TEXT)
    return cv.opaque()


# ---------------------------------------------------------------------------------------------
# The library dialog

DIALOG_SHAPES = [(0, 10, 603, 339, 18), (0, 0, 250, 44, 12)]


def open_dialog():
    cv = Canvas(603, 339)
    for x0, y0, x1, y1, r in DIALOG_SHAPES:
        cv.draw(roundrect(x0, y0, x1, y1, r), OUTLINE)
    for x0, y0, x1, y1, r in DIALOG_SHAPES:
        cv.draw(roundrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1), (176, 182, 194))
    for x0, y0, x1, y1, r in DIALOG_SHAPES:
        cv.draw(roundrect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, r - 1), DIALOG_METAL)
    disc_art(cv, 26, 22, 12)
    cv.draw(text(46, 28, "DSM Library", OBLIQUE_BOLD, 15, (8, 10, 12)), opacity=0.6)
    cv.draw(text(45, 27, "DSM Library", OBLIQUE_BOLD, 15, (240, 244, 250)))

    fx0, fy0, fx1, fy1 = box("open_dialog", "FileList")
    caption(cv, fx0 + 4, fy0 - 5, "FILE NAME", 8, colour=(228, 232, 238), font=BOLD)
    caption(cv, fx0 + 110, fy0 - 5, "AUTHOR'S DESCRIPTION", 8, colour=(228, 232, 238), font=BOLD)
    frame(cv, (fx0, fy0, fx1, fy1), LCD)
    cv.draw(rect(fx0 + 105, fy0, fx0 + 106, fy1), (170, 214, 172))

    for name, words in (("based_serial", "Serial-number DSMs"), ("based_meaningful", "Named DSMs")):
        x0, y0, x1, y1 = box("open_dialog", name)
        frame(cv, (x0, y0, x1, y1), LCD, grow=0)
        cv.draw(text(x1 + 6, y1 - 3, words, SANS, 8, (236, 240, 246)))

    lx0, ly0, lx1, _ = box("open_dialog", "loadbtn")
    _, _, _, cy1 = box("open_dialog", "cancelbtn")
    cv.draw(roundrect(lx0 - 7, ly0 - 7, lx1 + 8, cy1 + 8, 6), (150, 156, 168))
    cv.draw(roundrect(lx0 - 7, ly0 - 7, lx1 + 7, cy1 + 7, 6), OUTLINE)
    cv.draw(roundrect(lx0 - 6, ly0 - 6, lx1 + 7, cy1 + 7, 5), BUTTON_BAY)
    notes = ["Enter or a double-click", "loads the DSM.", "", "Right-click a DSM to", "rename or delete it.",
             "", "Type to search the", "descriptions."]
    for i, line in enumerate(notes):
        cv.draw(text(lx0 - 4, cy1 + 36 + 13 * i, line, SANS, 8, (222, 226, 234)))
    return cv.keyed(OUTLINE)


# ---------------------------------------------------------------------------------------------
# Button strips of the program's own controls

G = btn.Glyph


def select_glyph(words):
    def icon(cx, cy, s, c):
        return [text(cx - 4, cy + 3.5, words, CONDENSED_BOLD, 8, c, "middle"),
                *btn.down_mark(cx + 41, cy + 0.5, 3, c)]
    return G(icon)


def own_strips():
    """name -> (width, height, under, glyph, face)."""
    s = {}

    def add(name, parent, control, under, glyph, face=(74, 80, 92)):
        w, h = L.rect(parent, control)[2:]
        s[name] = (w, h, under, glyph, face)

    add("record", "active_panel", "RecBtn", PANEL, G(btn.record, "REC"), (86, 60, 64))
    add("stoprec", "active_panel", "stopbtn", PANEL, G(btn.stop, "STOP"))
    add("resetdisc", "active_panel", "resetbtn", PANEL, G(btn.reset, "RESET"))
    add("testmacro", "active_panel", "testbtn", PANEL, G(btn.test_run, "TEST"), (52, 92, 70))
    add("dvdvideo", "inactive_panel", "dvdbtn", PANEL,
        G(lambda cx, cy, s_, c: btn.disc(cx - 48, cy, 8, c) + [text(cx + 8, cy + 4, "START PLAYER", BOLD, 9, c, "middle")]),
        (52, 92, 70))
    add("refresh", "main_form", "refreshbtn", LCD, G(btn.refresh), (70, 120, 84))
    add("optiona", "config_panel", "optionabtn", PANEL, G(caption="/A", size=7))
    add("optionb", "config_panel", "optionbbtn", PANEL, G(caption="/B", size=7))
    add("spindrel", "config_panel", "spindrelbtn", PANEL, G(caption="S+", size=7), (52, 74, 116))
    add("winautoplay", "config_panel", "autoplaybtn", PANEL, G(caption="WIN", size=7), (52, 74, 116))
    add("filenew", "file_panel", "newbtn", PANEL, G(btn.page, "NEW"))
    add("fileopen", "file_panel", "openbtn", PANEL, G(btn.folder, "OPEN"))
    add("filesave", "file_panel", "savebtn", PANEL, G(btn.floppy, "SAVE"))
    add("fileautoname", "file_panel", "makenamebtn", PANEL, G(btn.name_tag, "AUTO NAME"))
    add("fileclear", "file_panel", "clearnamebtn", PANEL, G(btn.eraser, "CLEAR"))
    add("about", "about_panel", "aboutbtn", HEADER, select_glyph("ABOUT"), (60, 66, 78))
    add("buttonlist", "button_panel", "buttonbtn", HEADER, select_glyph("BUTTON LIST"), (60, 66, 78))
    add("config", "config_panel", "configbtn", HEADER, select_glyph("CONFIGURATION"), (60, 66, 78))
    add("dsm", "dsm_panel", "dsmbtn", HEADER, select_glyph("D.S.M. INFO"), (60, 66, 78))
    add("filesystem", "file_panel", "filesysbtn", HEADER, select_glyph("FILESYSTEM"), (60, 66, 78))
    add("close", "main_form", "closebtn", EAR, G(btn.cross), (120, 52, 52))
    add("minimise", "main_form", "minimizebtn", EAR, G(btn.minus))
    add("load", "open_dialog", "loadbtn", BUTTON_BAY, G(lambda cx, cy, s_, c: btn.load_arrow(cx - 22, cy, 7, c) + [text(cx + 8, cy + 4.5, "LOAD", BOLD, 11, c, "middle")]), (52, 92, 70))
    add("cancel", "open_dialog", "cancelbtn", BUTTON_BAY, G(lambda cx, cy, s_, c: btn.cross(cx - 30, cy, 6, c) + [text(cx + 8, cy + 4.5, "CANCEL", BOLD, 11, c, "middle")]))
    return s


def player_names():
    names = {lay.strip_name(n) for layout in lay.remotes().values() for n, _, _ in layout}
    missing = names - set(btn.PLAYER_BUTTONS)
    if missing:
        raise SystemExit(f"no artwork for the player buttons {sorted(missing)}")
    return sorted(btn.PLAYER_BUTTONS)


# ---------------------------------------------------------------------------------------------

def job_list():
    """(file name, function name, arguments): each job draws one file."""
    jobs = [("main_form.bmp", "main_form", ()), ("open_dialog.bmp", "open_dialog", ()),
            ("image_regionled.bmp", "region_led", ()), ("panels_logo.bmp", "logo", ())]
    big = L.rect("base_panel", "dsm_panel")[2:]
    for file, func in (("dsm", "dsm_panel"), ("buttonlist", "button_panel"), ("filesystem", "file_panel"),
                       ("config", "config_panel"), ("remote", "remote_panel"), ("about", "about_panel")):
        jobs.append((f"panels_{file}.bmp", func, big))
    small = L.rect("dead_panel1", "inactive_panel")[2:]
    jobs += [("panels_inactive.bmp", "small", (small, (200, 40, 36), "PC-DVD PLAYER IS NOT RUNNING")),
             ("panels_active.bmp", "small", (small, (70, 230, 90), "PLAYER READY: RECORD OR TEST")),
             ("panels_testmode.bmp", "small", (small, (255, 176, 0), "TEST MODE: BUTTONS ONLY"))]
    for name in own_strips():
        jobs.append((f"buttons_{name}.bmp", "own", (name,)))
    for name in player_names():
        jobs.append((f"buttons_{name}.bmp", "player", (name,)))
    return jobs


def run_job(job):
    file, func, args = job
    if func == "main_form":
        return file, bmp_bytes(512, 160, main_form())
    if func == "open_dialog":
        return file, bmp_bytes(603, 339, open_dialog())
    if func == "region_led":
        return file, bmp_bytes(9, 9, region_led())
    if func == "logo":
        w, h, px = logo()
        return file, bmp_bytes(w, h, px)
    if func == "small":
        (w, h), lamp, words = args
        return file, bmp_bytes(w, h, small_panel(w, h, lamp, words))
    if func == "own":
        w, h, under, glyph, face = own_strips()[args[0]]
        return file, bmp_bytes(4 * w, h, btn.strip(w, h, under, glyph, face))
    if func == "player":
        w, h, px = btn.player_strip(args[0], PANEL, WELL)
        return file, bmp_bytes(4 * w, h, px)
    w, h = args
    return file, bmp_bytes(w, h, globals()[func](w, h))


def generate(out: Path, jobs_count: int = 2) -> list[str]:
    out.mkdir(parents=True, exist_ok=True)
    jobs = job_list()
    if jobs_count > 1:
        with ProcessPoolExecutor(jobs_count) as pool:
            results = list(pool.map(run_job, jobs))
    else:
        results = [run_job(job) for job in jobs]
    written = []
    for file, data in results:
        write_if_changed(out / file, data)
        written.append(file)
    for picture in ("main_form", "open_dialog"):
        write_if_changed(out / f"{picture}.mask", mkmask.mask_from_bmp((out / f"{picture}.bmp").read_bytes()))
        written.append(f"{picture}.mask")
    return written


def write_if_changed(target: Path, data: bytes) -> None:
    # Unchanged files keep their time stamps, so nothing downstream rebuilds for nothing.
    if not target.exists() or target.read_bytes() != data:
        target.write_bytes(data)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", type=Path, help="the images folder to write")
    parser.add_argument("--preview", type=Path, help="also write preview PNGs here")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--stamp", type=Path, help="file to touch when done (for the build)")
    args = parser.parse_args(argv)
    generate(args.out, args.jobs)
    if args.preview:
        import preview

        preview.write_all(args.out, args.preview)
    if args.stamp:
        args.stamp.write_text("skin generated\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
