"""Preview pictures of the skin as the program will show it, for a person to judge the look.

Each preview lays the generated files out where the program puts them (positions from the
shared layout), with sample text in the text controls. Written as PNG build output; not part
of the skin.
"""
from __future__ import annotations

import subprocess
from pathlib import Path

import layout as lay
from canvas import BOLD, SANS, convert_program

L = lay.load()
C = L.colours
KEY = "#ff00ff"
DESKTOP = ("-size", "{w}x{h}", "gradient:#3a6ea5-#1d3b5c")
MARGIN = 24


def hexc(colour):
    return "#%02x%02x%02x" % colour


class Scene:
    def __init__(self, images: Path, width, height):
        self.images = images
        self.width, self.height = width + 2 * MARGIN, height + 2 * MARGIN
        self.args = ["-size", f"{self.width}x{self.height}", "gradient:#3a6ea5-#1d3b5c"]

    def picture(self, file, x, y, keyed=False, crop=None):
        part = ["(", str(self.images / file)]
        if crop:
            part += ["-crop", "%dx%d+%d+%d" % crop, "+repage"]
        if keyed:
            part += ["-transparent", KEY]
        part += [")", "-geometry", f"+{x + MARGIN}+{y + MARGIN}", "-composite"]
        self.args += part

    def strip(self, file, x, y, glyph=0):
        info = subprocess.run(["identify", "-format", "%w %h", str(self.images / file)],
                              check=True, capture_output=True, text=True).stdout.split()
        w, h = int(info[0]) // 4, int(info[1])
        self.picture(file, x, y, keyed=True, crop=(w, h, glyph * w, 0))

    def text(self, x, y, words, colour, size=11, font=SANS):
        words = words.replace("\\", "\\\\").replace("'", "\\'")
        self.args += ["-font", str(font), "-pointsize", str(size), "-fill", colour,
                      "-annotate", f"+{x + MARGIN}+{y + MARGIN}", words]

    def fill(self, x0, y0, x1, y1, colour):
        self.args += ["-fill", colour, "-draw",
                      f"rectangle {x0 + MARGIN},{y0 + MARGIN} {x1 + MARGIN - 1},{y1 + MARGIN - 1}"]

    def write(self, target: Path, scale=2):
        command = [convert_program(), *self.args, "-scale", f"{scale * 100}%",
                   "-define", "png:exclude-chunks=date,time", str(target)]
        subprocess.run(command, check=True)


def at(parent_offset, parent, name):
    x, y, w, h = L.rect(parent, name)
    return parent_offset[0] + x, parent_offset[1] + y, w, h


def main_window(images: Path, big: str, small: str | None, plugin: str = "Wyvernel") -> Scene:
    s = Scene(images, 512, 160)
    s.picture("main_form.bmp", 0, 0, keyed=True)
    base = L.rect("main_form", "base_panel")[:2]
    dead = L.rect("main_form", "dead_panel1")[:2]
    lcd_text = hexc(C["kLcdText"])
    panel_text = hexc(C["kPanelText"])
    status = hexc(C["kStatusText"])

    x, y, w, h = at((0, 0), "main_form", "DVD_Title")
    s.text(x + 1, y + 12, "SPACE_ODYSSEY_2001", lcd_text, 11, BOLD)
    x, y, w, h = at((0, 0), "main_form", "DVD_Serial")
    s.text(x + 1, y + 12, "1A2B:3C4D", lcd_text, 11)
    s.strip("buttons_refresh.bmp", *at((0, 0), "main_form", "refreshbtn")[:2])
    for n in (1, 2, 4):
        s.picture("image_regionled.bmp", *at((0, 0), "main_form", f"Region{n}LED")[:2])
    s.strip("buttons_close.bmp", *at((0, 0), "main_form", "closebtn")[:2])
    s.strip("buttons_minimise.bmp", *at((0, 0), "main_form", "minimizebtn")[:2])

    # Small panel.
    if small is None:
        s.picture("panels_logo.bmp", *at(dead, "dead_panel1", "logo_pic")[:2])
    else:
        sx, sy, _, _ = at(dead, "dead_panel1", "inactive_panel")
        s.picture(f"panels_{small}.bmp", sx, sy)
        if small == "inactive":
            s.strip("buttons_dvdvideo.bmp", *at((sx, sy), "inactive_panel", "dvdbtn")[:2])
        elif small == "active":
            s.strip("buttons_record.bmp", *at((sx, sy), "active_panel", "RecBtn")[:2], glyph=3)
            s.strip("buttons_stoprec.bmp", *at((sx, sy), "active_panel", "stopbtn")[:2], glyph=1)
            s.strip("buttons_resetdisc.bmp", *at((sx, sy), "active_panel", "resetbtn")[:2])
            s.strip("buttons_testmacro.bmp", *at((sx, sy), "active_panel", "testbtn")[:2], glyph=2)

    # Big panel.
    px, py, _, _ = at(base, "base_panel", f"{big}_panel")
    pictures = {"dsm": "dsm", "button": "buttonlist", "file": "filesystem", "config": "config",
                "remote": "remote", "about": "about"}
    s.picture(f"panels_{pictures[big]}.bmp", px, py)
    p = (px, py)
    if big == "dsm":
        s.strip("buttons_dsm.bmp", *at(p, "dsm_panel", "dsmbtn")[:2])
        x, y, _, _ = at(p, "dsm_panel", "Notes")
        for i, line in enumerate(["# 2001: A Space Odyssey (region 2)", "# Skips the warnings, plays the film",
                                  "# with English sound."]):
            s.text(x + 3, y + 13 + 14 * i, line, lcd_text, 10)
        x, y, _, _ = at(p, "dsm_panel", "NoClicks")
        s.text(x, y + 11, "6", panel_text, 10, BOLD)
        x, y, _, _ = at(p, "dsm_panel", "runtime")
        s.text(x, y + 11, "14.0s", panel_text, 10, BOLD)
    elif big == "button":
        s.strip("buttons_buttonlist.bmp", *at(p, "button_panel", "buttonbtn")[:2], glyph=3)
        x, y, w, _ = at(p, "button_panel", "ClickList")
        rows = [("4.0", "Root Menu"), ("1.5", "Down"), ("0.5", "Ok / Enter"), ("2.0", "Next"),
                ("3.0", "Audio Menu")]
        for i, (wait, name) in enumerate(rows):
            if i == 1:
                s.fill(x, y + 1 + 15 * i, x + w, y + 16 + 15 * i, "#646464")
            colour = hexc(C["kLcdFill"]) if i == 1 else lcd_text
            s.text(x + 4, y + 13 + 15 * i, wait, colour, 10)
            s.text(x + 40, y + 13 + 15 * i, name, colour, 10)
        x, y, _, _ = at(p, "button_panel", "editwait")
        s.text(x + 30, y + 13, "1.5", lcd_text, 11, BOLD)
        x, y, _, _ = at(p, "button_panel", "buttonlabel")
        s.text(x + 4, y + 13, "Down", lcd_text, 11)
        x, y, _, _ = at(p, "button_panel", "next_button")
        s.text(x + 4, y + 11, "\"Down\" in 1.5 sec", status, 10)
    elif big == "file":
        s.strip("buttons_filesystem.bmp", *at(p, "file_panel", "filesysbtn")[:2])
        for name, control, glyph in (("filenew", "newbtn", 0), ("fileopen", "openbtn", 3),
                                     ("filesave", "savebtn", 0), ("fileautoname", "makenamebtn", 2),
                                     ("fileclear", "clearnamebtn", 1)):
            s.strip(f"buttons_{name}.bmp", *at(p, "file_panel", control)[:2], glyph=glyph)
        x, y, _, _ = at(p, "file_panel", "dsm_name")
        s.text(x + 3, y + 12, "1a2b3c4d.dsm", lcd_text, 11)
        x, y, _, _ = at(p, "file_panel", "filesys_hint")
        s.text(x + 4, y + 11, "Open a DSM from the library", status, 10)
    elif big == "config":
        s.strip("buttons_config.bmp", *at(p, "config_panel", "configbtn")[:2])
        for name, control in (("optiona", "optionabtn"), ("optionb", "optionbbtn"), ("spindrel", "spindrelbtn"),
                              ("winautoplay", "autoplaybtn")):
            s.strip(f"buttons_{name}.bmp", *at(p, "config_panel", control)[:2])
        for name in ("cbox_1", "cbox_2"):
            x, y, _, _ = at(p, "config_panel", name)
            s.text(x + 2, y + 16, "x", "#000000", 16, "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf")
            s.text(x, y + 14, "x", "#00ff00", 16, "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf")
        x, y, _, _ = at(p, "config_panel", "autoexec")
        s.text(x + 2, y + 11, "C:\\Program Files\\Amp\\amp.exe", "#000000", 9)
    elif big == "remote":
        for name, bx, by in lay.remotes()[plugin]:
            s.strip(f"buttons_{lay.strip_name(name)}.bmp", px + bx, py + by)
        x, y, _, _ = at(p, "remote_panel", "timeindex")
        s.text(x + 4, y + 11, "12.4s", hexc(C["kHintText"]), 10)
        x, y, _, _ = at(p, "remote_panel", "buttonhint")
        s.text(x + 4, y + 11, f"Ok / Enter   ({plugin})", hexc(C["kHintText"]), 10)
    elif big == "about":
        s.strip("buttons_about.bmp", *at(p, "about_panel", "aboutbtn")[:2])
        x, y, _, _ = at(p, "about_panel", "myversion")
        s.text(x, y + 11, "1.0.0.1", panel_text, 10, BOLD)
    x, y, _, _ = at((0, 0), "main_form", "ModLabel")
    s.text(x + 2, y + 11, ".", hexc(C["kModifiedMark"]), 22, BOLD)
    return s


def dialog(images: Path) -> Scene:
    s = Scene(images, 603, 339)
    s.picture("open_dialog.bmp", 0, 0, keyed=True)
    x, y, w, _ = L.rect("open_dialog", "FileList")
    rows = [("1a2b3c4d.dsm", "2001: A Space Odyssey (region 2)"), ("22f01c9e.dsm", "Blade Runner, director's cut"),
            ("3c00d1a7.dsm", "<no description>"), ("4e5a6b7c.dsm", "Casablanca: skip trailers, English")]
    for i, (name, description) in enumerate(rows):
        top = y + 17 * i
        selected = i == 1
        if selected:
            s.fill(x, top, x + w, top + 17, "#646464")
        colour = "#c8f8c8" if selected else "#000000"
        s.text(x + 3, top + 13, name, colour, 10)
        s.text(x + 109, top + 13, description, "#808080" if description.startswith("<") else colour, 10)
    s.strip("buttons_load.bmp", *L.rect("open_dialog", "loadbtn")[:2], glyph=3)
    s.strip("buttons_cancel.bmp", *L.rect("open_dialog", "cancelbtn")[:2])
    x, y, _, _ = L.rect("open_dialog", "based_serial")
    s.text(x + 3, y + 11, "X", "#000000", 10, BOLD)
    x, y, _, _ = L.rect("open_dialog", "sortdesc")
    s.text(x + 2, y + 12, "\u2193", "#ffffff", 12, BOLD)
    return s


def strips(images: Path, target: Path) -> None:
    files = sorted(images.glob("buttons_*.bmp"))
    command = [convert_program(), "-background", "#343a42"]
    for f in files:
        command += ["(", str(f), "-bordercolor", "#343a42", "-border", "3", ")"]
    command += ["-gravity", "west", "-append", "-scale", "300%",
                "-define", "png:exclude-chunks=date,time", str(target)]
    subprocess.run(command, check=True)


def write_all(images: Path, out: Path) -> None:
    out.mkdir(parents=True, exist_ok=True)
    main_window(images, "dsm", "active").write(out / "main_dsm.png")
    main_window(images, "button", "active").write(out / "main_buttonlist.png")
    main_window(images, "file", "inactive").write(out / "main_filesystem.png")
    main_window(images, "config", "inactive").write(out / "main_config.png")
    main_window(images, "about", None).write(out / "main_about.png")
    for plugin in lay.remotes():
        main_window(images, "remote", "testmode", plugin).write(out / f"main_remote_{plugin.lower()}.png")
    dialog(images).write(out / "open_dialog.png")
    strips(images, out / "buttons.png")


if __name__ == "__main__":
    import sys

    write_all(Path(sys.argv[1]), Path(sys.argv[2]))
