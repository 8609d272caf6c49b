#!/usr/bin/env python3
"""Writes the program's two cursors (monochrome 32x32 .cur files) from the pictures below.

'#' is black, '.' is white, anything else is transparent; 'H' marks the hot spot (black).
Run: python3 tools/skin/make_cursors.py src/app/win32/res
"""
import struct
import sys
from pathlib import Path

# Four-way arrow: the window can be dragged by its bare skin.
DRAG = """
               H
              #.#
             #...#
            #.....#
           ###...###
             #...#
       #     #...#     #
      ##     #...#     ##
     #.#######...#######.#
    #.....................#
     #.#######...#######.#
      ##     #...#     ##
       #     #...#     #
             #...#
           ###...###
            #.....#
             #...#
              #.#
               #
"""

# A floppy disk: clicking saves.
SAVE = """
H##############
#..#.......#..#
#..#.......#..#
#..#.......#..#
#..#########..#
#.............#
#..#########..#
#..#.......#..#
#..#.......#..#
#..#.......#..#
###############
"""


def cursor(picture: str) -> bytes:
    rows = [line for line in picture.split("\n")[1:-1]]
    size = 32
    xor = [[0] * size for _ in range(size)]
    and_mask = [[1] * size for _ in range(size)]
    hot = (0, 0)
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch == "H":
                hot = (x, y)
                ch = "#"
            if ch == "#":
                and_mask[y][x] = 0
                xor[y][x] = 0
            elif ch == ".":
                and_mask[y][x] = 0
                xor[y][x] = 1

    def plane(bits):
        out = bytearray()
        for y in reversed(range(size)):  # bottom-up rows
            for byte in range(size // 8):
                value = 0
                for bit in range(8):
                    value = (value << 1) | bits[y][byte * 8 + bit]
                out.append(value)
        return bytes(out)

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + plane(xor) + plane(and_mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return directory + entry + image


def main() -> None:
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    out.mkdir(parents=True, exist_ok=True)
    (out / "drag.cur").write_bytes(cursor(DRAG))
    (out / "save.cur").write_bytes(cursor(SAVE))


if __name__ == "__main__":
    main()
