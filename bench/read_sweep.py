#!/usr/bin/python3
"""The reader's evaluation: random pages from the virtual printer, scanner
and camera, read by `fontprobe read --json`, counted per print method and
kind of picture: right (the page and every block), unclear, unreadable,
missed and false OCR-B. Lookalike blocks are counted apart, the held-out
lookalikes (scripts/lookalikes.py) apart from the references.

Not a timed test: run it by hand after changing the reader.

    bench/reader.sh read_sweep.py build/native/fontprobe [PAGES] [VARIANT]

A kind of picture is one entry of KINDS: a function of a random source that
gives the capture, the file it is saved as, any printer options of its own
(scans.Printer's keywords: how the ink goes on the paper) and any options of
the printed sheet (scans.Printer.print_page's: its paper, stock and marks).
"""
import collections
import json
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "reading"))
import scans  # noqa: E402
from scans import Capture, Printer, lookalikes  # noqa: E402

K126, K5, K127 = b"k~", b"k\x05", b"k\x7f"
COURIER_PCL, OCRB_PCL = b"(s3T", b"(1O"

# Print methods: the head and how dark its ink, and which comparison faces
# such printers have.
PRINTS = {
    "laser": {"head": "laser", "ink": (15, 60), "comparison": ["courier", "freemono"]},
    "24-pin": {"head": "dot24", "ink": (35, 70), "comparison": ["courier", "freemono"]},
    "9-pin": {"head": "dot9", "ink": (50, 90), "comparison": ["courier"]},
}


def _scan(rng):
    return Capture(rng.choice([200, 250, 300, 400]), tilt=rng.uniform(-4, 4),
                   blur=rng.uniform(0, 1.0), noise=rng.uniform(0, 8),
                   variant=rng.randrange(1000)), {"kind": "png"}, {}, {}


def _rough_scan(rng):
    return Capture(rng.choice([200, 300]), tilt=rng.uniform(-10, 10), blur=rng.uniform(0.5, 1.5),
                   noise=rng.uniform(5, 20), specks=rng.randrange(0, 3000),
                   variant=rng.randrange(1000)), {"kind": "png"}, {}, {}


def _jpeg_scan(rng):
    return Capture(rng.choice([200, 300]), tilt=rng.uniform(-3, 3), blur=rng.uniform(0, 1.0),
                   noise=rng.uniform(0, 8), variant=rng.randrange(1000)), \
        {"kind": "jpeg", "quality": rng.choice([35, 50, 75])}, {}, {}


def _photo(rng):
    return Capture(rng.choice([250, 300, 330]), tilt=rng.uniform(-5, 5), photo=True,
                   perspective=rng.uniform(0, 0.04), light=rng.uniform(0.3, 1.2),
                   blur=rng.uniform(0.5, 1.2), noise=rng.uniform(3, 9),
                   variant=rng.randrange(1000)), {"kind": "jpeg", "quality": 85, "mode": "RGB"}, {}, {}


def _angled_photo(rng):
    """Taken at an angle: the far edge, any of the four, up to 30 % narrower."""
    return Capture(rng.choice([250, 300, 330]), tilt=rng.uniform(-4, 4), photo=True,
                   keystone=rng.uniform(0.1, 0.3), far=rng.choice(["top", "bottom", "left", "right"]),
                   light=rng.uniform(0.2, 0.8), blur=rng.uniform(0.3, 1.0), noise=rng.uniform(3, 7),
                   variant=rng.randrange(1000)), {"kind": "jpeg", "quality": 85, "mode": "RGB"}, {}, {}


def _curled_photo(rng):
    """A sheet curled up along one edge."""
    return Capture(rng.choice([250, 300]), tilt=rng.uniform(-3, 3), photo=True,
                   curl=rng.uniform(30, 80), curl_edge=rng.choice(["top", "bottom", "left", "right"]),
                   curl_width=rng.uniform(0.2, 0.4), light=rng.uniform(0.2, 0.8),
                   noise=rng.uniform(3, 7), variant=rng.randrange(1000)), \
        {"kind": "jpeg", "quality": 85}, {}, {}


def _mirrored(rng):
    """Seen from behind: a front camera, or a scan through thin paper."""
    return Capture(rng.choice([250, 300]), tilt=rng.uniform(-3, 3), mirrored=True,
                   turns=rng.choice([0, 2]), blur=rng.uniform(0, 1.2), noise=rng.uniform(0, 6),
                   variant=rng.randrange(1000)), {"kind": "png"}, {}, {}


def _fax(rng):
    """A fax, 204 dpi across and 98 or 196 down, as the file states."""
    down = rng.choice([98, 196])
    return Capture(204, dpi_down=down, tilt=rng.uniform(-1.5, 1.5), noise=rng.uniform(0, 4),
                   variant=rng.randrange(1000)), \
        {"kind": rng.choice(["tiff-g3", "tiff-g4"]), "dpi": (204, down)}, {}, {}


def _damaged(rng):
    """A mark across part of a line: a band of low toner, a drum's streak, a
    pen's ring, a stamp, glare."""
    block, where = rng.choice([1, 2]), rng.uniform(0.2, 0.8)
    mark = rng.choice([("band", block, where, rng.uniform(0.5, 1.5), rng.uniform(0.5, 0.85)),
                       ("streak", block, where, rng.uniform(0.02, 0.08)),
                       ("pen-ring", block),
                       ("stamp", block, where),
                       ("glare", block, where, rng.uniform(0.2, 0.5))])
    return Capture(rng.choice([200, 300]), tilt=rng.uniform(-3, 3), blur=rng.uniform(0, 1.0),
                   noise=rng.uniform(0, 6), variant=rng.randrange(1000)), \
        {"kind": "png"}, {}, {"marks": [mark]}


def _faint(rng):
    """Faint print on the paper of impact printers: a carbon copy, a worn
    ribbon's lighter upper pins or low toner, on plain, continuous or
    green-bar paper (its bands where they fall)."""
    own = rng.choice([{"carbon": True}, {"worn_pins": rng.uniform(0.3, 0.6)},
                      {"ink": rng.randint(120, 170), "mottle": rng.uniform(0.3, 0.6)}])
    stock = rng.choice(["plain", "continuous", "green-bar"])
    sheet = {} if stock == "plain" else {"paper": scans.CONTINUOUS, "stock": stock,
                                         "margin": scans.CONTINUOUS_MARGIN,
                                         "band_offset": rng.uniform(0, 0.5)}
    return Capture(rng.choice([200, 300]), tilt=rng.uniform(-2, 2), noise=rng.uniform(0, 5),
                   variant=rng.randrange(1000)), \
        {"kind": rng.choice(["png", "jpeg"]), "mode": "RGB"}, own, sheet


def _feathered(rng):
    """Ink spread into the paper along its fibres, as inkjet ink does."""
    return Capture(rng.choice([200, 300]), tilt=rng.uniform(-2, 2), blur=rng.uniform(0, 0.8),
                   noise=rng.uniform(0, 5), variant=rng.randrange(1000)), {"kind": "png"}, \
        {"feather": rng.uniform(0.4, 1.0), "weight": rng.choice([0, 1, 1.5])}, {}


# Kinds of picture: name, how it is taken.
KINDS = {
    "scan": _scan,
    "rough scan": _rough_scan,
    "jpeg scan": _jpeg_scan,
    "phone photo": _photo,
    "angled photo": _angled_photo,
    "curled photo": _curled_photo,
    "mirrored": _mirrored,
    "fax": _fax,
    "damaged": _damaged,
    "faint": _faint,
    "feathered": _feathered,
}


def toner_weight(rng, method):
    """How far a laser printer's toner spreads past the outline (pixels at 300
    dpi): mostly as drawn, sometimes bolder or thinner (an economy setting);
    a head's dots are its own."""
    return rng.choice([0, 0, 1, -1]) if method == "laser" else 0


def lookalike_faces(method, role):
    """The lookalikes a printer of this method could print: fonts anywhere,
    draft cells on 9-pin printers."""
    faces = [name for name, _, _ in lookalikes.faces(role)]
    if method == "9-pin":
        faces += [name for name, _, _ in lookalikes.cells(role)]
    return faces


def block_faces(rng, method, roles):
    """What each test block's sequence selects: OCR-B, a lookalike, or nothing."""
    choices = ["ocrb", "nothing"] + [f for role in roles for f in lookalike_faces(method, role)]
    return [rng.choice(choices) for _ in range(2)]


def make_page(variant, method, kind, roles):
    """A printer, its page family, the capture, how it is saved and the printed
    sheet's options, from its variant number."""
    rng = random.Random(variant)
    traits = PRINTS[method]
    family = "pcl" if method == "laser" and rng.random() < 0.4 else "epson"
    comparison = rng.choice(traits["comparison"])
    tests = block_faces(rng, method, roles)
    if family == "pcl":
        faces = {COURIER_PCL: comparison}
        if tests[0] != "nothing":
            faces[OCRB_PCL] = tests[0]
    else:
        faces = {K126: comparison}
        for sequence, face in zip((K5, K127), tests):
            if face != "nothing":
                faces[sequence] = face
    options = {"head": traits["head"], "ink": rng.randint(*traits["ink"]),
               "weight": toner_weight(rng, method),
               "variant": rng.randrange(1000)}
    capture, save, own, sheet = KINDS[kind](rng)
    return Printer(faces, start=comparison, **{**options, **own}), family, capture, save, sheet


def expected(printer, family, page):
    """Each block's accepted judgements: a lookalike may be another typeface
    or unclear, never OCR-B."""
    faces = printer.probe_faces(page)
    blocks = [{"comparison"}]
    for face in faces[1:]:
        if face == faces[0]:
            blocks.append({"same-as-comparison"})
        elif face.startswith("ocrb"):
            blocks.append({"ocr-b"})
        else:
            blocks.append({"other", "unclear"})
    return blocks, faces


def read_one(job):
    """Makes and reads one page; returns what it was and what was read."""
    fontprobe, folder, variant, method, kind, roles = job
    printer, family, capture, save, sheet = make_page(variant, method, kind, roles)
    page = scans.test_page(fontprobe, family)
    picture = capture.take(printer.print_page(page, 300, **sheet), 300)
    path = os.path.join(folder, f"{variant}.{save['kind'].split('-')[0]}")
    scans.save([picture], path, **save)
    done = subprocess.run([fontprobe, "read", "--json", path], capture_output=True, text=True,
                          timeout=300)
    os.remove(path)
    got = json.loads(done.stdout.splitlines()[0]) if done.stdout else {"verdict": "unreadable",
                                                                       "blocks": []}
    blocks, faces = expected(printer, family, page)
    return {"variant": variant, "method": method, "kind": kind, "family": family, "faces": faces,
            "expected": [sorted(b) for b in blocks], "got": got, "status": done.returncode}


def outcome(result):
    """right, unclear, unreadable, missed or false OCR-B."""
    got, expected_blocks = result["got"], result["expected"]
    judged = [b["typeface"] for b in got.get("blocks", [])]
    if any(j == "ocr-b" and "ocr-b" not in e for j, e in zip(judged, expected_blocks)):
        return "false OCR-B"
    if got["verdict"] == "unreadable":
        return "unreadable"
    if got.get("page") == result["family"] and len(judged) == len(expected_blocks) and all(
            j in e for j, e in zip(judged, expected_blocks)):
        return "right"
    return "unclear" if "unclear" in judged else "missed"


def lookalike_outcomes(result):
    """(face, role, judgement) of each block printed in a lookalike."""
    roles = {name: role for name, _, _, role in lookalikes.FACES + [
        (n, None, None, r) for n, _, _, r in lookalikes.CELLS]}
    judged = [b["typeface"] for b in result["got"].get("blocks", [])]
    return [(face, roles[face], judged[i] if i < len(judged) else "not read")
            for i, face in enumerate(result["faces"]) if face in roles]


COLUMNS = ["right", "unclear", "unreadable", "missed", "false OCR-B"]


def table(results):
    rows = collections.defaultdict(collections.Counter)
    for r in results:
        rows[(r["method"], r["kind"])][outcome(r)] += 1
        rows[("all", "")][outcome(r)] += 1
    lines = [f"{'print':8} {'picture':12} {'pages':>5} " + " ".join(f"{c:>11}" for c in COLUMNS)]
    for (method, kind), counts in sorted(rows.items(), key=lambda kv: kv[0] == ("all", "")):
        total = sum(counts.values())
        lines.append(f"{method:8} {kind:12} {total:5} " +
                     " ".join(f"{counts[c]:11}" for c in COLUMNS))
    return lines


def lookalike_table(results):
    counts = collections.defaultdict(collections.Counter)
    for r in results:
        for face, role, judged in lookalike_outcomes(r):
            counts[(role, r["method"])][judged] += 1
    lines = [f"{'lookalikes':10} {'print':8} {'blocks':>6} {'ocr-b':>6} {'other':>6} "
             f"{'unclear':>7} {'other answers':>13}"]
    for (role, method), c in sorted(counts.items()):
        total = sum(c.values())
        rest = total - c["ocr-b"] - c["other"] - c["unclear"]
        lines.append(f"{role:10} {method:8} {total:6} {c['ocr-b']:6} {c['other']:6} "
                     f"{c['unclear']:7} {rest:13}")
    return lines


def jobs(fontprobe, folder, pages, variant, roles):
    rng = random.Random(variant)
    for i in range(pages):
        method = rng.choice(list(PRINTS))
        kind = rng.choice(list(KINDS))
        yield (fontprobe, folder, variant * 100000 + i, method, kind, roles)


def run(fontprobe, pages, variant, roles, workers=2):
    with tempfile.TemporaryDirectory(prefix="fontprobe-sweep-") as folder:
        with ProcessPoolExecutor(max_workers=workers) as pool:
            return list(pool.map(read_one, jobs(fontprobe, folder, pages, variant, roles)))


def main():
    fontprobe = os.path.abspath(sys.argv[1])
    pages = int(sys.argv[2]) if len(sys.argv) > 2 else 120
    variant = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    results = run(fontprobe, pages, variant, (lookalikes.REFERENCE, lookalikes.HELD_OUT))
    print("\n".join(table(results)))
    print()
    print("\n".join(lookalike_table(results)))
    for r in results:
        if outcome(r) != "right":
            blocks = " ".join(f"{b['typeface']}" + (f"({b['reason']})" if b.get("reason") else "")
                              for b in r["got"].get("blocks", []))
            print(f"{outcome(r):11} variant {r['variant']} {r['method']} {r['kind']} {r['family']} "
                  f"{r['faces']}: {r['got']['verdict']} {blocks} {r['got'].get('reason', '')}")
    return 1 if any(outcome(r) == "false OCR-B" for r in results) else 0


if __name__ == "__main__":
    sys.exit(main())
