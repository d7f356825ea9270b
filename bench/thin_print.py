#!/usr/bin/python3
"""The reader on thin laser print (the economy weight, a pixel of each stroke
eaten): random pages of either family, a thin comparison face (Courier or
FreeMono), any test blocks, taken as a scan or photo of bench/read_sweep.py;
each read by every build given and counted per comparison face as right,
unclear, unreadable, missed and false OCR-B. Compares builds on the same
pages: not a timed test.

    bench/reader.sh thin_print.py FONTPROBE... [--pages N]
"""
import argparse
import collections
import json
import os
import random
import subprocess
import tempfile
from concurrent.futures import ProcessPoolExecutor

import read_sweep as rs
from read_sweep import Printer, lookalikes, scans

KINDS = ["scan", "rough scan", "jpeg scan", "phone photo", "angled photo", "curled photo",
         "damaged"]
ROLES = (lookalikes.REFERENCE, lookalikes.HELD_OUT)


def make_page(variant):
    rng = random.Random(variant)
    family = "pcl" if rng.random() < 0.5 else "epson"
    comparison = rng.choice(["courier", "freemono"])
    tests = rs.block_faces(rng, "laser", ROLES)
    if family == "pcl":
        sequences, faces = [rs.OCRB_PCL], {rs.COURIER_PCL: comparison}
    else:
        sequences, faces = [rs.K5, rs.K127], {rs.K126: comparison}
    faces.update({s: face for s, face in zip(sequences, tests) if face != "nothing"})
    capture, save, own, sheet = rs.KINDS[rng.choice(KINDS)](rng)
    printer = Printer(faces, start=comparison, ink=rng.randint(15, 60), weight=-1,
                      variant=rng.randrange(1000), **own)
    return printer, family, comparison, capture, save, sheet


def read_one(job):
    builds, folder, variant = job
    printer, family, comparison, capture, save, sheet = make_page(variant)
    page = scans.test_page(builds[0], family)
    path = os.path.join(folder, f"{variant}.{save['kind'].split('-')[0]}")
    scans.save([capture.take(printer.print_page(page, 300, **sheet), 300)], path, **save)
    blocks, _ = rs.expected(printer, family, page)
    outcomes = []
    for build in builds:
        done = subprocess.run([build, "read", "--json", path], capture_output=True, text=True,
                              timeout=300)
        got = json.loads(done.stdout.splitlines()[0]) if done.stdout else {
            "verdict": "unreadable", "blocks": []}
        outcomes.append(rs.outcome({"got": got, "expected": [sorted(b) for b in blocks],
                                    "family": family}))
    os.remove(path)
    return comparison, outcomes


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("builds", nargs="+")
    parser.add_argument("--pages", type=int, default=40)
    args = parser.parse_args()
    builds = [os.path.abspath(b) for b in args.builds]
    with tempfile.TemporaryDirectory(prefix="fontprobe-thin-") as folder:
        with ProcessPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(read_one, [(builds, folder, 500 + i)
                                               for i in range(args.pages)]))
    for i, build in enumerate(args.builds):
        for face in ("courier", "freemono"):
            counts = collections.Counter(o[i] for f, o in results if f == face)
            print(f"{build}  {face:8} {sum(counts.values()):3} pages: " +
                  ", ".join(f"{counts[c]} {c}" for c in rs.COLUMNS))


if __name__ == "__main__":
    main()
