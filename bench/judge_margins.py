#!/usr/bin/python3
"""Measures what the judge's margins (reading/Typeface.cpp, kMargins) are
made from: for each print method, pages whose test block is printed in OCR-B
or in one of the reference lookalikes (never a held-out one), taken as every
kind of picture of bench/read_sweep.py; for each, the block's likeness to
OCR-B's 3 and its lead over the nearest other 3, and its shape distance from
OCR-B's 3 and the nearest other 3's lead over it. Prints the worst that
OCR-B reached and the best that a lookalike reached, and the margins that
follow: OCR-B's worst less a safety share, where no lookalike reaches them.

    /usr/bin/python3 bench/judge_margins.py build/native/fontprobe [PAGES-EACH]
"""
import os
import random
import sys
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.dirname(__file__))
import read_sweep  # noqa: E402
from read_sweep import K5, K126, KINDS, PRINTS, Printer, lookalikes, scans  # noqa: E402

# Of OCR-B's worst, what is kept back so that a print a little worse than
# any measured still passes: a hundredth of likeness, a tenth of distance.
SAFETY = {"likeness": 0.01, "lead": 0.01, "distance": 0.1, "distance_lead": 0.1}


def figures(job):
    fontprobe, folder, method, face, seed = job
    rng = random.Random(seed)
    spec = PRINTS[method]
    printer = Printer({K126: "courier", K5: face}, head=spec["head"],
                      ink=rng.randint(*spec["ink"]), variant=rng.randrange(1000))
    capture, save = KINDS[rng.choice(list(KINDS))](rng)
    page = scans.test_page(fontprobe, "epson")
    path = os.path.join(folder, f"{method}-{seed}.{save['kind']}")
    scans.save([capture.take(printer.print_page(page, 300), 300)], path, **save)
    import json
    import subprocess
    done = subprocess.run([fontprobe, "read", "--json", path], capture_output=True, text=True)
    os.remove(path)
    page = json.loads(done.stdout.splitlines()[0])
    blocks = page.get("blocks", [])
    if len(blocks) < 2 or "ocr_b_likeness" not in blocks[1]:
        return None
    b = blocks[1]
    return {"method": method, "face": face, "print": b["print"],
            "likeness": b["ocr_b_likeness"], "lead": b["ocr_b_likeness"] - b["other_likeness"],
            "distance": b["ocr_b_distance"],
            "distance_lead": b["lookalike_distance"] - b["ocr_b_distance"]}


def main():
    fontprobe = os.path.abspath(sys.argv[1])
    each = int(sys.argv[2]) if len(sys.argv) > 2 else 6
    import tempfile
    jobs = []
    with tempfile.TemporaryDirectory(prefix="fontprobe-margins-") as folder:
        for method in PRINTS:
            faces = ["ocrb"] + read_sweep.lookalike_faces(method, lookalikes.REFERENCE)
            for face in faces:
                for k in range(each):
                    jobs.append((fontprobe, folder, method, face, hash((method, face, k)) % 10**6))
        with ProcessPoolExecutor(max_workers=2) as pool:
            results = [r for r in pool.map(figures, jobs) if r]
    for method in PRINTS:
        ocrb = [r for r in results if r["method"] == method and r["face"] == "ocrb"]
        others = [r for r in results if r["method"] == method and r["face"] != "ocrb"]
        print(f"{method}: {len(ocrb)} OCR-B lines, {len(others)} lookalike lines")
        margins = {
            "likeness": min(r["likeness"] for r in ocrb) - SAFETY["likeness"],
            "lead": min(r["lead"] for r in ocrb) - SAFETY["lead"],
            "distance": max(r["distance"] for r in ocrb) + SAFETY["distance"],
            "distance_lead": min(r["distance_lead"] for r in ocrb) - SAFETY["distance_lead"],
        }
        print("  OCR-B worst: likeness %.3f, lead %.3f, distance %.2f, distance lead %.2f" % (
            margins["likeness"] + SAFETY["likeness"], margins["lead"] + SAFETY["lead"],
            margins["distance"] - SAFETY["distance"],
            margins["distance_lead"] + SAFETY["distance_lead"]))
        passing = [r for r in others if r["likeness"] >= margins["likeness"] and
                   r["lead"] >= margins["lead"] and r["distance"] <= margins["distance"] and
                   r["distance_lead"] >= margins["distance_lead"]]
        for r in sorted(others, key=lambda r: -r["likeness"])[:5]:
            print("  lookalike %-18s likeness %.3f, lead %.3f, distance %.2f, distance lead %.2f"
                  % (r["face"], r["likeness"], r["lead"], r["distance"], r["distance_lead"]))
        print("  margins: likeness at least %.2f, lead %.2f, distance at most %.2f, "
              "distance lead %.2f" % (margins["likeness"], margins["lead"], margins["distance"],
                                      margins["distance_lead"]))
        if passing:
            print("  these lookalikes meet them all, so OCR-B cannot be told at this method: " +
                  ", ".join(sorted({r["face"] for r in passing})))
        else:
            print("  no lookalike meets them all")


if __name__ == "__main__":
    main()
