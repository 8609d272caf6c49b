#!/usr/bin/env python3
"""Makes a window-outline mask file from a skin picture.

Every pixel whose colour equals the picture's bottom-left pixel lies outside the outline; every
other pixel lies inside. The mask file is what the program hands to ExtCreateRegion in one call:

    int32 N                       byte length of the region data that follows (little-endian)
    RGNDATAHEADER (32 bytes)      dwSize 32, iType 1 (RDH_RECTANGLES), nCount, nRgnSize 16*nCount,
                                  rcBound left, top, right, bottom
    RECT[nCount]                  left, top, right, bottom (int32, right and bottom exclusive)

The rectangles come in Y-X bands, the order GetRegionData itself uses: bands from top to
bottom, each band's rectangles from left to right without overlap, and neighbouring pixel rows
whose runs are identical merged into one band.

A picture that is nothing but the key colour gives an empty region (N = 32, nCount 0, rcBound
all zero), not N = 0: N = 0 means "no mask, keep the window's present outline", which is the
opposite of "nothing of this picture is visible".

Run: python3 mkmask.py picture.bmp picture.mask
"""
from __future__ import annotations

import struct
import sys
from pathlib import Path

RDH_RECTANGLES = 1
HEADER_SIZE = 32
RECT_SIZE = 16


class BmpError(ValueError):
    pass


def read_bmp(data: bytes) -> tuple[int, int, list[bytes]]:
    """Returns width, height and the pixel rows top to bottom, 3 bytes (B, G, R) per pixel.

    Reads uncompressed 24- and 32-bit Windows bitmaps, bottom-up or top-down: the kinds a
    skin is drawn in.
    """
    if len(data) < 54 or data[:2] != b"BM":
        raise BmpError("not a Windows bitmap")
    (offset,) = struct.unpack_from("<I", data, 10)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if header_size < 40 or planes != 1:
        raise BmpError("unsupported bitmap header")
    if bits not in (24, 32) or compression != 0:
        raise BmpError(f"unsupported pixel format: {bits} bits, compression {compression}")
    if width <= 0 or height == 0:
        raise BmpError("empty bitmap")
    top_down = height < 0
    height = abs(height)
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    if offset + stride * height > len(data):
        raise BmpError("bitmap data is truncated")
    rows = []
    for y in range(height):
        stored = y if top_down else height - 1 - y
        start = offset + stored * stride
        raw = data[start : start + width * step]
        if step == 4:
            raw = b"".join(raw[i : i + 3] for i in range(0, len(raw), 4))
        rows.append(bytes(raw))
    return width, height, rows


def row_runs(row: bytes, key: bytes) -> tuple[tuple[int, int], ...]:
    """The runs of non-key pixels of one row as (left, right) with right exclusive."""
    runs = []
    width = len(row) // 3
    x = 0
    while x < width:
        if row[3 * x : 3 * x + 3] == key:
            x += 1
            continue
        left = x
        while x < width and row[3 * x : 3 * x + 3] != key:
            x += 1
        runs.append((left, x))
    return tuple(runs)


def bands(rows: list[bytes], key: bytes) -> list[tuple[int, int, tuple[tuple[int, int], ...]]]:
    """(top, bottom exclusive, runs) for every band; rows without runs make no band."""
    result: list[tuple[int, int, tuple[tuple[int, int], ...]]] = []
    for y, row in enumerate(rows):
        runs = row_runs(row, key)
        if not runs:
            continue
        if result and result[-1][1] == y and result[-1][2] == runs:
            top, _, same = result[-1]
            result[-1] = (top, y + 1, same)
        else:
            result.append((y, y + 1, runs))
    return result


def region_data(band_list) -> bytes:
    """The RGNDATA record for the bands, exactly as GetRegionData lays it out."""
    rects = [(left, top, right, bottom) for top, bottom, runs in band_list for left, right in runs]
    if rects:
        bound = (
            min(r[0] for r in rects),
            min(r[1] for r in rects),
            max(r[2] for r in rects),
            max(r[3] for r in rects),
        )
    else:
        bound = (0, 0, 0, 0)
    header = struct.pack(
        "<IIII4i", HEADER_SIZE, RDH_RECTANGLES, len(rects), RECT_SIZE * len(rects), *bound
    )
    return header + b"".join(struct.pack("<4i", *r) for r in rects)


def mask_from_bmp(data: bytes) -> bytes:
    """The whole mask file for a bitmap: N, then the region data."""
    width, height, rows = read_bmp(data)
    key = rows[-1][0:3]
    region = region_data(bands(rows, key))
    return struct.pack("<i", len(region)) + region


def main(argv: list[str]) -> int:
    if len(argv) != 3:
        print("usage: mkmask.py picture.bmp output.mask", file=sys.stderr)
        return 2
    source, target = Path(argv[1]), Path(argv[2])
    try:
        mask = mask_from_bmp(source.read_bytes())
    except (OSError, BmpError) as error:
        print(f"mkmask: {source}: {error}", file=sys.stderr)
        return 1
    if len(mask) == 4 + HEADER_SIZE:
        print(f"mkmask: warning: {source} is all key colour; the outline is empty", file=sys.stderr)
    target.write_bytes(mask)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
