#!/usr/bin/env python3
"""Generates the four moon bitmaps of the module from the lunar map beside it.

    118-moon-50.bmp     50 x 50
    120-moon-100.bmp   100 x 100
    121-moon-200.bmp   200 x 200
    122-moon-300.bmp   300 x 300

Each is the near side of the full moon as seen from Earth's northern
hemisphere (north up, Mare Crisium near the right limb), an orthographic
projection of the equirectangular map onto a disc that fills the square.
Every pixel the disc does not touch is the key green (29, 255, 82), which the
program turns into the transparent colour; rim pixels blend the surface
towards a dark grey, so the edge is smooth and no green fringe is left.

    make_moon_bitmaps.py            write the four files and moon_bitmaps.inputs.txt into resources/bitmaps/
    make_moon_bitmaps.py --check    exit 1 unless the committed files are current, 77 (skipped)
                                    without numpy or PIL, or with other versions than the recorded ones

Needs numpy and PIL (Debian's python3-numpy, python3-pil). The record beside
the bitmaps names their versions and the map's SHA-256: a changed map makes
the bitmaps stale, another numpy or PIL only makes the check inconclusive.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import recorded_inputs  # noqa: E402

try:
    import numpy as np
    import PIL
    from PIL import Image
except ImportError:
    np = None

TOOL = "make_moon_bitmaps"
MAP_FILE = os.path.join(HERE, "moon-map-1024x512.png")
BITMAP_DIR = os.path.join(HERE, "..", "..", "resources", "bitmaps")
RECORD_FILE = os.path.join(BITMAP_DIR, "moon_bitmaps.inputs.txt")

BITMAPS = ((118, 50), (120, 100), (121, 200), (122, 300))
KEY_GREEN = (29, 255, 82)
# What the rim fades to: darker than any surface pixel, close to the night sky.
RIM_GREY = (18.0, 18.0, 20.0)
# Sub-pixel samples per side: smooths the rim and averages the map's detail.
SUPERSAMPLING = 4
# The map is a dim albedo map; a full moon in the night sky looks brighter and
# with more contrast between maria and highlands.
TONE_BLACK = 34.0
TONE_GAIN = 1.8
TONE_FLOOR = 30.0
# Vectorised trigonometry may differ by an ulp between CPUs, so a channel may
# round one step apart; anything larger is a real change.
CHECK_TOLERANCE = 1


def file_name(resource_id, size):
    return "%d-moon-%d.bmp" % (resource_id, size)


def load_map():
    return np.asarray(Image.open(MAP_FILE).convert("RGB"), dtype=np.float64)


def sample_bilinear(lunar_map, longitude, latitude):
    """Map colours at the given angles (radians), wrapping in longitude."""
    height, width, _ = lunar_map.shape
    u = (longitude / (2 * np.pi) + 0.5) * width - 0.5
    v = (0.5 - latitude / np.pi) * height - 0.5
    u0 = np.floor(u)
    v0 = np.floor(v)
    fu = (u - u0)[..., None]
    fv = (v - v0)[..., None]
    x0 = u0.astype(np.int64) % width
    x1 = (x0 + 1) % width
    y0 = np.clip(v0.astype(np.int64), 0, height - 1)
    y1 = np.clip(y0 + 1, 0, height - 1)
    top = lunar_map[y0, x0] * (1 - fu) + lunar_map[y0, x1] * fu
    bottom = lunar_map[y1, x0] * (1 - fu) + lunar_map[y1, x1] * fu
    return top * (1 - fv) + bottom * fv


def moon_pixels(lunar_map, size):
    """An array size x size x 3 of 0..255 integers, row 0 at the top."""
    n = SUPERSAMPLING
    radius = size / 2.0
    # Sample positions across the square, in units of the disc's radius, y up.
    steps = (np.arange(size * n) + 0.5) / n
    sx = (steps - radius) / radius
    sy = (radius - steps) / radius
    x, y = np.meshgrid(sx, sy)
    inside = x * x + y * y < 1.0
    z = np.sqrt(np.clip(1.0 - x * x - y * y, 0.0, 1.0))
    latitude = np.arcsin(np.clip(y, -1.0, 1.0))
    longitude = np.arctan2(x, z)
    surface = sample_bilinear(lunar_map, longitude, latitude)
    surface = np.clip(TONE_FLOOR + (surface - TONE_BLACK) * TONE_GAIN, TONE_FLOOR, 255.0)
    colour = np.where(inside[..., None], surface, np.array(RIM_GREY))

    # Average the sub-samples of each output pixel.
    colour = colour.reshape(size, n, size, n, 3).mean(axis=(1, 3))
    coverage = inside.reshape(size, n, size, n).mean(axis=(1, 3))
    pixels = np.floor(colour + 0.5).astype(np.uint8)
    pixels[(coverage == 0.0) & ~lit_by_program(size)] = KEY_GREEN
    return pixels


def lit_by_program(size):
    """Pixels the program treats as the disc when it lights the moon.

    It takes the disc as every pixel (x, y) with (x - r)^2 + (y - r)^2 <= r^2,
    r = size // 2, which reaches half a pixel further right and down than the
    drawn disc. A key-green pixel there would be brightened to a green that is
    no longer the transparent colour, so such pixels keep the rim grey.
    """
    r = size // 2
    index = np.arange(size)
    dx, dy = np.meshgrid(index - r, index - r)
    return dx * dx + dy * dy <= r * r


def bmp_bytes(pixels):
    """A 24-bit bottom-up BMP of an array with row 0 at the top."""
    height, width, _ = pixels.shape
    row_size = (width * 3 + 3) // 4 * 4
    rows = np.zeros((height, row_size), dtype=np.uint8)
    rows[:, : width * 3] = pixels[::-1, :, ::-1].reshape(height, width * 3)
    data = rows.tobytes()
    header_size = 14 + 40

    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(data), 0, 0, header_size)
    # 2835 pixels per metre is 72 dpi.
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return file_header + info_header + data


def read_bmp_pixels(path, size):
    """The committed bitmap as an array like moon_pixels', or None when unreadable."""
    try:
        with Image.open(path) as image:
            if image.size != (size, size) or image.mode != "RGB":
                return None
            return np.asarray(image, dtype=np.uint8)
    except OSError:
        return None


def is_current(path, expected):
    committed = read_bmp_pixels(path, expected.shape[0])
    if committed is None:
        return False
    key = np.all(expected == KEY_GREEN, axis=2)
    if not np.array_equal(np.all(committed == KEY_GREEN, axis=2), key):
        return False
    difference = np.abs(committed.astype(np.int16) - expected.astype(np.int16))
    return int(difference.max()) <= CHECK_TOLERANCE


def installed_inputs():
    return {"numpy": np.__version__, "Pillow": PIL.__version__}


def record():
    files = [file_name(resource_id, size) for resource_id, size in BITMAPS]
    inputs = [(os.path.basename(MAP_FILE), recorded_inputs.sha256_of(MAP_FILE))] + sorted(installed_inputs().items())
    return recorded_inputs.record_text("tools/moon_bitmaps/make_moon_bitmaps.py", files, inputs)


def main(argv):
    check = "--check" in argv[1:]
    if np is None:
        recorded_inputs.missing(TOOL, "numpy or PIL (Debian python3-numpy, python3-pil)", check)
    stale = []
    recorded_inputs.check_or_write_record(TOOL, RECORD_FILE, record(), installed_inputs(), check, stale)
    lunar_map = load_map()
    for resource_id, size in BITMAPS:
        path = os.path.join(BITMAP_DIR, file_name(resource_id, size))
        pixels = moon_pixels(lunar_map, size)
        if check:
            if not is_current(path, pixels):
                stale.append(os.path.basename(path))
            continue
        with open(path, "wb") as f:
            f.write(bmp_bytes(pixels))
        print("wrote", os.path.normpath(path))
    if stale:
        print("out of date:", ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
