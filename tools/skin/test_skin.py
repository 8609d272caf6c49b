"""Tests of the default skin: every file the program reads, in the sizes it needs, reproducibly."""
import struct
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent / "mkmask"))

import buttons  # noqa: E402
import layout  # noqa: E402
import mkmask  # noqa: E402
import skin  # noqa: E402

KEY = b"\xff\x00\xff"  # as R, G, B

OWN_STRIPS = ["record", "stoprec", "resetdisc", "testmacro", "dvdvideo", "refresh", "optiona",
              "optionb", "spindrel", "winautoplay", "filenew", "fileopen", "filesave",
              "fileautoname", "fileclear", "about", "buttonlist", "config", "dsm", "filesystem", "close", "minimise", "load",
              "cancel"]
PANELS = ["about", "remote", "config", "filesystem", "inactive", "active", "testmode",
          "buttonlist", "dsm", "logo"]


def pixels(data: bytes):
    width, height, rows = mkmask.read_bmp(data)
    # mkmask reads B, G, R; turn each row into R, G, B triplets.
    return width, height, [b"".join(row[i : i + 3][::-1] for i in range(0, len(row), 3)) for row in rows]


def bmp_header(data: bytes):
    return struct.unpack_from("<HIHHIIiiHHI", data, 0)


class GeneratedSkinTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.out = Path(cls.folder.name) / "images"
        skin.generate(cls.out)
        cls.files = {p.name: p.read_bytes() for p in cls.out.iterdir()}

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def size(self, name):
        width, height, _ = pixels(self.files[name])
        return width, height

    def test_every_file_the_program_names_exists_in_its_size(self):
        self.assertEqual(self.size("main_form.bmp"), (512, 160))
        self.assertEqual(self.size("open_dialog.bmp"), (603, 339))
        self.assertEqual(self.size("image_regionled.bmp"), (9, 9))
        for name in ("about", "remote", "config", "filesystem", "buttonlist", "dsm"):
            self.assertEqual(self.size(f"panels_{name}.bmp"), (291, 130), name)
        for name in ("inactive", "active", "testmode"):
            width, height = self.size(f"panels_{name}.bmp")
            self.assertLessEqual((width, height), (177, 61), name)
        self.assertEqual(self.size("panels_logo.bmp"), (177, 61))
        for name in PANELS:
            self.assertIn(f"panels_{name}.bmp", self.files)
        for name in ("main_form.mask", "open_dialog.mask"):
            self.assertIn(name, self.files)

    def test_files_are_plain_24_bit_bitmaps(self):
        for name, data in self.files.items():
            if name.endswith(".bmp"):
                magic, size, _, _, offset, header, _, _, planes, bits, compression = bmp_header(data)
                self.assertEqual((magic, size, offset, header, planes, bits, compression),
                                 (0x4D42, len(data), 54, 40, 1, 24, 0), name)

    def test_strips_hold_four_glyphs_each_keyed_at_its_bottom_left(self):
        players = {layout.strip_name(n) for plugin in layout.remotes().values() for n, _, _ in plugin}
        self.assertIn("OkEnter", players)
        for name in OWN_STRIPS + sorted(players):
            width, height, rows = pixels(self.files[f"buttons_{name}.bmp"])
            self.assertEqual(width % 4, 0, name)
            glyph = width // 4
            for g in range(4):
                self.assertEqual(rows[-1][3 * g * glyph : 3 * g * glyph + 3], KEY, f"{name} glyph {g}")
            states = [b"".join(row[3 * g * glyph : 3 * (g + 1) * glyph] for row in rows) for g in range(4)]
            self.assertEqual(len(set(states)), 4, f"{name}: the four states must differ")
            # A glyph must be mostly drawn, or its mouse-over area is a few stray pixels.
            drawn = sum(1 for i in range(0, len(states[0]), 3) if states[0][i : i + 3] != KEY)
            self.assertGreater(drawn, glyph * height // 2, name)

    def test_own_strips_are_the_size_of_their_controls(self):
        expected = {"close": ("main_form", "closebtn"), "load": ("open_dialog", "loadbtn"),
                    "dsm": ("dsm_panel", "dsmbtn"), "record": ("active_panel", "RecBtn")}
        shared = layout.load()
        for name, (parent, control) in expected.items():
            width, height = self.size(f"buttons_{name}.bmp")
            self.assertEqual((width // 4, height), shared.rect(parent, control)[2:], name)

    def test_key_colour_lies_outside_and_only_outside_the_masks(self):
        for picture in ("main_form", "open_dialog"):
            width, height, rows = pixels(self.files[f"{picture}.bmp"])
            self.assertEqual(rows[-1][:3], KEY, picture)
            mask = self.files[f"{picture}.mask"]
            (n,) = struct.unpack_from("<i", mask)
            _, _, count, _, *bound = struct.unpack_from("<IIII4i", mask, 4)
            self.assertGreater(count, 0)
            rects = [struct.unpack_from("<4i", mask, 36 + 16 * i) for i in range(count)]
            inside = [[False] * width for _ in range(height)]
            for left, top, right, bottom in rects:
                for y in range(top, bottom):
                    for x in range(left, right):
                        inside[y][x] = True
            for y in range(height):
                for x in range(width):
                    keyed = rows[y][3 * x : 3 * x + 3] == KEY
                    self.assertNotEqual(keyed, inside[y][x], f"{picture} at {x},{y}")
            # The outline is a real shape: the corners are cut away, the middle is there.
            self.assertFalse(inside[0][0] and inside[height - 1][width - 1])
            self.assertTrue(inside[height // 2][width // 2])

    def test_panel_areas_behind_controls_are_not_the_key_colour(self):
        # The panels are drawn opaque: a key-coloured pixel there would show as magenta.
        for name in PANELS:
            _, _, rows = pixels(self.files[f"panels_{name}.bmp"])
            self.assertNotIn(KEY, [row[i : i + 3] for row in rows for i in range(0, len(row), 3)], name)

    def test_a_second_run_gives_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as other:
            skin.generate(Path(other), jobs_count=1)
            again = {p.name: p.read_bytes() for p in Path(other).iterdir()}
        self.assertEqual(sorted(again), sorted(self.files))
        for name in self.files:
            self.assertEqual(again[name], self.files[name], name)


class LayoutTest(unittest.TestCase):
    def test_controls_lie_inside_their_parents(self):
        shared = layout.load()
        sizes = {"main_form": (512, 160), "open_dialog": (603, 339), "dead_panel1": (177, 61),
                 "base_panel": (298, 130), "inactive_panel": (175, 61), "active_panel": (175, 61),
                 "Panel1": (180, 52)}
        for panel in ("dsm_panel", "button_panel", "file_panel", "config_panel", "remote_panel",
                      "about_panel"):
            sizes[panel] = (291, 130)
        for parent, controls in shared.rects.items():
            width, height = sizes[parent]
            for name, (left, top, w, h) in controls.items():
                self.assertTrue(0 <= left and 0 <= top and left + w <= width and top + h <= height,
                                f"{parent}::{name}")

    def test_player_buttons_of_every_plugin_fit_without_touching(self):
        shared = layout.load()
        hint_top = shared.rect("remote_panel", "timeindex")[1]
        for plugin, entries in layout.remotes().items():
            boxes = []
            for name, x, y in entries:
                w, h = buttons.PLAYER_BUTTONS[layout.strip_name(name)][:2]
                self.assertLessEqual(x + w, 291, f"{plugin} {name}")
                self.assertLessEqual(y + h, hint_top, f"{plugin} {name}")
                boxes.append((name, x, y, x + w, y + h))
            for i, a in enumerate(boxes):
                for b in boxes[i + 1 :]:
                    apart = a[3] <= b[1] or b[3] <= a[1] or a[4] <= b[2] or b[4] <= a[2]
                    self.assertTrue(apart, f"{plugin}: {a[0]} and {b[0]} overlap")

    def test_parser_takes_nested_namespaces_and_refuses_what_it_cannot_read(self):
        good = layout.parse(
            "namespace spindrel::skin {\nnamespace a {\ninline constexpr Rect x{1, -2, 3, 4};\n"
            "}  // namespace a\n}  // namespace spindrel::skin\n")
        self.assertEqual(good.rect("a", "x"), (1, -2, 3, 4))
        broken = [
            "namespace spindrel::skin {\ninline constexpr Rect x{1, 2, 3, 4};\n}  // namespace spindrel::skin\n",
            "namespace s {\nnamespace a {\ninline constexpr Rect x{1, 2,\n 3, 4};\n}  // namespace a\n}  // namespace s\n",
            "namespace s {\nnamespace a {\n}  // namespace b\n}  // namespace s\n",
            "namespace s {\nnamespace a {\ninline constexpr Rect x{1, 2, 3, 4};\ninline constexpr Rect x{1, 2, 3, 4};\n"
            "}  // namespace a\n}  // namespace s\n",
        ]
        for text in broken:
            with self.assertRaises(ValueError):
                layout.parse(text)

    def test_strip_names_keep_only_letters(self):
        self.assertEqual(layout.strip_name("Ok / Enter"), "OkEnter")
        self.assertEqual(layout.strip_name("Root Menu"), "RootMenu")
        self.assertEqual(layout.strip_name("Vol-2 Up!"), "VolUp")


if __name__ == "__main__":
    unittest.main()
