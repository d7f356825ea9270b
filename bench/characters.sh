#!/usr/bin/env bash
# How many of a line's 64 characters its mean needs: prints pages of varied
# printers (laser, inkjet, 24- and 9-pin, carbon copies, worn ribbons, low
# toner) through varied scanners and cameras (150 to 300 dpi, blur, noise,
# JPEG, a phone photo at an angle, a fax), reads them, and for each line of 3s
# shows how far the mean of n of its characters, drawn at random, strays from
# the mean of all: see bench/characters.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build_preset native --target fontprobe --target bench_characters >/dev/null

work=$(mktemp -d /tmp/fontprobe-characters.XXXXXX)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$PWD/build/native/fontprobe" "$work" <<'PYTHON'
import sys
sys.path.insert(0, "tests/reading")
import scans
from scans import Capture, Printer
fontprobe, work = sys.argv[1], sys.argv[2]
epson = {b"k~": "courier", b"k\x05": "ocrb", b"k\x7f": "sans"}
pictures = [
    (Printer(epson), Capture(300, tilt=1, variant=2), "png"),
    (Printer(epson, head="dot24-sparse", ink=40, variant=3), Capture(300, blur=0.8), "png"),
    (Printer(epson, start="flatmono", head="dot9", ink=70, variant=4), Capture(240, noise=10), "png"),
    (Printer(epson, head="dot24", carbon=True, variant=5), Capture(300, noise=4), "png"),
    (Printer(epson, head="dot24", ink=50, worn_pins=0.4, variant=6), Capture(200), "png"),
    (Printer(epson, ink=150, mottle=0.5, variant=7), Capture(300, noise=6), "jpeg"),
    (Printer(epson, weight=1.5, feather=0.8, variant=8), Capture(300, blur=0.5), "png"),
    (Printer(epson, start="freemono", variant=9), Capture(150, blur=1.0, noise=5), "jpeg"),
    (Printer(epson, variant=10), Capture(300, photo=True, keystone=0.2, light=0.6, noise=5,
                                         variant=11), "jpeg"),
    (Printer(epson, start="ocra", variant=12), Capture(204, dpi_down=98), "tiff-g4"),
]
page = scans.test_page(fontprobe, "epson")
for i, (printer, capture, kind) in enumerate(pictures):
    picture = capture.take(printer.print_page(page, 300), 300)
    dpi = (capture.dpi, capture.dpi_down)
    scans.save([picture], f"{work}/{i:02}.{kind.split('-')[0]}", kind, dpi=dpi, quality=40)
PYTHON
build/native/bench/bench_characters "$work"/*
