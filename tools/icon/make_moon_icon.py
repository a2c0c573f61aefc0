#!/usr/bin/env python3
"""Draws the module's icon: a waxing gibbous moon, pale and softly shaded,
on a transparent background, in the sizes Windows asks for.

    make_moon_icon.py            write resources/icons/201-moon.ico and icon.inputs.txt beside it
    make_moon_icon.py --check    exit 1 unless the committed files are current, 77 (skipped)
                                 with another zlib than the one recorded

Standard library only; zlib packs the 256-pixel PNG, so its version is recorded. Every pixel is supersampled (4 x 4) so the rim and the
terminator stay smooth at 16 pixels; the 256-pixel image is stored as PNG,
the others as 32-bit bitmaps with alpha, as Vista and later expect.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import recorded_inputs  # noqa: E402

TOOL = "make_moon_icon"
ICON_FILE = os.path.join(HERE, "..", "..", "resources", "icons", "201-moon.ico")
RECORD_FILE = os.path.join(os.path.dirname(ICON_FILE), "icon.inputs.txt")
SIZES = (16, 24, 32, 48, 64, 256)
SUPERSAMPLE = 4
LIT = (246, 240, 214)        # the sunlit surface, a warm pale yellow
SHADOW = (52, 60, 92)        # earthshine on the dark part, a dim blue
TERMINATOR = 0.45            # phase: the shadow's ellipse as a share of the radius
# A few maria as (x, y, radius) in units of the moon's radius, darkening the lit part.
MARIA = ((-0.25, -0.30, 0.28), (0.10, -0.05, 0.22), (-0.05, 0.35, 0.20), (0.35, 0.30, 0.14))
MARE_DARKENING = 0.82


def moon_pixel(u, v):
    """Colour and coverage at (u, v), coordinates in moon radii from the centre."""
    if u * u + v * v > 1.0:
        return None
    half_width = math.sqrt(max(0.0, 1.0 - v * v))
    # Waxing gibbous: lit right of an ellipse that bulges into the left half.
    lit = u > -TERMINATOR * half_width
    if not lit:
        return SHADOW
    shade = 1.0
    for mx, my, mr in MARIA:
        if (u - mx) ** 2 + (v - my) ** 2 < mr * mr:
            shade = MARE_DARKENING
    # Limb darkening: the rim is a little dimmer than the centre.
    shade *= 0.78 + 0.22 * math.sqrt(max(0.0, 1.0 - u * u - v * v))
    return tuple(int(round(c * shade)) for c in LIT)


def render(size):
    """Rows of (r, g, b, a) from the top, with a one-pixel margin at small sizes."""
    margin = 0.5 if size < 32 else size / 32.0
    radius = size / 2.0 - margin
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = covered = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    u = (x + (sx + 0.5) / SUPERSAMPLE - size / 2.0) / radius
                    v = (y + (sy + 0.5) / SUPERSAMPLE - size / 2.0) / radius
                    colour = moon_pixel(u, v)
                    if colour:
                        r, g, b, covered = r + colour[0], g + colour[1], b + colour[2], covered + 1
            if covered:
                row.append((r // covered, g // covered, b // covered, 255 * covered // SUPERSAMPLE ** 2))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_entry(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_entry(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_bytes():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_entry(size, rows) if size >= 256 else bitmap_entry(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def installed_inputs():
    return {"zlib": zlib.ZLIB_RUNTIME_VERSION}


def record():
    return recorded_inputs.record_text("tools/icon/make_moon_icon.py", [os.path.basename(ICON_FILE)],
                                       sorted(installed_inputs().items()))


def check():
    committed_record = recorded_inputs.read_text(RECORD_FILE)
    recorded_inputs.skip_unless_recorded(TOOL, committed_record, installed_inputs())
    try:
        with open(ICON_FILE, "rb") as existing:
            current = existing.read() == icon_bytes()
    except OSError:
        current = False
    if not current or committed_record != record():
        print("%s: resources/icons/201-moon.ico or icon.inputs.txt is not what the generator makes" % TOOL)
        return 1
    print("%s: the committed icon is current" % TOOL)
    return 0


def main():
    if "--check" in sys.argv[1:]:
        return check()
    os.makedirs(os.path.dirname(ICON_FILE), exist_ok=True)
    with open(ICON_FILE, "wb") as out:
        out.write(icon_bytes())
    recorded_inputs.write_text(RECORD_FILE, record())
    return 0


if __name__ == "__main__":
    sys.exit(main())
