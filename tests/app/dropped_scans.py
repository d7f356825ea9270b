#!/usr/bin/python3
"""Scans for Fontprobe.exe's drop test, and what `fontprobe read` says of each.

Writes into FOLDER a PCL page with OCR-B (PNG), a two-page TIFF (an Epson page
without OCR-B, then a PCL page with it), a phone photo stored sideways with
an EXIF orientation (JPEG), a blank sheet, a letter that is not a picture, and
a PDF; and for each picture NAME, NAME.lines: the lines the command prints,
read by the file's bare name as the Windows program names it, and
NAME.annotated-N.bmp: the picture `--annotate` writes for its page N, as a
24-bit BMP that the Windows side loads without a decoder of its own.

usage: dropped_scans.py FONTPROBE FOLDER
"""
import glob
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "reading"))
import scans  # noqa: E402
from PIL import Image  # noqa: E402
from read_scans_test import (EPSON_K5, EPSON_NONE, PCL_OCRB, Capture, Case,  # noqa: E402
                             make, page_case)

CASES = [
    page_case("pcl-ocrb", PCL_OCRB, "pcl", Capture(300)),
    Case("epson-none-then-pcl-ocrb", [(EPSON_NONE, "epson", Capture(300, blur=0.5), {}),
                                      (PCL_OCRB, "pcl", Capture(300, tilt=1.5, variant=2), {})],
         "tiff-lzw"),
    page_case("sideways-photo", EPSON_K5, "epson",
              Capture(300, tilt=2, photo=True, perspective=0.02, light=0.5, noise=5, variant=6),
              kind="jpeg", quality=85, mode="RGB", exif_orientation=6),
    Case("blank", [(None, None, lambda pages: Capture(300, noise=4).take(scans.blank_page(300), 300),
                    {})]),
    page_case("scan", PCL_OCRB, "pcl", Capture(300), kind="pdf"),
]


def main(fontprobe, folder):
    # Made afresh each run: make() keeps a picture it finds.
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder, exist_ok=True)
    for case in CASES:
        path, _ = make(case, fontprobe, folder)
        name = os.path.basename(path)
        if name.endswith(".pdf"):
            continue
        done = subprocess.run([fontprobe, "read", name, "--annotate", name + ".annotated"],
                              cwd=folder, capture_output=True, text=True, timeout=120)
        with open(path + ".lines", "w") as out:
            out.write(done.stdout)
        for annotated in glob.glob(glob.escape(path) + ".annotated-*.png"):
            Image.open(annotated).convert("RGB").save(annotated[:-len("png")] + "bmp")
    with open(os.path.join(folder, "letter.txt"), "w") as out:
        out.write("This is a letter, not a picture.\n")


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), sys.argv[2])
