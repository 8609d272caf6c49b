"""Reads the control layout that the program and the skin share (src/ui/skin_layout.h)."""
from __future__ import annotations

import re
from pathlib import Path

DEFAULT = Path(__file__).resolve().parents[2] / "src" / "ui" / "skin_layout.h"

_NAMESPACE = re.compile(r"^namespace\s+([\w:]+)\s*\{")
_CLOSE = re.compile(r"^\}\s*//\s*namespace\s+([\w:]+)")
_RECT = re.compile(
    r"^inline\s+constexpr\s+Rect\s+(\w+)\s*\{\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*\};"
)
_COLOUR = re.compile(
    r"^inline\s+constexpr\s+Colour\s+(\w+)\s*\{\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\};"
)


class Layout:
    def __init__(self, rects: dict[str, dict[str, tuple[int, int, int, int]]], colours):
        self.rects = rects
        self.colours = colours

    def __getitem__(self, parent: str) -> dict[str, tuple[int, int, int, int]]:
        return self.rects[parent]

    def rect(self, parent: str, name: str) -> tuple[int, int, int, int]:
        return self.rects[parent][name]

    def box(self, parent: str, name: str) -> tuple[int, int, int, int]:
        """The rectangle as x0, y0, x1, y1 (x1, y1 exclusive)."""
        left, top, width, height = self.rects[parent][name]
        return left, top, left + width, top + height


def parse(text: str) -> Layout:
    rects: dict[str, dict[str, tuple[int, int, int, int]]] = {}
    colours: dict[str, tuple[int, int, int]] = {}
    stack: list[str] = []
    for number, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if m := _NAMESPACE.match(line):
            stack.append(m.group(1))
        elif m := _CLOSE.match(line):
            if not stack or stack[-1] != m.group(1):
                raise ValueError(f"line {number}: unbalanced namespace {m.group(1)}")
            stack.pop()
        elif m := _RECT.match(line):
            if len(stack) < 2:
                raise ValueError(f"line {number}: rectangle outside a parent namespace")
            parent = rects.setdefault(stack[-1], {})
            if m.group(1) in parent:
                raise ValueError(f"line {number}: {stack[-1]}::{m.group(1)} given twice")
            parent[m.group(1)] = tuple(int(v) for v in m.group(2, 3, 4, 5))
        elif m := _COLOUR.match(line):
            colours[m.group(1)] = tuple(int(v) for v in m.group(2, 3, 4))
        elif "constexpr Rect " in line or "constexpr Colour " in line:
            raise ValueError(f"line {number}: not in the one-line form: {line}")
    if stack:
        raise ValueError(f"namespace {stack[-1]} is not closed")
    return Layout(rects, colours)


def load(path: Path = DEFAULT) -> Layout:
    return parse(Path(path).read_text())


def remotes(path: Path | None = None) -> dict[str, list[tuple[str, int, int]]]:
    """The player plug-ins' remote layouts: plug-in -> [(button name, left, top)]."""
    path = path or Path(__file__).with_name("remotes.txt")
    result: dict[str, list[tuple[str, int, int]]] = {}
    current = None
    for line in Path(path).read_text().splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        if line.startswith("["):
            current = result.setdefault(line.strip("[]"), [])
            continue
        name, x, y = line.rsplit(None, 2)
        current.append((name, int(x), int(y)))
    return result


def strip_name(button_name: str) -> str:
    """The file-name form of a player button: letters only, in order."""
    return "".join(c for c in button_name if "A" <= c <= "Z" or "a" <= c <= "z")
