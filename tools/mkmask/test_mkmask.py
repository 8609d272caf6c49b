"""Tests of the mask maker on small pictures drawn here as text ('#' inside, '.' key colour)."""
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import mkmask  # noqa: E402

KEY = (255, 0, 255)
INK = (10, 20, 30)


def bmp(picture: str, bits: int = 24, top_down: bool = False) -> bytes:
    rows = [line.strip() for line in picture.strip().splitlines()]
    width, height = len(rows[0]), len(rows)
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    pixels = bytearray()
    order = rows if top_down else list(reversed(rows))
    for row in order:
        line = bytearray()
        for ch in row:
            r, g, b = INK if ch == "#" else KEY
            line += bytes((b, g, r)) + (b"\0" if step == 4 else b"")
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack(
        "<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(pixels), 0, 0, 0, 0
    )
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + info + bytes(pixels)


def parse(mask: bytes):
    (n,) = struct.unpack_from("<i", mask, 0)
    assert len(mask) == 4 + n, "N must be the exact length of what follows"
    size, kind, count, rgn_size, *bound = struct.unpack_from("<IIII4i", mask, 4)
    rects = [struct.unpack_from("<4i", mask, 36 + 16 * i) for i in range(count)]
    return n, (size, kind, count, rgn_size, tuple(bound)), rects


class BandingTest(unittest.TestCase):
    def test_ring_splits_the_hole_rows_into_two_rects_and_merges_equal_rows(self):
        # Corners are key (bottom-left pixel decides), so rows 0 and 4 are narrower.
        mask = mkmask.mask_from_bmp(bmp("""
            .####.
            ######
            ##..##
            ##..##
            ######
            .####.
        """))
        n, header, rects = parse(mask)
        self.assertEqual(
            rects,
            [
                (1, 0, 5, 1),
                (0, 1, 6, 2),
                (0, 2, 2, 4), (4, 2, 6, 4),
                (0, 4, 6, 5),
                (1, 5, 5, 6),
            ],
        )
        self.assertEqual(header, (32, 1, 6, 96, (0, 0, 6, 6)))
        self.assertEqual(n, 32 + 16 * 6)

    def test_l_shape_gives_one_band_per_distinct_row_set(self):
        _, header, rects = parse(mkmask.mask_from_bmp(bmp("""
            ##...
            ##...
            ##...
            #####
            .....
        """)))
        self.assertEqual(rects, [(0, 0, 2, 3), (0, 3, 5, 4)])
        self.assertEqual(header[4], (0, 0, 5, 4))

    def test_equal_rows_separated_by_an_empty_row_stay_separate_bands(self):
        _, _, rects = parse(mkmask.mask_from_bmp(bmp("""
            .##.
            ....
            .##.
            ....
        """)))
        self.assertEqual(rects, [(1, 0, 3, 1), (1, 2, 3, 3)])

    def test_bounding_box_is_not_anchored_at_the_origin(self):
        _, header, _ = parse(mkmask.mask_from_bmp(bmp("""
            .....
            ..##.
            ..#..
            .....
        """)))
        self.assertEqual(header[4], (2, 1, 4, 3))

    def test_all_key_picture_gives_an_empty_region_not_a_missing_mask(self):
        n, header, rects = parse(mkmask.mask_from_bmp(bmp("""
            ...
            ...
        """)))
        self.assertEqual((n, header, rects), (32, (32, 1, 0, 0, (0, 0, 0, 0)), []))

    def test_key_is_the_bottom_left_colour_whatever_it_is(self):
        # Here the bottom-left pixel is ink, so the ink is the outside.
        _, _, rects = parse(mkmask.mask_from_bmp(bmp("""
            #..
            ###
        """)))
        self.assertEqual(rects, [(1, 0, 3, 1)])


class FormatTest(unittest.TestCase):
    PICTURE = """
        .##..
        #####
        .#.#.
    """

    def test_byte_layout_is_little_endian_header_then_rects(self):
        mask = mkmask.mask_from_bmp(bmp(self.PICTURE))
        expected = struct.pack("<i", 32 + 16 * 4) + struct.pack(
            "<IIII4i", 32, 1, 4, 64, 0, 0, 5, 3
        ) + b"".join(
            struct.pack("<4i", *r)
            for r in [(1, 0, 3, 1), (0, 1, 5, 2), (1, 2, 2, 3), (3, 2, 4, 3)]
        )
        self.assertEqual(mask, expected)

    def test_top_down_and_32_bit_pictures_give_the_same_mask(self):
        plain = mkmask.mask_from_bmp(bmp(self.PICTURE))
        self.assertEqual(mkmask.mask_from_bmp(bmp(self.PICTURE, top_down=True)), plain)
        self.assertEqual(mkmask.mask_from_bmp(bmp(self.PICTURE, bits=32)), plain)

    def test_row_padding_is_not_read_as_pixels(self):
        # Width 5 at 3 bytes per pixel pads each row with one byte; a stray key-like padding
        # byte must not become a pixel.
        data = bytearray(bmp(self.PICTURE))
        stride = 16
        for y in range(3):
            data[54 + y * stride + 15] = 0xFF
        self.assertEqual(mkmask.mask_from_bmp(bytes(data)), mkmask.mask_from_bmp(bmp(self.PICTURE)))

    def test_broken_pictures_are_refused(self):
        good = bmp(self.PICTURE)
        for broken in (b"", b"BM" + b"\0" * 10, good[:-8], b"XX" + good[2:]):
            with self.assertRaises(mkmask.BmpError):
                mkmask.mask_from_bmp(broken)
        eight_bit = bytearray(good)
        eight_bit[28] = 8
        with self.assertRaises(mkmask.BmpError):
            mkmask.mask_from_bmp(bytes(eight_bit))

    def test_command_line_writes_the_file_and_fails_on_a_missing_picture(self):
        script = Path(mkmask.__file__)
        with tempfile.TemporaryDirectory() as folder:
            picture, target = Path(folder) / "p.bmp", Path(folder) / "p.mask"
            picture.write_bytes(bmp(self.PICTURE))
            subprocess.run([sys.executable, script, picture, target], check=True)
            self.assertEqual(target.read_bytes(), mkmask.mask_from_bmp(picture.read_bytes()))
            missing = subprocess.run(
                [sys.executable, script, Path(folder) / "none.bmp", target], capture_output=True
            )
            self.assertNotEqual(missing.returncode, 0)


if __name__ == "__main__":
    unittest.main()
