#!/usr/bin/python3
"""Lists every installed face whose 3 has a flat top: the top edge of its ink
straight and level across the middle two fifths of its width. Each family
listed must be placed in scripts/lookalikes.py (a reference, held out, or not
a lookalike, with the reason); this prints those that are not. Faces whose top
is nearly flat are listed apart: lookalikes.py holds some of them too.

    /usr/bin/python3 scripts/find-flat-threes.py
"""
import os
import subprocess
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(__file__))
import lookalikes  # noqa: E402

STYLES_LEFT_OUT = ("italic", "oblique", "inverted", "outline")


def top_edge_straightness(path):
    """How far the top edge of the 3 strays from a straight line, in parts of
    its height, and that line's slope; None when the face has no 3."""
    font = ImageFont.truetype(path, 400)
    image = Image.new("L", (700, 800), 0)
    ImageDraw.Draw(image).text((100, 50), "3", font=font, fill=255)
    ink = np.asarray(image) > 128
    ys, xs = np.nonzero(ink)
    if len(ys) < 100:
        return None
    height, width = ys.max() - ys.min() + 1, xs.max() - xs.min() + 1
    columns = np.arange(xs.min() + int(0.3 * width), xs.max() - int(0.3 * width))
    edge = np.array([np.argmax(ink[:, x]) for x in columns], dtype=float)
    slope, intercept = np.polyfit(columns, edge, 1)
    return np.abs(edge - (slope * columns + intercept)).max() / height, abs(slope)


def main():
    listing = subprocess.run(["fc-list", ":", "file", "family"], capture_output=True, text=True,
                             check=True).stdout.splitlines()
    placed = {name for name, _, _, _ in lookalikes.FACES} | set(lookalikes.NOT_LOOKALIKES)
    unplaced = set()
    for line in sorted(listing):
        path, _, family = line.partition(": ")
        family = family.split(",")[0]
        if not path.endswith((".ttf", ".otf")) or any(s in path.lower() for s in STYLES_LEFT_OUT):
            continue
        try:
            measured = top_edge_straightness(path)
        except OSError:
            continue
        if measured and measured[0] <= 0.012 and measured[1] < 0.2:
            flat = measured[0] <= 0.003
            print(f"{'flat       ' if flat else 'nearly flat'} {family:28} {path}")
            if flat and not any(family.replace("\\", "").startswith(name) for name in placed):
                unplaced.add(family)
    for family in sorted(unplaced):
        print(f"not yet placed in scripts/lookalikes.py: {family}")


if __name__ == "__main__":
    main()
