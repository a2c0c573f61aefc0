#!/usr/bin/env python3
"""Generates the two sky background bitmaps of the module.

    123-blue-gradient.bmp   959 x 562, a vertical gradient from (0, 0, 21) at the
                            top through (0, 5, 40) in the middle to (3, 15, 64)
                            at the bottom; the sky stretches it to the window.
    124-starry-tile.bmp     512 x 320, black with scattered small white and
                            bluish stars; the sky repeats it as tiles, so every
                            star is drawn with wrap-around and the tile's edges
                            meet seamlessly.

    make_sky_bitmaps.py            write both files and sky_bitmaps.inputs.txt into resources/bitmaps/
    make_sky_bitmaps.py --check    exit 1 unless the committed files are current, 77 (skipped)
                                   under another Python than the recorded one

Standard library only; the star positions come from a fixed seed, so every run
writes the same bytes. Python keeps only random() itself stable from one
version to the next, not randrange() or randint(), so the record beside the
bitmaps names the Python version.
"""

import os
import random
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import recorded_inputs  # noqa: E402

TOOL = "make_sky_bitmaps"
BITMAP_DIR = os.path.join(HERE, "..", "..", "resources", "bitmaps")
RECORD_FILE = os.path.join(BITMAP_DIR, "sky_bitmaps.inputs.txt")

GRADIENT_FILE = "123-blue-gradient.bmp"
GRADIENT_SIZE = (959, 562)
GRADIENT_TOP = (0, 0, 21)
GRADIENT_MIDDLE = (0, 5, 40)
GRADIENT_BOTTOM = (3, 15, 64)

TILE_FILE = "124-starry-tile.bmp"
TILE_SIZE = (512, 320)
TILE_SEED = 124
TILE_STARS = 260
BLACK = (0, 0, 0)


def bmp_bytes(width, height, pixel_at):
    """A 24-bit bottom-up BMP; pixel_at(x, y) gives (r, g, b) with y from the top."""
    row_size = (width * 3 + 3) // 4 * 4
    padding = b"\0" * (row_size - width * 3)
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel_at(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + padding)
    pixels = b"".join(rows)
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    # 2835 pixels per metre is 72 dpi.
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return file_header + info_header + pixels


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def gradient_row_colour(y, height):
    t = y / (height - 1)
    if t <= 0.5:
        return mix(GRADIENT_TOP, GRADIENT_MIDDLE, t / 0.5)
    return mix(GRADIENT_MIDDLE, GRADIENT_BOTTOM, (t - 0.5) / 0.5)


def gradient_bitmap():
    width, height = GRADIENT_SIZE
    rows = [gradient_row_colour(y, height) for y in range(height)]
    return bmp_bytes(width, height, lambda x, y: rows[y])


def star_colour(rng, brightness):
    """White or bluish at the given brightness (0..255)."""
    if rng.random() < 0.45:
        return (int(brightness * 0.78), int(brightness * 0.84), brightness)
    return (brightness, brightness, brightness)


def scaled(colour, factor):
    return tuple(min(255, int(c * factor)) for c in colour)


def brighter(a, b):
    return tuple(max(a[i], b[i]) for i in range(3))


def tile_pixels():
    """The tile as a dict (x, y) -> colour; missing pixels are black."""
    width, height = TILE_SIZE
    rng = random.Random(TILE_SEED)
    pixels = {}

    def plot(x, y, colour):
        key = (x % width, y % height)
        pixels[key] = brighter(pixels.get(key, BLACK), colour)

    for _ in range(TILE_STARS):
        x, y = rng.randrange(width), rng.randrange(height)
        kind = rng.random()
        if kind < 0.72:
            # Faint point stars make most of the sky.
            plot(x, y, star_colour(rng, rng.randint(50, 170)))
        elif kind < 0.95:
            # A brighter point with a soft cross.
            colour = star_colour(rng, rng.randint(150, 235))
            plot(x, y, colour)
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                plot(x + dx, y + dy, scaled(colour, 0.35))
        else:
            # A few bright stars with longer arms and a faint halo.
            colour = star_colour(rng, 255)
            plot(x, y, colour)
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                plot(x + dx, y + dy, scaled(colour, 0.6))
                plot(x + 2 * dx, y + 2 * dy, scaled(colour, 0.22))
            for dx, dy in ((1, 1), (1, -1), (-1, 1), (-1, -1)):
                plot(x + dx, y + dy, scaled(colour, 0.2))
    return pixels


def tile_bitmap():
    width, height = TILE_SIZE
    pixels = tile_pixels()
    return bmp_bytes(width, height, lambda x, y: pixels.get((x, y), BLACK))


def installed_inputs():
    return {"Python": "%d.%d" % sys.version_info[:2]}


def record():
    return recorded_inputs.record_text("tools/sky_bitmaps/make_sky_bitmaps.py", [GRADIENT_FILE, TILE_FILE],
                                       sorted(installed_inputs().items()))


def main(argv):
    check = "--check" in argv[1:]
    stale = []
    recorded_inputs.check_or_write_record(TOOL, RECORD_FILE, record(), installed_inputs(), check, stale)
    outputs = {GRADIENT_FILE: gradient_bitmap(), TILE_FILE: tile_bitmap()}
    for name, data in outputs.items():
        path = os.path.join(BITMAP_DIR, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
            continue
        with open(path, "wb") as f:
            f.write(data)
        print("wrote", os.path.normpath(path))
    if stale:
        print("out of date:", ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
