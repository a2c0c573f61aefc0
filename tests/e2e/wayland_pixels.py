#!/usr/bin/env python3
"""Counts pixels of a screenshot quickly enough to poll with (ImageMagick's
text dump takes seconds for a whole output).

  wayland_pixels.py starlight FILE FROM TO   grey-blue star points (red == green > 60) in rows FROM..TO
  wayland_pixels.py colour FILE RRGGBB       pixels of exactly that colour
"""
import sys

import numpy
from PIL import Image


def main():
    kind, path = sys.argv[1], sys.argv[2]
    pixels = numpy.asarray(Image.open(path).convert("RGB")).astype(numpy.int32)
    red, green, blue = pixels[..., 0], pixels[..., 1], pixels[..., 2]
    if kind == "starlight":
        rows = slice(int(sys.argv[3]), int(sys.argv[4]) + 1)
        lit = (red[rows] == green[rows]) & (red[rows] > 60)
        print(int(lit.sum()))
    elif kind == "colour":
        value = int(sys.argv[3], 16)
        match = (red == value >> 16) & (green == (value >> 8) & 0xFF) & (blue == value & 0xFF)
        print(int(match.sum()))
    else:
        sys.exit("unknown count: " + kind)


main()
