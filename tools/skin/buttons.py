"""Button strips: four glyphs side by side (normal, disabled, pressed, mouse over).

Every glyph is drawn on a transparent canvas and keyed against the colour the button will sit
on, so that its edges blend into the panel without a fringe of the key colour. Each glyph's
bottom-left pixel is the key: the program takes that pixel's colour as see-through.
"""
from __future__ import annotations

from canvas import (
    BOLD,
    CONDENSED_BOLD,
    KEY,
    Canvas,
    Vertical,
    circle,
    hstack,
    polygon,
    rect,
    rgb,
    roundrect,
    stroke_path,
    text,
)

NORMAL, DISABLED, PRESSED, OVER = range(4)

OUTLINE = (14, 16, 20)
ACCENT = (120, 232, 150)
INK = (236, 240, 246)
DISABLED_INK = (128, 128, 128)  # pure grey: the program recolours it to the system shadow


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def plate(cv: Canvas, box, radius, state, face, round_shape=False):
    """The button's body with its bevel for one state."""
    x0, y0, x1, y1 = box

    def shape(inset, colour):
        if round_shape:
            cx, cy = (x0 + x1) / 2 - 0.5, (y0 + y1) / 2 - 0.5
            return circle(cx, cy, (x1 - x0) / 2 - inset, colour)
        return roundrect(x0 + inset, y0 + inset, x1 - inset, y1 - inset, max(1, radius - inset), colour)

    if state == DISABLED:
        dull = mix(face, (84, 86, 90), 0.75)
        cv.draw(shape(0, (255, 255, 255)), (46, 48, 52))
        cv.draw(shape(1, (255, 255, 255)), Vertical((y0, lighter(dull, 0.06)), (y1, darker(dull, 0.08))))
        return
    if state == PRESSED:
        top, bottom = darker(face, 0.45), darker(face, 0.1)
    elif state == OVER:
        top, bottom = lighter(face, 0.42), lighter(face, 0.04)
    else:
        top, bottom = lighter(face, 0.26), darker(face, 0.22)
    cv.draw(shape(0, (255, 255, 255)), ACCENT if state == OVER else OUTLINE)
    cv.draw(shape(1, (255, 255, 255)), Vertical((y0, top), (y1, bottom)))
    if state == PRESSED:
        # A shadow along the top edge reads as pushed in.
        cv.draw(shape(1, (255, 255, 255)), (0, 0, 0), opacity=0.35)
        cv.draw(shape(2, (255, 255, 255)), Vertical((y0, top), (y1, bottom)))
    else:
        gloss = roundrect(x0 + 2, y0 + 1.5, x1 - 2, y0 + (y1 - y0) * 0.48, max(1, radius - 2))
        cv.draw(gloss, (255, 255, 255), opacity=0.16 if state == NORMAL else 0.24)


def ink_for(state, colour=INK):
    if state == DISABLED:
        return DISABLED_INK
    if state == OVER:
        return lighter(colour, 0.3) if colour != INK else (255, 255, 255)
    if state == PRESSED:
        return darker(colour, 0.12)
    return colour


class Glyph:
    """What a button shows: an icon drawer and/or a caption, in a box of the glyph."""

    def __init__(self, icon=None, caption=None, size=7, font=CONDENSED_BOLD, colour=INK):
        self.icon, self.caption, self.size, self.font, self.colour = icon, caption, size, font, colour

    def draw(self, cv: Canvas, box, state):
        x0, y0, x1, y1 = box
        shift = 1 if state == PRESSED else 0
        ink = ink_for(state, self.colour)
        cx = (x0 + x1) / 2 + shift
        if self.icon and self.caption:
            icon_cy = y0 + (y1 - y0) * 0.38 + shift
            scale = (y1 - y0) * 0.22
            layers = self.icon(cx, icon_cy, scale, ink)
            base = y1 - (y1 - y0) * 0.14 + shift
            layers.append(text(cx, base, self.caption, self.font, self.size, ink, "middle"))
        elif self.icon:
            scale = min(x1 - x0, y1 - y0) * 0.3
            layers = self.icon(cx, (y0 + y1) / 2 + shift - 0.5, scale, ink)
        else:
            base = (y0 + y1) / 2 + self.size * 0.36 + shift
            layers = [text(cx, base, self.caption, self.font, self.size, ink, "middle")]
        for layer in layers:
            cv.draw(layer)


def strip(width, height, under, glyph: Glyph, face=(74, 80, 92), radius=4, round_shape=False,
          inset=0) -> bytes:
    """The RGB pixels of a four-glyph strip, 4 * width wide."""
    parts = []
    for state in (NORMAL, DISABLED, PRESSED, OVER):
        cv = Canvas(width, height)
        box = (inset, inset, width - inset, height - inset)
        plate(cv, box, radius, state, face, round_shape)
        glyph.draw(cv, (box[0] + 2, box[1] + 1, box[2] - 2, box[3] - 1), state)
        pixels = bytearray(cv.keyed(under))
        pixels[(height - 1) * width * 3 : (height - 1) * width * 3 + 3] = bytes(KEY)
        parts.append(bytes(pixels))
    return hstack(width, height, parts)


# Icons: each returns MVG layers centred on (cx, cy), s is about half the icon's height.

def play(cx, cy, s, c):
    return [polygon([(cx - s * 0.7, cy - s), (cx + s * 0.9, cy), (cx - s * 0.7, cy + s)], c)]


def stop(cx, cy, s, c):
    return [rect(cx - s * 0.8, cy - s * 0.8, cx + s * 0.8, cy + s * 0.8, c)]


def pause(cx, cy, s, c):
    return [rect(cx - s * 0.8, cy - s * 0.85, cx - s * 0.2, cy + s * 0.85, c),
            rect(cx + s * 0.2, cy - s * 0.85, cx + s * 0.8, cy + s * 0.85, c)]


def _tri(cx, cy, s, c, right=True):
    d = 1 if right else -1
    return polygon([(cx - d * s * 0.6, cy - s * 0.85), (cx + d * s * 0.6, cy), (cx - d * s * 0.6, cy + s * 0.85)], c)


def fast_forward(cx, cy, s, c):
    return [_tri(cx - s * 0.55, cy, s, c), _tri(cx + s * 0.55, cy, s, c)]


def fast_rewind(cx, cy, s, c):
    return [_tri(cx - s * 0.55, cy, s, c, False), _tri(cx + s * 0.55, cy, s, c, False)]


def next_chapter(cx, cy, s, c):
    return [_tri(cx - s * 0.9, cy, s, c), _tri(cx + s * 0.2, cy, s, c),
            rect(cx + s * 0.85, cy - s * 0.85, cx + s * 1.15, cy + s * 0.85, c)]


def previous_chapter(cx, cy, s, c):
    return [_tri(cx + s * 0.9, cy, s, c, False), _tri(cx - s * 0.2, cy, s, c, False),
            rect(cx - s * 1.15, cy - s * 0.85, cx - s * 0.85, cy + s * 0.85, c)]


def step_forward(cx, cy, s, c):
    return [_tri(cx - s * 0.25, cy, s, c), rect(cx + s * 0.45, cy - s * 0.85, cx + s * 0.8, cy + s * 0.85, c)]


def step_backward(cx, cy, s, c):
    return [_tri(cx + s * 0.25, cy, s, c, False), rect(cx - s * 0.8, cy - s * 0.85, cx - s * 0.45, cy + s * 0.85, c)]


def _hollow(cx, cy, s, c, right):
    d = 1 if right else -1
    pts = [(cx - d * s * 0.6, cy - s * 0.8), (cx + d * s * 0.75, cy), (cx - d * s * 0.6, cy + s * 0.8)]
    return stroke_path("M " + " L ".join(f"{x},{y}" for x, y in pts) + " Z", 1.3, c)


def slow_forward(cx, cy, s, c):
    return [_hollow(cx - s * 0.35, cy, s, c, True), _hollow(cx + s * 0.55, cy, s * 0.7, c, True)]


def slow_backward(cx, cy, s, c):
    return [_hollow(cx + s * 0.35, cy, s, c, False), _hollow(cx - s * 0.55, cy, s * 0.7, c, False)]


def eject(cx, cy, s, c):
    return [polygon([(cx - s, cy + s * 0.15), (cx, cy - s * 0.95), (cx + s, cy + s * 0.15)], c),
            rect(cx - s, cy + s * 0.45, cx + s, cy + s * 0.85, c)]


def zoom(cx, cy, s, c):
    return [f"fill none stroke {rgb(c)} stroke-width 1.4 circle {cx - s * 0.25},{cy - s * 0.25} {cx + s * 0.4},{cy - s * 0.25}",
            stroke_path(f"M {cx + s * 0.25},{cy + s * 0.25} L {cx + s * 0.85},{cy + s * 0.85}", 2, c)]


def speaker(cx, cy, s, c):
    return [polygon([(cx - s, cy - s * 0.35), (cx - s * 0.5, cy - s * 0.35), (cx + s * 0.1, cy - s),
                     (cx + s * 0.1, cy + s), (cx - s * 0.5, cy + s * 0.35), (cx - s, cy + s * 0.35)], c)]


def mute(cx, cy, s, c):
    return speaker(cx - s * 0.3, cy, s, c) + [
        stroke_path(f"M {cx + s * 0.3},{cy - s * 0.45} L {cx + s * 1.1},{cy + s * 0.45}", 1.3, (230, 70, 60) if c != DISABLED_INK else c),
        stroke_path(f"M {cx + s * 0.3},{cy + s * 0.45} L {cx + s * 1.1},{cy - s * 0.45}", 1.3, (230, 70, 60) if c != DISABLED_INK else c)]


def arrow(direction):
    def draw(cx, cy, s, c):
        pts = {"up": [(0, -1), (1, 0.6), (-1, 0.6)], "down": [(0, 1), (1, -0.6), (-1, -0.6)],
               "left": [(-1, 0), (0.6, -1), (0.6, 1)], "right": [(1, 0), (-0.6, -1), (-0.6, 1)]}[direction]
        return [polygon([(cx + x * s * 0.75, cy + y * s * 0.75) for x, y in pts], c)]
    return draw


def record(cx, cy, s, c):
    red = (236, 56, 52) if c not in (DISABLED_INK,) else c
    return [circle(cx, cy, s * 0.8, red)]


def reset(cx, cy, s, c):
    return [f"fill none stroke {rgb(c)} stroke-width 1.8 path 'M {cx + s * 0.8},{cy} A {s * 0.8},{s * 0.8} 0 1 1 {cx},{cy - s * 0.8}'",
            polygon([(cx - s * 0.15, cy - s * 1.25), (cx + s * 0.55, cy - s * 0.8), (cx - s * 0.15, cy - s * 0.35)], c)]


def test_run(cx, cy, s, c):
    return [_tri(cx - s * 0.3, cy, s, c),
            stroke_path(f"M {cx + s * 0.35},{cy + s * 0.1} L {cx + s * 0.7},{cy + s * 0.6} L {cx + s * 1.3},{cy - s * 0.6}", 1.6, ACCENT if c != DISABLED_INK else c)]


def disc(cx, cy, s, c):
    return [f"fill none stroke {rgb(c)} stroke-width 1.6 circle {cx},{cy} {cx + s},{cy}",
            circle(cx, cy, s * 0.28, c)]


def refresh(cx, cy, s, c):
    return [f"fill none stroke {rgb(c)} stroke-width 1.8 path 'M {cx - s * 0.9},{cy} A {s * 0.9},{s * 0.9} 0 0 1 {cx + s * 0.75},{cy - s * 0.5}'",
            polygon([(cx + s * 1.15, cy - s * 0.95), (cx + s * 1.0, cy - s * 0.05), (cx + s * 0.3, cy - s * 0.5)], c),
            f"fill none stroke {rgb(c)} stroke-width 1.8 path 'M {cx + s * 0.9},{cy} A {s * 0.9},{s * 0.9} 0 0 1 {cx - s * 0.75},{cy + s * 0.5}'",
            polygon([(cx - s * 1.15, cy + s * 0.95), (cx - s * 1.0, cy + s * 0.05), (cx - s * 0.3, cy + s * 0.5)], c)]


def page(cx, cy, s, c):
    return [path(f"M {cx - s * 0.7},{cy - s} L {cx + s * 0.3},{cy - s} L {cx + s * 0.75},{cy - s * 0.55} L {cx + s * 0.75},{cy + s} L {cx - s * 0.7},{cy + s} Z", c)]


def folder(cx, cy, s, c):
    return [path(f"M {cx - s},{cy - s * 0.75} L {cx - s * 0.25},{cy - s * 0.75} L {cx},{cy - s * 0.45} L {cx + s},{cy - s * 0.45} L {cx + s},{cy + s * 0.8} L {cx - s},{cy + s * 0.8} Z", c)]


def floppy(cx, cy, s, c, hole=(52, 57, 66)):
    return [rect(cx - s * 0.9, cy - s * 0.9, cx + s * 0.9, cy + s * 0.9, c),
            rect(cx - s * 0.5, cy - s * 0.9, cx + s * 0.4, cy - s * 0.3, darker(c, 0.45)),
            rect(cx - s * 0.55, cy + s * 0.15, cx + s * 0.55, cy + s * 0.9, lighter(darker(c, 0.25), 0.0))]


def name_tag(cx, cy, s, c):
    return [path(f"M {cx - s},{cy - s * 0.6} L {cx + s * 0.55},{cy - s * 0.6} L {cx + s * 1.1},{cy} L {cx + s * 0.55},{cy + s * 0.6} L {cx - s},{cy + s * 0.6} Z", c),
            circle(cx + s * 0.5, cy, s * 0.16, darker(c, 0.6))]


def eraser(cx, cy, s, c):
    return [stroke_path(f"M {cx - s * 0.75},{cy - s * 0.75} L {cx + s * 0.75},{cy + s * 0.75}", 2.2, c),
            stroke_path(f"M {cx - s * 0.75},{cy + s * 0.75} L {cx + s * 0.75},{cy - s * 0.75}", 2.2, c)]


def down_mark(cx, cy, s, c):
    return [polygon([(cx - s, cy - s * 0.45), (cx + s, cy - s * 0.45), (cx, cy + s * 0.6)], c)]


def minus(cx, cy, s, c):
    return [rect(cx - s * 0.8, cy + s * 0.2, cx + s * 0.8, cy + s * 0.65, c)]


def cross(cx, cy, s, c):
    return [stroke_path(f"M {cx - s * 0.65},{cy - s * 0.65} L {cx + s * 0.65},{cy + s * 0.65}", 1.7, c),
            stroke_path(f"M {cx - s * 0.65},{cy + s * 0.65} L {cx + s * 0.65},{cy - s * 0.65}", 1.7, c)]


def load_arrow(cx, cy, s, c):
    return [polygon([(cx - s * 0.9, cy - s * 0.1), (cx, cy + s * 0.9), (cx + s * 0.9, cy - s * 0.1)], c),
            rect(cx - s * 0.35, cy - s, cx + s * 0.35, cy, c)]


def path(d, c):
    return f"fill {rgb(c)} stroke none path '{d}'"


PLAYER_FACE = (70, 76, 88)
MENU_FACE = (52, 74, 116)
CYCLE_FACE = (36, 92, 98)
PAD_FACE = (150, 156, 168)
PAD_INK = (28, 30, 36)
PLAY_INK = (150, 240, 150)

# Player buttons: file-name form -> (width, height, face, glyph). Ordinary buttons are 30 x 20
# so that rows 22 px and columns 32 px apart keep a 2 px gap; the volume pair stacks 16 px
# apart; the arrow pad fits around the OK button at (231, 31).
PLAYER_BUTTONS = {
    "Play": (30, 20, PLAYER_FACE, Glyph(play, colour=PLAY_INK)),
    "Stop": (30, 20, PLAYER_FACE, Glyph(stop)),
    "Pause": (30, 20, PLAYER_FACE, Glyph(pause)),
    "Next": (30, 20, PLAYER_FACE, Glyph(next_chapter)),
    "Previous": (30, 20, PLAYER_FACE, Glyph(previous_chapter)),
    "FastForward": (30, 20, PLAYER_FACE, Glyph(fast_forward)),
    "FastRewind": (30, 20, PLAYER_FACE, Glyph(fast_rewind)),
    "StepForward": (30, 20, PLAYER_FACE, Glyph(step_forward)),
    "StepBackward": (30, 20, PLAYER_FACE, Glyph(step_backward)),
    "SlowForward": (30, 20, PLAYER_FACE, Glyph(slow_forward)),
    "SlowBackward": (30, 20, PLAYER_FACE, Glyph(slow_backward)),
    "Zoom": (30, 20, PLAYER_FACE, Glyph(zoom)),
    "EjectDisc": (30, 20, PLAYER_FACE, Glyph(eject)),
    "RootMenu": (30, 20, MENU_FACE, Glyph(caption="ROOT")),
    "TitleMenu": (30, 20, MENU_FACE, Glyph(caption="TITLE")),
    "ChapterMenu": (30, 20, MENU_FACE, Glyph(caption="CHAP")),
    "AngleMenu": (30, 20, MENU_FACE, Glyph(caption="ANGLE")),
    "AudioMenu": (30, 20, MENU_FACE, Glyph(caption="AUDIO")),
    "SubpictureMenu": (30, 20, MENU_FACE, Glyph(caption="SUBS")),
    "NextAngle": (30, 20, CYCLE_FACE, Glyph(caption="ANG\u203a")),
    "NextAudio": (30, 20, CYCLE_FACE, Glyph(caption="AUD\u203a")),
    "NextCaption": (30, 20, CYCLE_FACE, Glyph(caption="SUB\u203a")),
    "VolumeUp": (30, 15, PLAYER_FACE, Glyph(caption="VOL +", size=7)),
    "VolumeDown": (30, 15, PLAYER_FACE, Glyph(caption="VOL \u2212", size=7)),
    "Mute": (30, 31, PLAYER_FACE, Glyph(mute)),
    "Up": (17, 22, PAD_FACE, Glyph(arrow("up"), colour=PAD_INK)),
    "Down": (17, 22, PAD_FACE, Glyph(arrow("down"), colour=PAD_INK)),
    "Left": (22, 17, PAD_FACE, Glyph(arrow("left"), colour=PAD_INK)),
    "Right": (22, 17, PAD_FACE, Glyph(arrow("right"), colour=PAD_INK)),
    "OkEnter": (21, 21, (64, 140, 84), Glyph(caption="OK", size=8, font=BOLD)),
}

# The arrow pad sits in a round well of its own colour; everything else on the remote panel
# sits on the plain panel fill.
PAD_BUTTONS = {"Up", "Down", "Left", "Right", "OkEnter"}


def player_strip(name, panel_fill, well_fill):
    width, height, face, glyph = PLAYER_BUTTONS[name]
    under = well_fill if name in PAD_BUTTONS else panel_fill
    return width, height, strip(width, height, under, glyph, face, radius=4,
                                round_shape=(name == "OkEnter"))
