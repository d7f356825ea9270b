#!/usr/bin/python3
"""Measures what the judge's margins (reading/Typeface.cpp, kMargins) are
made from: for each print method, pages whose test block is printed in OCR-B
or in one of the reference lookalikes (never a held-out one), taken as every
kind of picture of bench/read_sweep.py. For each block: its likeness to
OCR-B's 3 and the lead of that over the nearest other 3, and part by part
(top bar, middle, bowl) the least likeness to OCR-B's and the least lead.
A lookalike's lead is taken over the nearest 3 of another face than its own,
as if it were unknown, since a face the reader was never given is: the margin
must hold for faces not among the references.
Prints the worst that OCR-B reached, the best that a lookalike reached, and
the margins that follow: the lead over the nearest other 3 must beat the best
lead any lookalike reached, by a safety share; the likeness, in the whole and
part by part, and the parts' lead must reach OCR-B's worst less a safety
share. Then how many OCR-B lines meet them all (the rest are left unclear)
and whether any lookalike does (then the method cannot tell OCR-B apart).

    /usr/bin/python3 bench/judge_margins.py build/native/fontprobe [PAGES-EACH]
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

# The figures a block is judged by, and the safety share of each: what the
# lead must beat the lookalikes' best by, and what of OCR-B's worst is kept
# back for the others, so that a print a little worse than any measured passes.
FIGURES = {"likeness": 0.02, "lead": 0.01, "part": 0.02, "part_lead": 0.01}


def figures(job):
    fontprobe, folder, method, face, seed = job
    rng = random.Random(seed)
    spec = PRINTS[method]
    options = {"head": spec["head"], "ink": rng.randint(*spec["ink"]),
               "variant": rng.randrange(1000)}
    capture, save, own = KINDS[rng.choice(list(KINDS))](rng)
    printer = Printer({K126: "courier", K5: face}, **{**options, **own})
    page = scans.test_page(fontprobe, "epson")
    path = os.path.join(folder, f"{method}-{seed}.{save['kind']}")
    scans.save([capture.take(printer.print_page(page, 300), 300)], path, **save)
    done = subprocess.run([fontprobe, "read", "--json", path], capture_output=True, text=True)
    os.remove(path)
    blocks = json.loads(done.stdout.splitlines()[0]).get("blocks", [])
    if len(blocks) < 2 or "ocr_b_likeness" not in blocks[1]:
        return None
    b = blocks[1]
    # A lookalike's lead as if its own face were not among the references,
    # as a face never seen is not: over the nearest 3 of any other face.
    other = b["next_likeness"] if b["other_face"] == face else b["other_likeness"]
    return {"method": method, "face": face, "likeness": b["ocr_b_likeness"],
            "lead": b["ocr_b_likeness"] - other, "part": min(b["ocr_b_parts"]),
            "part_lead": min(o - x for o, x in zip(b["ocr_b_parts"], b["other_parts"]))}


def measure(fontprobe, each):
    jobs = []
    with tempfile.TemporaryDirectory(prefix="fontprobe-margins-") as folder:
        for method in PRINTS:
            for face in ["ocrb"] + read_sweep.lookalike_faces(method, lookalikes.REFERENCE):
                for k in range(each):
                    seed = random.Random(f"{method} {face} {k}").randrange(10**6)
                    jobs.append((fontprobe, folder, method, face, seed))
        with ProcessPoolExecutor(max_workers=2) as pool:
            return [r for r in pool.map(figures, jobs) if r]


def report(results):
    for method in PRINTS:
        ocrb = [r for r in results if r["method"] == method and r["face"] == "ocrb"]
        others = [r for r in results if r["method"] == method and r["face"] != "ocrb"]
        worst = {f: min(r[f] for r in ocrb) for f in FIGURES}
        best = {f: max(others, key=lambda r: r[f]) for f in FIGURES}
        margins = {f: worst[f] - FIGURES[f] for f in FIGURES}
        margins["lead"] = max(0.01, best["lead"]["lead"] + FIGURES["lead"])
        print(f"{method}: {len(ocrb)} OCR-B lines, {len(others)} lookalike lines")
        print("  OCR-B's worst:    " + ", ".join(f"{f} {worst[f]:.3f}" for f in FIGURES))
        print("  lookalikes' best: " + ", ".join(
            f"{f} {best[f][f]:.3f} ({best[f]['face']})" for f in FIGURES))
        print("  margins:          " + ", ".join(f"{f} {margins[f]:.3f}" for f in FIGURES))
        meets = [r for r in ocrb if all(r[f] >= margins[f] for f in FIGURES)]
        print(f"  OCR-B lines that meet them: {len(meets)} of {len(ocrb)}")
        passing = sorted({r["face"] for r in others if all(r[f] >= margins[f] for f in FIGURES)})
        if passing:
            print("  met by lookalikes, so this method cannot tell: " + ", ".join(passing))
        else:
            print("  met by no lookalike")


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
