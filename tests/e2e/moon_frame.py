#!/usr/bin/python3
"""Reads the moon, its label and a red clock out of a picture of a dark sky.

    moon_frame.py moon FILE   prints "CX CY DIAMETER LIT_OFFSET LIT_SHARE LABEL_TOP LABEL_CX"
    moon_frame.py share FILE CX CY DIAMETER
                              prints LIT_SHARE of the disc given (a real sky's
                              moon, where the report says it stands)
    moon_frame.py label FILE OUT
                              writes the label under the moon to OUT, dark
                              ink on white and three times the size, for an OCR
    moon_frame.py red FILE    prints "LEFT TOP COUNT" of the red pixels (-1 -1 0 if none)
    moon_frame.py quotes FIRST LAST SECONDS FILE...
                              prints "FRAMES QUOTED COVERING" and the frames
                              whose quote ink (burlywood) lies in the moon's
                              box or its label's box; the moon is read from
                              the frames FIRST and LAST, SECONDS apart, and
                              drifts evenly between them

The moon is found from its lit grey pixels and the faint bluish pixels of its
dark side; LIT_OFFSET is where the lit part's middle lies across the disc,
from -1 (left limb) to +1 (right limb), and LIT_SHARE the part of the
disc's area that is not the night side. The label is the pale green ink below the moon.
"""

import sys

import numpy as np
from PIL import Image

# The shortest chord counted as the disc's own row, as a share of its width:
# a 200-pixel disc's outermost row of pixels still holds 20.
LIMB_CHORD_SHARE = 0.05


def channels(path):
    pixels = np.asarray(Image.open(path).convert("RGB"), dtype=np.int32)
    return pixels[..., 0], pixels[..., 1], pixels[..., 2]


def span(counts, minimum):
    """First and last index whose count reaches minimum, or None."""
    hits = np.nonzero(counts >= minimum)[0]
    if hits.size == 0:
        return None
    return int(hits[0]), int(hits[-1])


def largest_patch(mask):
    """The largest 8-connected patch of the mask, as a mask of its own.

    Stars are a few pixels each; the disc, lit and dark parts together, is
    by far the largest patch.
    """
    unvisited = set(zip(*np.nonzero(mask)))
    best = []
    while unvisited:
        seed = unvisited.pop()
        stack = [seed]
        patch = []
        while stack:
            y, x = stack.pop()
            patch.append((y, x))
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    neighbour = (y + dy, x + dx)
                    if neighbour in unvisited:
                        unvisited.remove(neighbour)
                        stack.append(neighbour)
        if len(patch) > len(best):
            best = patch
    if not best:
        return None
    ys, xs = zip(*best)
    patch_mask = np.zeros_like(mask)
    patch_mask[list(ys), list(xs)] = True
    return patch_mask


def night_side(r, g, b):
    return (r >= 3) & (np.abs(r - g) <= 3) & (b >= 2 * r) & (b <= 90)


def share_not_night(dark, cx, cy, radius):
    """What is not the night side is lit: dark maria on the day side and the
    dim band at the terminator count as lit, as they do to an eye. The
    outermost ring is left out, where the disc's edge blends into the sky."""
    rows, columns = np.mgrid[0 : dark.shape[0], 0 : dark.shape[1]]
    inner = (columns + 0.5 - cx) ** 2 + (rows + 0.5 - cy) ** 2 <= (radius - 1.5) ** 2
    return 1.0 - np.count_nonzero(inner & dark) / max(np.count_nonzero(inner), 1)


def moon(path):
    r, g, b = channels(path)
    lit = (r > 40) & (np.abs(r - g) <= 12) & (np.abs(r - b) <= 30)
    dark = night_side(r, g, b)
    disc = largest_patch(lit | dark)
    if disc is None:
        return None
    # A star, a message's star or an airplane's light touching the limb joins
    # the patch, adding a few pixels to a row or column; even the disc's
    # outermost row holds a chord of some tenth of its diameter (20 pixels of
    # a 200-pixel disc). Only the patch counts: a star elsewhere in the same
    # row does not.
    rows, columns = span(disc.sum(axis=1), 4), span(disc.sum(axis=0), 4)
    if not (rows and columns):
        return None
    chord = max(4, round(LIMB_CHORD_SHARE * max(rows[1] - rows[0], columns[1] - columns[0])))
    rows, columns = span(disc.sum(axis=1), chord), span(disc.sum(axis=0), chord)
    left, top, right, bottom = columns[0], rows[0], columns[1], rows[1]
    cx = (left + right + 1) / 2.0
    cy = (top + bottom + 1) / 2.0
    diameter = max(right - left + 1, bottom - top + 1)
    radius = diameter / 2.0
    ys, xs = np.nonzero(lit[top : bottom + 1, left : right + 1])
    xs = xs + left
    lit_offset = (xs.mean() + 0.5 - cx) / radius if xs.size else 0.0
    lit_share = share_not_night(dark, cx, cy, radius)

    green = (g > r + 20) & (g > b + 20) & (g > 60)
    band = green[bottom + 1 : bottom + 90, :]
    row_ink = band.sum(axis=1)
    label_rows = span(row_ink, 1)
    if label_rows is None:
        label_top, label_cx = -1, -1.0
    else:
        label_top = bottom + 1 + label_rows[0]
        # Every line is centred; a long line under a moon near the edge is cut
        # by the frame, so the centre is read from the first line alone.
        first_line_end = label_rows[0]
        while first_line_end + 1 < len(row_ink) and row_ink[first_line_end + 1] > 0:
            first_line_end += 1
        label_columns = span(band[label_rows[0] : first_line_end + 1].sum(axis=0), 1)
        label_cx = (label_columns[0] + label_columns[1] + 1) / 2.0
    return "%.1f %.1f %d %.3f %.3f %d %.1f" % (cx, cy, diameter, lit_offset, lit_share, label_top, label_cx)


def label_picture(path, out):
    """The label's band under the moon as dark ink on white, enlarged for reading."""
    found = moon(path)
    if found is None:
        return None
    cx, cy, diameter = (float(v) for v in found.split()[:3])
    bottom = int(cy + diameter / 2.0)
    r, g, b = channels(path)
    green = (g > r + 20) & (g > b + 20) & (g > 60)
    ink = np.where(green, g, 0)[bottom + 1 : bottom + 90, :]
    rows = span(ink.sum(axis=1), 1)
    if rows is None:
        return None
    band = ink[max(rows[0] - 4, 0) : rows[1] + 5, :]
    picture = Image.fromarray((255 - band * 255.0 / max(band.max(), 1)).astype(np.uint8))
    picture.resize((picture.width * 3, picture.height * 3), Image.LANCZOS).save(out)
    return out


def without_airplane_lights(ink):
    """The mask without isolated 3 x 2 boxes: an airplane's light is the same red as a red clock."""
    ink = ink.copy()
    height, width = ink.shape
    for y, x in zip(*np.nonzero(ink)):
        if y + 2 > height or x + 3 > width or not ink[y : y + 2, x : x + 3].all():
            continue
        ring = ink[max(y - 1, 0) : y + 3, max(x - 1, 0) : x + 4]
        if ring.sum() == 6:
            ink[y : y + 2, x : x + 3] = False
    return ink


def red(path):
    r, g, b = channels(path)
    ink = without_airplane_lights((r > 100) & (g < 60) & (b < 80))
    ys, xs = np.nonzero(ink)
    if xs.size == 0:
        return "-1 -1 0"
    return "%d %d %d" % (xs.min(), ys.min(), xs.size)


FALLING_STAR_COLOURS = ((255, 223, 160), (128, 96, 48))


def frame_seconds(path):
    """The animation time of a headless frame, from its number (0.04 s each)."""
    return (int(path.rsplit("-", 1)[1].split(".")[0]) - 1) * 0.04


def ink_over_moon(quote, g, r, b, centre, radius):
    """Where quote ink lies on the disc around centre or in the label's box under it."""
    cx, cy = centre
    top, bottom = int(cy - radius), int(cy + radius)
    left, right = int(cx - radius), int(cx + radius)
    found = []
    # The disc itself, not the corners of its square.
    ys, xs = np.mgrid[max(top, 0) : bottom + 1, max(left, 0) : right + 1]
    on_disc = (xs + 0.5 - cx) ** 2 + (ys + 0.5 - cy) ** 2 <= radius * radius
    near = quote[max(top, 0) : bottom + 1, max(left, 0) : right + 1]
    inside = int((near & on_disc[: near.shape[0], : near.shape[1]]).sum())
    if inside:
        found.append("%d quote pixels on the moon around %d,%d" % (inside, cx, cy))
    green = (g > r + 20) & (g > b + 20) & (g > 60)
    band = green[bottom + 1 : bottom + 90, :]
    ys, xs = np.nonzero(band)
    if xs.size:
        l, t, rt, bt = xs.min(), bottom + 1 + ys.min(), xs.max(), bottom + 1 + ys.max()
        inside = int(quote[max(t, 0) : bt + 1, max(l, 0) : rt + 1].sum())
        if inside:
            found.append("%d quote pixels in the label's box %d,%d-%d,%d" % (inside, l, t, rt, bt))
    return found


def quotes_over_moon(first, last, seconds, files):
    """Counts the frames whose quote ink lies on the moon's disc or in its label's box.

    Lit and dark moon pixels are grey or bluish and the label pale green, so
    burlywood ink (red above green above blue) there can only be a quote.
    """
    start = [float(v) for v in moon(first).split()]
    end = [float(v) for v in moon(last).split()]
    radius = start[2] / 2.0 + 1
    quoted, covering = 0, []
    for path in files:
        r, g, b = channels(path)
        quote = (r > 50) & (r > g + 8) & (g > b + 8)
        # A falling star is warm too, but drawn in exactly its head's and its
        # tail's colour, neither of which a fading burlywood text takes.
        for star in FALLING_STAR_COLOURS:
            quote &= ~((r == star[0]) & (g == star[1]) & (b == star[2]))
        if not quote.any():
            continue
        quoted += 1
        # The moon drifts, and bounces off the monitor's edges: first placed
        # on the line from the first frame's moon to the last's, and where
        # that finds ink, looked for in the frame itself.
        share = min(max((frame_seconds(path) - frame_seconds(first)) / seconds, 0.0), 1.0)
        guess = (start[0] + (end[0] - start[0]) * share, start[1] + (end[1] - start[1]) * share)
        found = ink_over_moon(quote, g, r, b, guess, radius)
        if found:
            seen = moon(path)
            if seen is not None:
                found = ink_over_moon(quote, g, r, b, [float(v) for v in seen.split()[:2]], radius)
        covering += ["%s: %s" % (path, f) for f in found]
    return "%d %d %d" % (len(files), quoted, len(covering)) + "".join("\n" + c for c in covering)


def main(argv):
    if len(argv) >= 6 and argv[1] == "quotes":
        print(quotes_over_moon(argv[2], argv[3], float(argv[4]), argv[5:]))
        return 0
    if len(argv) == 6 and argv[1] == "share":
        r, g, b = channels(argv[2])
        print("%.3f" % share_not_night(night_side(r, g, b), float(argv[3]), float(argv[4]), float(argv[5]) / 2.0))
        return 0
    if len(argv) == 4 and argv[1] == "label":
        if label_picture(argv[2], argv[3]) is None:
            print("no moon label in " + argv[2], file=sys.stderr)
            return 1
        return 0
    if len(argv) != 3 or argv[1] not in ("moon", "red"):
        print(__doc__, file=sys.stderr)
        return 2
    result = moon(argv[2]) if argv[1] == "moon" else red(argv[2])
    if result is None:
        print("no moon in " + argv[2], file=sys.stderr)
        return 1
    print(result)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
