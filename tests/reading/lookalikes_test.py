#!/usr/bin/python3
"""The lookalikes' roles hold in the data the reader is built with: every
reference lookalike is in reading/ReferenceGlyphs.cpp as each of its print
methods, and no held-out one is anywhere in it; no face is listed twice.

usage: lookalikes_test.py
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import lookalikes  # noqa: E402

FONT_METHODS = ["Laser", "Pins24", "Pins9"]


def referenced_threes():
    """(face, method) of each 3 in the reference data."""
    with open(os.path.join(ROOT, "reading", "ReferenceGlyphs.cpp")) as data:
        text = data.read()
    return re.findall(r'\{"([^"]+)",\s*PrintMethod::(\w+),', text), text


def problems():
    threes, text = referenced_threes()
    found = []
    names = [n for n, _, _, _ in lookalikes.FACES] + [n for n, _, _, _ in lookalikes.CELLS]
    if len(names) != len(set(names)):
        found.append("a lookalike is listed twice")
    checks = [(name, FONT_METHODS) for name, _, _ in lookalikes.faces(lookalikes.REFERENCE)]
    checks += [(name, ["Pins9"]) for name, _, _ in lookalikes.cells(lookalikes.REFERENCE)]
    for name, methods in checks:
        for method in methods:
            if (name, method) not in threes:
                found.append(f"reference {name} as {method} is not in the data")
    held_out = [n for n, _, _ in lookalikes.faces(lookalikes.HELD_OUT)]
    held_out += [n for n, _, _ in lookalikes.cells(lookalikes.HELD_OUT)]
    for name in held_out:
        if f'"{name}"' in text or f"//   {name}:" in text:
            found.append(f"held-out {name} is in the reference data")
    for name, _ in threes:
        if name != "OCR-B" and name not in names:
            found.append(f"{name} is in the data but not in scripts/lookalikes.py")
    if len(held_out) < 10:
        found.append(f"only {len(held_out)} lookalikes are held out")
    return found


def main():
    found = problems()
    for problem in found:
        print("FAIL " + problem)
    print(f"{0 if found else 1} passed, {len(found)} failed")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
