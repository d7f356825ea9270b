#!/usr/bin/python3
"""Measures what the judge's margins (reading/Typeface.cpp, kMargins and
kCanTell) are made from: for each print method, pages whose test block is printed in OCR-B
or in one of the reference lookalikes (never a held-out one), laser pages at
every toner weight of bench/read_sweep.py, taken as the kinds of picture
below. For each block: its likeness to OCR-B's 3 and the lead of that over the nearest other 3, and part by part
(top bar, middle, bowl) the least likeness to OCR-B's and the least lead.
A lookalike's lead is taken over the nearest 3 of another face than its own,
as if it were unknown, since a face the reader was never given is: the margin
must hold for faces not among the references.
Prints the worst that OCR-B reached and the best that a lookalike reached,
and the margins that follow (see choose): a likeness bar and a lead over the
nearest other 3 that together let through the most OCR-B lines and no
lookalike; then how many OCR-B lines meet them (the rest are left unclear)
and the line to put in reading/Typeface.cpp.

    bench/reader.sh judge_margins.py build/native/fontprobe [PAGES-EACH]
"""
import json
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.dirname(__file__))
import read_sweep  # noqa: E402
from read_sweep import K5, K126, KINDS, PRINTS, Printer, lookalikes, scans  # noqa: E402

# The kinds of picture the margins were measured on.
MEASURED_KINDS = ["scan", "rough scan", "jpeg scan", "phone photo"]
# The figures a block is judged by.
FIGURES = ["likeness", "lead", "part", "part_lead"]
# What the lead must beat the lookalikes' by; how far below the likeness bar
# a lookalike still counts; what of the parts' likeness is kept back, so that
# a print a little worse than any measured still passes.
SAFETY = 0.01
WINDOW = 0.01
PART_SHARE = 0.02


def figures(job):
    fontprobe, folder, method, face, variant = job
    rng = random.Random(variant)
    traits = PRINTS[method]
    options = {"head": traits["head"], "ink": rng.randint(*traits["ink"]),
               "variant": rng.randrange(1000), "weight": read_sweep.toner_weight(rng, method)}
    capture, save, own, sheet = KINDS[rng.choice(MEASURED_KINDS)](rng)
    printer = Printer({K126: "courier", K5: face}, **{**options, **own})
    page = scans.test_page(fontprobe, "epson")
    path = os.path.join(folder, f"{method}-{variant}.{save['kind'].split('-')[0]}")
    scans.save([capture.take(printer.print_page(page, 300, **sheet), 300)], path, **save)
    done = subprocess.run([fontprobe, "read", "--json", path], capture_output=True, text=True)
    os.remove(path)
    blocks = json.loads(done.stdout.splitlines()[0]).get("blocks", [])
    if len(blocks) < 2 or "ocr_b_likeness" not in blocks[1]:
        return None
    b = blocks[1]
    # A lookalike's lead as if its own face were not among the references,
    # as a face never seen is not: over the nearest 3 of any other face.
    other = b["next_likeness"] if b["other_face"] == face else b["other_likeness"]
    return {"method": method, "print": b["print"], "face": face, "likeness": b["ocr_b_likeness"],
            "lead": b["ocr_b_likeness"] - other, "part": min(b["ocr_b_parts"]),
            "part_lead": min(o - x for o, x in zip(b["ocr_b_parts"], b["other_parts"]))}


def measure(fontprobe, each):
    jobs = []
    with tempfile.TemporaryDirectory(prefix="fontprobe-margins-") as folder:
        for method in PRINTS:
            for face in ["ocrb"] + read_sweep.lookalike_faces(method, lookalikes.REFERENCE):
                for k in range(each):
                    variant = random.Random(f"{method} {face} {k}").randrange(10**6)
                    jobs.append((fontprobe, folder, method, face, variant))
        with ProcessPoolExecutor(max_workers=2) as pool:
            return [r for r in pool.map(figures, jobs) if r]


def choose(ocrb, others):
    """The likeness bar and the lead that together let through the most OCR-B
    lines and no lookalike: for each bar (an OCR-B line's likeness), the lead
    must beat every lookalike at or near the bar (within WINDOW below it) by
    SAFETY; of bars that let as many through, the lowest, so that a blurred
    print's OCR-B still passes on its lead. Parts must reach what the passing
    OCR-B lines reached, less a share."""
    best = None
    for bar in sorted({r["likeness"] for r in ocrb}):
        near = [r["lead"] for r in others if r["likeness"] >= bar - WINDOW]
        lead = max([0.01] + [v + SAFETY for v in near])
        passing = [r for r in ocrb if r["likeness"] >= bar and r["lead"] >= lead]
        if best is None or len(passing) > len(best[2]):
            best = (bar, lead, passing)
    bar, lead, passing = best
    margins = {"likeness": bar, "lead": lead,
               "part": min([r["part"] for r in passing] or [1]) - PART_SHARE,
               "part_lead": min([r["part_lead"] for r in passing] or [0]) - SAFETY}
    return margins, passing


def report(results):
    """One set of margins from every line, whatever printed it: the print
    method the reader tells from a line's mean (its "print") is often laser
    for a dot-matrix print, so margins kept apart by it would not hold. Then,
    for each print method as told, whether the margins let any OCR-B line
    through and no lookalike: where none passes, the method cannot tell."""
    ocrb = [r for r in results if r["face"] == "ocrb"]
    others = [r for r in results if r["face"] != "ocrb"]
    print(f"all: {len(ocrb)} OCR-B lines, {len(others)} lookalike lines")
    for f in FIGURES:
        worst = min(ocrb, key=lambda r: r[f])
        best = max(others, key=lambda r: r[f])
        print(f"  {f:9} OCR-B's worst {worst[f]:.3f}, lookalikes' best {best[f]:.3f} "
              f"({best['face']}, {best['method']})")
    margins, passing = choose(ocrb, others)
    print("  margins: " + ", ".join(f"{f} {margins[f]:.3f}" for f in FIGURES))
    print("  kMargins in reading/Typeface.cpp: {%.3f, %.3f, %.3f, %.3f}" % tuple(
        margins[f] for f in FIGURES))
    print(f"  OCR-B lines that meet them: {len(passing)} of {len(ocrb)}")
    for method in PRINTS:
        told = [r for r in ocrb if r["print"] == method]
        meets = [r for r in told if all(r[f] >= margins[f] for f in FIGURES)]
        leaks = sorted({r["face"] for r in others
                        if r["print"] == method and all(r[f] >= margins[f] for f in FIGURES)})
        printed = [r for r in ocrb if r["method"] == method]
        print(f"  printed {method}: {sum(r in passing for r in printed)} of {len(printed)} OCR-B "
              f"lines meet them; told as {method}: {len(meets)} of {len(told)}, lookalikes: "
              + (", ".join(leaks) if leaks else "none"))
        print(f"    kCanTell in reading/Typeface.cpp: {'true' if meets and not leaks else 'false'}")


def main():
    """With a third argument, the figures are also written to that file; with
    a fourth, they are read from that file instead of measured."""
    fontprobe = os.path.abspath(sys.argv[1])
    each = int(sys.argv[2]) if len(sys.argv) > 2 else 8
    if len(sys.argv) > 4:
        with open(sys.argv[4]) as saved:
            results = json.load(saved)
    else:
        results = measure(fontprobe, each)
    if len(sys.argv) > 3:
        with open(sys.argv[3], "w") as out:
            json.dump(results, out)
    report(results)


if __name__ == "__main__":
    main()
