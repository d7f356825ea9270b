#!/ usr / bin / python3
"""fontprobe read against synthetic scans and photos of printed test pages.

Each case prints a test page on a virtual printer, captures it with a virtual
scanner or camera, writes it in a file format, and checks what
`fontprobe read --json` says of every page: the page, each block's judgement
(worked out from the printer, not written down) and the verdict. A false
"ocr-b" fails the run whatever else is right. A line in a lookalike face
(scripts/lookalikes.py, held-out ones included) may be another typeface or
unclear; a line of OCR-B from a 9-pin head may be OCR-B or unclear (too coarse
to tell); an unclear block makes the page undecided.

The pictures are made once for a version of the virtual printer and camera
and of the page bytes, in a folder of their own below PICTURES, which the
native and the sanitizer builds share: each build reads the same files, and
the second need not make them again.

usage: read_scans_test.py FONTPROBE FOLDER PICTURES [--every=N | CASE-NAME...]

--every=N reads every Nth case only (and the command's own checks): the
sanitizer build, whose reading takes three times as long, reads one case in
two, the native build all of them.
"""
import glob
import hashlib
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.dirname(__file__))
import scans  # noqa: E402
from scans import LETTER, Capture, Image, Printer  # noqa: E402

K126, K5, K127 = b"k~", b"k\x05", b"k\x7f"
COURIER_PCL, OCRB_PCL = b"(s3T", b"(1O"

# Printers, by what each sequence selects on them.
PCL_OCRB = Printer({COURIER_PCL: "courier", OCRB_PCL: "ocrb"})
PCL_NONE = Printer({COURIER_PCL: "courier"})
PCL_GOTHIC = Printer({COURIER_PCL: "freemono", OCRB_PCL: "gothic"})
PCL_BOLD_COURIER = Printer({COURIER_PCL: "courier-bold", OCRB_PCL: "ocrb@0.92"}, start="courier-bold")
EPSON_K5 = Printer({K126: "courier", K5: "ocrb"})
EPSON_K127 = Printer({K126: "courier", K127: "ocrb"})
EPSON_NONE = Printer({K126: "courier"})
EPSON_SANS = Printer({K126: "courier", K5: "sans"})
EPSON_FLAT_SANS = Printer({K126: "courier", K5: "flatmono"})
EPSON_OCRA = Printer({K126: "freemono", K127: "ocra"}, start="freemono")
EPSON_HEAVY_OCRB = Printer({K126: "freemono", K5: "ocrb"}, start="freemono", weight=1.5)
EPSON_LIGHT_OCRB = Printer({K126: "courier", K127: "ocrb@1.08"}, ink=120)
# Dot-matrix printers: a draft face whose 3 is flat-topped, ignoring every
# sequence; and 24-pin printers with OCR-B, dots overlapping or apart.
DRAFT_FLAT = Printer({}, start="flatmono", head="dot9", ink=70)
DRAFT_FLAT_SPARSE = Printer({}, start="flatmono", head="dot9-sparse", ink=60, variant=4)
LQ_OCRB = Printer({K126: "courier", K5: "ocrb"}, head="dot24", ink=55)
LQ_OCRB_SPARSE = Printer({K126: "courier", K127: "ocrb"}, head="dot24-sparse", ink=40, variant=7)
DRAFT_FLAT_LQ_OCRB = Printer({K126: "flatmono", K5: "ocrb"}, start="flatmono", head="dot24", ink=60)
# Faint and faulty print: carbon copies from a 24-pin and a 9-pin head, worn
# ribbons whose upper pins print half as dark, low toner, inkjet ink feathering.
LQ_OCRB_CARBON = Printer({K126: "courier", K5: "ocrb"}, head="dot24", carbon=True, variant=2)
DRAFT_CARBON = Printer({K126: "courier"}, head="dot9", carbon=True, variant=3)
LQ_OCRB_WORN = Printer({K126: "courier", K127: "ocrb"}, head="dot24", ink=50, worn_pins=0.5)
DRAFT_IGNORING_K5_FAINT = Printer({K126: "courier", K5: "courier", K127: "PT Mono"}, head="dot9",
                                  ink=150, mottle=0.55, variant=877)
DRAFT_WORN = Printer({K126: "courier"}, head="dot9", ink=60, worn_pins=0.5, variant=5)
PCL_OCRB_LOW_TONER = Printer({COURIER_PCL: "courier", OCRB_PCL: "ocrb"}, ink=150, mottle=0.6)
THIN_LASER = Printer({K126: "freemono", K5: "ocrb", K127: "sans"}, start="freemono", weight=-1,
                     ink=49, variant=537)
THIN_LASER_COURIER = Printer({K126: "courier", K5: "ocrb"}, weight=-1, ink=41, variant=800)
THIN_LASER_COURIER_SANS = Printer({K126: "courier", K5: "sans", K127: "ocrb"}, weight=-1, ink=41,
                                  variant=800)
THIN_LASER_PCL = Printer({COURIER_PCL: "courier", OCRB_PCL: "ocrb"}, weight=-1, ink=56, variant=200)
THIN_LASER_BESIDE_HEAVY = Printer({K126: "courier", K5: "JetBrains Mono", K127: "PT Mono"},
                                  weight=-1, ink=29, variant=955)
THIN_LASER_PT_MONO_PCL = Printer({COURIER_PCL: "freemono", OCRB_PCL: "PT Mono"},
                                 start="freemono", weight=-1, ink=29, variant=959)
FAINT_THIN_LASER_PCL = Printer({COURIER_PCL: "freemono", OCRB_PCL: "sans"}, start="freemono",
                               weight=-1, ink=42, variant=31)
INKJET_HEAVY_OCRB = Printer({K126: "freemono", K5: "ocrb"}, start="freemono", weight=1.5,
                            feather=1.0, variant=6)
# Flat-topped lookalikes where OCR-B was asked for, reference and held-out,
# on each print method; and OCR-B beside a lookalike on one page.
PCL_MANROPE = Printer({COURIER_PCL: "courier", OCRB_PCL: "Manrope"})
PCL_QUICKSAND = Printer({COURIER_PCL: "courier", OCRB_PCL: "Quicksand"}, ink=40)
EPSON_OCRB_BESIDE_PT_SANS = Printer({K126: "courier", K5: "ocrb", K127: "PT Sans"})
LQ_JETBRAINS_HACK = Printer({K126: "courier", K5: "JetBrains Mono", K127: "Hack"}, head="dot24",
                            ink=50)
LQ_OCRB_BESIDE_B612 = Printer({K126: "courier", K5: "B612", K127: "ocrb"}, head="dot24", ink=45,
                              variant=3)
DRAFT_CELLS = Printer({K126: "courier", K5: "draft 7x9", K127: "draft 9x9"}, head="dot9", ink=60)
DRAFT_CELLS_HELD_OUT = Printer({K126: "courier", K5: "draft 5x9", K127: "draft 7x9 square"},
                               head="dot9", ink=70, variant=2)
DRAFT_OCRB = Printer({K126: "courier", K5: "ocrb"}, head="dot9", ink=60)

LOREM = [
    "Invoice 2026-118, page 1 of 2. Customer number 448-2291-07.",
    "Please pay within thirty days of the date above, quoting the",
    "reference printed at the foot of the payment slip. Late payments",
    "are charged at the rate agreed in the contract of 3 March.",
    "",
    "Item      Description                    Quantity     Amount",
    "A-113     Ribbon cartridge, black              4      38.40",
    "B-207     Continuous paper, 2000 sheets        2      61.00",
    "C-009     Print head cleaning kit              1      12.75",
    "",
    "Total                                                112.15",
]


class Case:
    """A picture file to read and what must be read from it: for each page
    the printer and page family it was printed with (None: nothing to read)."""

    def __init__(self, name, pages, kind="png", expect=None, reason=None, turned=None,
                 may_be_unclear=False, **save):
        self.name = name
        self.pages = pages  # [(printer, family, capture, extra print options)]
        self.kind = kind
        self.expect = expect  # when not from the printers: "unreadable"
        self.reason = reason  # words the reason for an unreadable page holds
        self.turned = turned  # the page's turn the reader must report
        # An OCR-B line the judge may leave unclear: 24-pin dots, or a heavy
        # or blurred print, come close enough to a lookalike's 3 that the
        # margins that keep every lookalike out leave some such lines unclear.
        self.may_be_unclear = may_be_unclear
        self.save = save


def page_case(name, printer, family, capture, kind="png", paper=scans.A4, turned=None,
              may_be_unclear=False, printed=None, **save):
    """A case of one page; `printed`: more options of the printed sheet (its
    stock, margins, marks)."""
    return Case(name, [(printer, family, capture, dict(printed or {}, paper=paper))], kind,
                turned=turned, may_be_unclear=may_be_unclear, **save)


def continuous(stock="continuous", **more):
    return dict(stock=stock, margin=scans.CONTINUOUS_MARGIN, **more)


def unreadable(name, make, reason, kind="png", verdict="unreadable"):
    return Case(name, [(None, None, make, {})], kind, expect=verdict, reason=reason)


CASES = [
    # Laser prints scanned flat, 150 to 600 dpi.
    page_case("pcl-ocrb-300", PCL_OCRB, "pcl", Capture(300)),
    page_case("pcl-none-300", PCL_NONE, "pcl", Capture(300)),
    page_case("pcl-ocrb-150", PCL_OCRB, "pcl", Capture(150, variant=2)),
    page_case("pcl-none-600", PCL_NONE, "pcl", Capture(600, tilt=1.2)),
    page_case("epson-k5-300", EPSON_K5, "epson", Capture(300)),
    page_case("epson-k127-200-letter", EPSON_K127, "epson", Capture(200, tilt=-0.7), paper=LETTER),
    page_case("epson-none-300", EPSON_NONE, "epson", Capture(300, blur=0.6)),
    # Tilted, blurred, noisy, JPEG.
    page_case("epson-k5-tilt-7", EPSON_K5, "epson", Capture(300, tilt=7, variant=3)),
    page_case("pcl-ocrb-tilt-minus-10", PCL_OCRB, "pcl", Capture(240, tilt=-10)),
    page_case("pcl-ocrb-blurred", PCL_OCRB, "pcl", Capture(300, blur=1.6),
              may_be_unclear=True),
    page_case("epson-none-noisy", EPSON_NONE, "epson",
              Capture(300, noise=28, specks=4000, variant=5)),
    page_case("pcl-ocrb-jpeg-35", PCL_OCRB, "pcl", Capture(300, tilt=2, noise=6), kind="jpeg",
              quality=35),
    page_case("epson-k127-jpeg-progressive", EPSON_K127, "epson", Capture(300, blur=0.8),
              kind="jpeg-progressive", quality=60),
    # Phone photos: the sheet on a table, in perspective, under uneven light.
    page_case("photo-pcl-ocrb", PCL_OCRB, "pcl",
              Capture(330, tilt=3, photo=True, perspective=0.03, light=0.7, blur=1.0, noise=5,
                      variant=6),
              kind="jpeg", quality=80, mode="RGB"),
    page_case("photo-epson-none-shadow", EPSON_NONE, "epson",
              Capture(280, tilt=-5, photo=True, perspective=0.04, light=1.0, blur=0.8, noise=7,
                      variant=9),
              kind="jpeg", quality=75, mode="RGB"),
    page_case("photo-epson-k5-dim", EPSON_K5, "epson",
              Capture(300, tilt=1, photo=True, perspective=0.025, light=1.2, noise=9, variant=10),
              kind="jpeg", quality=85),
    page_case("photo-42-megapixels", EPSON_K5, "epson",
              Capture(560, tilt=3, photo=True, perspective=0.03, light=0.6, blur=1.2, noise=5,
                      variant=12), kind="jpeg", quality=85, mode="RGB"),
    # Dot-matrix prints: separate dots, a flat-topped draft 3, 24-pin OCR-B.
    page_case("draft-flat-topped-3", DRAFT_FLAT, "epson", Capture(300)),
    page_case("draft-sparse-dots", DRAFT_FLAT_SPARSE, "epson", Capture(360, tilt=-2)),
    page_case("lq-ocrb", LQ_OCRB, "epson", Capture(300, blur=0.5),
              may_be_unclear=True),
    page_case("lq-ocrb-sparse-dots", LQ_OCRB_SPARSE, "epson", Capture(400, tilt=1.5),
              may_be_unclear=True),
    page_case("draft-then-lq-ocrb", DRAFT_FLAT_LQ_OCRB, "epson", Capture(300, noise=8),
              may_be_unclear=True),
    # Other typefaces where OCR-B was asked for, and OCR-B drawn otherwise.
    page_case("epson-sans", EPSON_SANS, "epson", Capture(300)),
    page_case("epson-flat-topped-sans", EPSON_FLAT_SANS, "epson", Capture(300, tilt=0.5)),
    page_case("epson-ocr-a-cartridge", EPSON_OCRA, "epson", Capture(300)),
    page_case("pcl-gothic", PCL_GOTHIC, "pcl", Capture(250)),
    page_case("pcl-bold-courier-small-ocrb", PCL_BOLD_COURIER, "pcl", Capture(300)),
    page_case("epson-heavy-ocrb", EPSON_HEAVY_OCRB, "epson", Capture(300, blur=0.7),
              may_be_unclear=True),
    page_case("epson-light-large-ocrb", EPSON_LIGHT_OCRB, "epson", Capture(300)),
    page_case("pcl-manrope", PCL_MANROPE, "pcl", Capture(300, blur=0.5)),
    page_case("pcl-quicksand-held-out", PCL_QUICKSAND, "pcl", Capture(300, tilt=1)),
    page_case("ocrb-beside-pt-sans-held-out", EPSON_OCRB_BESIDE_PT_SANS, "epson",
              Capture(300, noise=5)),
    page_case("lq-jetbrains-and-hack", LQ_JETBRAINS_HACK, "epson", Capture(300, blur=0.4)),
    page_case("lq-b612-held-out-beside-ocrb", LQ_OCRB_BESIDE_B612, "epson", Capture(360),
              may_be_unclear=True),
    page_case("draft-cells", DRAFT_CELLS, "epson", Capture(300)),
    page_case("draft-cells-held-out", DRAFT_CELLS_HELD_OUT, "epson", Capture(300, tilt=-1)),
    page_case("draft-ocrb", DRAFT_OCRB, "epson", Capture(300)),
    # Turned: sideways by EXIF as phones save them, upside down, a quarter turn.
    page_case("jpeg-exif-sideways", EPSON_K5, "epson", Capture(300), kind="jpeg",
              exif_orientation=6, turned=0),
    page_case("jpeg-exif-mirrored", PCL_OCRB, "pcl", Capture(300, turns=2), kind="jpeg",
              exif_orientation=4, turned=180),
    page_case("png-upside-down", EPSON_K127, "epson", Capture(300, turns=2, tilt=2), turned=180),
    page_case("tiff-lzw-turned-quarter", PCL_NONE, "pcl", Capture(300, turns=3), kind="tiff-lzw",
              turned=90),
    # Every PNG kind, and a file stating a wrong resolution.
    page_case("png-16-bit", PCL_OCRB, "pcl", Capture(300), kind="png16"),
    page_case("png-palette", EPSON_NONE, "epson", Capture(300), kind="png-palette"),
    page_case("png-alpha-72-dpi", EPSON_K5, "epson", Capture(300), kind="png-alpha", dpi=72),
    page_case("png-1-bit", PCL_OCRB, "pcl", Capture(300), kind="png1"),
    page_case("jpeg-cmyk", PCL_NONE, "pcl", Capture(300), kind="jpeg-cmyk"),
    # Several pages in one file.
    Case("tiff-g4-two-pages", [(PCL_NONE, "pcl", Capture(300), {}),
                               (EPSON_K5, "epson", Capture(300, tilt=1), {})], "tiff-g4", dpi=300),
    Case("pdf-two-pages", [(EPSON_NONE, "epson", Capture(300), {}),
                           (PCL_OCRB, "pcl", Capture(300, tilt=-1), {})], "pdf", dpi=300),
    # Photos at an angle (the far edge up to 30 % narrower), of a sheet curled
    # along one edge, and pages seen mirrored.
    page_case("photo-pcl-keystone-30", PCL_OCRB, "pcl",
              Capture(300, photo=True, keystone=0.3, light=0.5, blur=0.8, noise=4, variant=13),
              kind="jpeg", quality=85, mode="RGB"),
    page_case("photo-epson-keystone-28-tilted", EPSON_K127, "epson",
              Capture(300, photo=True, keystone=0.28, tilt=4, light=0.4, noise=5, variant=14),
              kind="jpeg", quality=85),
    page_case("photo-pcl-keystone-25-sideways", PCL_NONE, "pcl",
              Capture(280, photo=True, keystone=0.25, far="left", light=0.3, noise=4, variant=15),
              kind="jpeg", quality=85),
    page_case("photo-pcl-keystone-30-far-right", PCL_NONE, "pcl",
              Capture(280, photo=True, keystone=0.3, far="right", tilt=2, light=0.4, blur=0.8,
                      noise=5, variant=33), kind="jpeg", quality=85, mode="RGB"),
    page_case("photo-epson-curled-top", EPSON_K5, "epson",
              Capture(300, photo=True, curl=70, curl_edge="top", light=0.5, noise=4,
                      variant=16), kind="jpeg", quality=85),
    page_case("photo-pcl-curled-right", PCL_OCRB, "pcl",
              Capture(300, photo=True, curl=60, curl_edge="right", tilt=-2, noise=4, variant=17),
              kind="jpeg", quality=85),
    page_case("photo-mirrored-front-camera", EPSON_K5, "epson",
              Capture(300, photo=True, mirrored=True, tilt=2, light=0.5, noise=5, variant=18),
              kind="jpeg", quality=85, mode="RGB"),
    page_case("scan-through-the-paper-mirrored", PCL_OCRB, "pcl",
              Capture(300, mirrored=True, turns=2, blur=1.0, noise=3)),
    # Pixels that are not square, as the file states: fax resolutions and files
    # stating unequal resolutions across and down (OCR-B at 98 dpi down may be
    # too coarse to tell).
    page_case("fax-204x98-g3", PCL_OCRB, "pcl", Capture(204, dpi_down=98), kind="tiff-g3",
              dpi=(204, 98), may_be_unclear=True),
    page_case("fax-204x98-g4-epson", EPSON_K5, "epson", Capture(204, dpi_down=98, tilt=1),
              kind="tiff-g4", dpi=(204, 98), may_be_unclear=True),
    page_case("png-300x150-phys", EPSON_NONE, "epson", Capture(300, dpi_down=150), dpi=(300, 150)),
    page_case("jpeg-200x300-density", PCL_OCRB, "pcl", Capture(200, dpi_down=300), kind="jpeg",
              dpi=(200, 300)),
    # Marks across part of a line: a pale band of low toner, a drum's streak,
    # a pen's ring, a stamp, glare.
    page_case("band-of-low-toner", PCL_OCRB, "pcl", Capture(300),
              printed={"marks": [("band", 2, 0.45, 1.5, 0.8)]}),
    page_case("drum-streak", EPSON_K5, "epson", Capture(300, blur=0.5),
              printed={"marks": [("streak", 1, 0.3, 0.05)]}),
    page_case("pen-ring-round-the-ocrb-line", EPSON_K127, "epson", Capture(300),
              printed={"marks": [("pen-ring", 3)]}, mode="RGB"),
    page_case("stamp-on-the-comparison", PCL_OCRB, "pcl", Capture(300, tilt=-1),
              printed={"marks": [("stamp", 1, 0.7)]}, mode="RGB"),
    page_case("photo-glare-on-the-ocrb-line", EPSON_K5, "epson",
              Capture(300, photo=True, light=0.4, noise=4, variant=19),
              printed={"marks": [("glare", 2, 0.35, 0.45)]}, kind="jpeg", quality=85),
    # Faint print, and paper that is not ink: carbon copies on continuous and
    # green-bar paper, worn ribbons, low toner, inkjet feathering. OCR-B
    # struck by a worn or carbon 24-pin head, or heavy and feathered, may be
    # too coarse to tell from its lookalikes: unclear, never another answer.
    page_case("carbon-copy-continuous", LQ_OCRB_CARBON, "epson", Capture(300, noise=3),
              paper=scans.CONTINUOUS, printed=continuous(), mode="RGB", may_be_unclear=True),
    page_case("carbon-copy-draft-green-bar", DRAFT_CARBON, "epson", Capture(300, noise=3),
              paper=scans.CONTINUOUS, printed=continuous("green-bar"), kind="jpeg",
              quality=85, mode="RGB"),
    # A green band's slanting edge along the foot of a line of 3s: the band's
    # grain beside its edge is paper, not ink that would make the 3s look like 1s.
    page_case("green-bar-edge-along-a-line", DRAFT_IGNORING_K5_FAINT, "epson",
              Capture(300, tilt=-1.1628, noise=4.38, variant=440), paper=scans.CONTINUOUS,
              printed=continuous("green-bar", band_offset=0.1426), mode="RGB"),
    page_case("worn-ribbon-24-pin", LQ_OCRB_WORN, "epson", Capture(300), may_be_unclear=True),
    page_case("worn-ribbon-9-pin", DRAFT_WORN, "epson", Capture(300, noise=4),
              paper=scans.CONTINUOUS, printed=continuous()),
    page_case("low-toner", PCL_OCRB_LOW_TONER, "pcl", Capture(300, noise=3)),
    page_case("inkjet-feathering-heavy-ocrb", INKJET_HEAVY_OCRB, "epson", Capture(300, blur=0.5),
              may_be_unclear=True),
    # A line lost off the bottom of the scan: still the Epson page.
    page_case("epson-third-line-cut-off", EPSON_K5, "epson", Capture(300, crop_bottom=2.9)),
    # Not a readable test page.
    unreadable("blank-page", lambda pages: Capture(300, noise=4).take(scans.blank_page(300), 300),
               "blank"),
    unreadable("page-of-other-text",
               lambda pages: Capture(300, tilt=1).take(scans.text_page(LOREM, 300), 300),
               "not a Fontprobe test page"),
    # Thin, light laser print (an economy setting): the text and a thin
    # comparison line all but vanish beside heavy lines of 3s. With two heavy
    # lines the page is found and read; with one, the page is found but its
    # thin lines cannot all be judged; where the text vanishes too, it is a
    # test page all the same, and never called something else.
    page_case("thin-light-laser-print-jpeg", THIN_LASER_COURIER_SANS, "epson",
              Capture(300, tilt=-2.7, blur=0.2, noise=5.5, variant=655), kind="jpeg", quality=75,
              may_be_unclear=True),
    unreadable("thin-light-laser-print", lambda pages: Capture(
        300, tilt=-2.6, blur=0.6, noise=4, variant=764).take(THIN_LASER.print_page(
            pages["epson"], 300), 300), "the lines do not form Fontprobe's Epson or PCL test page"),
    unreadable("thin-light-laser-print-one-line", lambda pages: Capture(
        300, tilt=-2.7, blur=0.2, noise=5.5, variant=655).take(THIN_LASER_COURIER.print_page(
            pages["epson"], 300), 300), "but not every block could be judged", verdict="undecided"),
    # Thin print whose strokes fall within the scan's noise: read as faint
    # print, smoothed. Its OCR-B, thinned too, may be too faint to tell.
    page_case("thin-light-laser-scan-noisy", THIN_LASER_PCL, "pcl",
              Capture(200, tilt=-3.1, blur=0.95, noise=7.9, variant=448), may_be_unclear=True),
    page_case("thin-light-laser-curled-photo", THIN_LASER_BESIDE_HEAVY, "epson",
              Capture(250, tilt=2.3, photo=True, curl=48, curl_edge="left", curl_width=0.3,
                      light=0.77, noise=5.5, variant=306), kind="jpeg", quality=85),
    # Thin, light print of the PCL page photographed at an angle on a grey,
    # grainy table: the grain round the sheet is darker than the print, but it
    # is no print, and its fine blotches do not make the page too small to read.
    Case("thin-light-laser-photo-on-a-grainy-table", [(None, None, lambda pages: Capture(
        300, tilt=1.5, photo=True, keystone=0.26, far="bottom", light=0.5, blur=0.3, noise=3.5,
        variant=33).take(FAINT_THIN_LASER_PCL.print_page(pages["pcl"], 300), 300), {})], "jpeg",
        expect="unreadable", reason="printed too faint to read", quality=85, mode="RGB"),
    # Only one heavy line of 3s left to see, faxed: its strokes are followed
    # as two lines close together, which are too few to tell the print's size.
    Case("thin-light-laser-fax", [(None, None, lambda pages: Capture(
        204, dpi_down=196, tilt=-0.57, noise=3.4, variant=976).take(
            THIN_LASER_PT_MONO_PCL.print_page(pages["pcl"], 300), 300), {})], "tiff-g4",
        expect="unreadable", reason="printed too faint to read", dpi=(204, 196)),
    unreadable("lines-of-eights", lambda pages: Capture(300).take(
        EPSON_NONE.print_page(pages["epson"], 300, replace_digit="8"), 300),
        "not lines of the digit 3", verdict="undecided"),
    unreadable("too-small-75-dpi",
               lambda pages: Capture(75).take(PCL_OCRB.print_page(pages["pcl"], 300), 300),
               "too small to read: scan at 300 dpi"),
    unreadable("truncated-png", "truncated", "broken PNG"),
    unreadable("truncated-jpeg", "truncated", "broken JPEG", kind="jpeg"),
    unreadable("empty-file", "empty", "empty"),
    unreadable("not-a-picture", "text", "not a picture"),
]


def expected_blocks(printer, page, may_be_unclear=False):
    """Each block's accepted judgements as the printer printed it."""
    faces = printer.probe_faces(page)
    judgements = [{"comparison"}]
    for face in faces[1:]:
        if face == faces[0]:
            judgements.append({"same-as-comparison"})
        elif face.startswith("ocrb"):
            coarse = printer.head == "dot9" or may_be_unclear
            judgements.append({"ocr-b", "unclear"} if coarse else {"ocr-b"})
        elif face in LOOKALIKES:
            judgements.append({"other", "unclear"})
        else:
            judgements.append({"other"})
    return judgements


LOOKALIKES = {name for name, _, _, _ in scans.lookalikes.FACES + scans.lookalikes.CELLS} | {
    "flatmono"}


def expected_verdict(want_blocks, got_blocks):
    """OCR-B when a block must be; else no OCR-B when every block was judged,
    undecided when one was left unclear."""
    if any(w == {"ocr-b"} for w in want_blocks) or "ocr-b" in got_blocks:
        return "ocr-b"
    return "undecided" if "unclear" in got_blocks else "no-ocr-b"


def make(case, fontprobe, pictures):
    """Writes the case's file unless the picture folder already holds it;
    returns its path and what each page must read as."""
    pages = {family: scans.test_page(fontprobe, family) for family in ("epson", "pcl")}
    name = case.name + "." + case.kind.split("-")[0].replace("png16", "png")
    path = os.path.join(pictures, name)
    expected = []
    for printer, family, capture, options in case.pages:
        if printer is None:
            expected.append({"verdict": case.expect, "reason": case.reason})
        else:
            blocks = expected_blocks(printer, pages[family], case.may_be_unclear)
            expected.append({"page": family, "blocks": blocks, "mirrored": capture.mirrored})
    if not os.path.exists(path):
        # Made aside and moved in whole, so that no run reads a file half written.
        with tempfile.TemporaryDirectory(dir=pictures) as aside:
            write_case(case, pages, os.path.join(aside, name))
            os.replace(os.path.join(aside, name), path)
    return path, expected


def write_case(case, pages, path):
    pictures = []
    for printer, family, capture, options in case.pages:
        if printer is None:
            if callable(capture):
                pictures.append(capture(pages))
            else:
                write_damaged(path, capture, pages)
            continue
        sheet = printer.print_page(pages[family], 300, **options)
        pictures.append(capture.take(sheet, 300))
    if pictures:
        if case.save.get("exif_orientation"):
            # The pixels as a camera stores them; the EXIF tag turns them back.
            pictures[0] = stored_for(pictures[0], case.save["exif_orientation"])
        scans.save(pictures, path, case.kind, **case.save)


def picture_folder(fontprobe, root):
    """The folder below root for these generator sources and page bytes."""
    digest = hashlib.sha256()
    here = os.path.dirname(os.path.abspath(__file__))
    for source in sorted(glob.glob(os.path.join(here, "*.py"))) + [scans.lookalikes.__file__]:
        with open(source, "rb") as f:
            digest.update(f.read())
    for family in ("epson", "pcl"):
        digest.update(scans.test_page(fontprobe, family))
    folder = os.path.join(root, digest.hexdigest()[:16])
    os.makedirs(folder, exist_ok=True)
    # Pictures of earlier versions go once no run has used them for a day.
    for other in glob.glob(os.path.join(root, "*")):
        if other != folder and time.time() - os.path.getmtime(other) > 86400:
            shutil.rmtree(other, ignore_errors=True)
    return folder


def stored_for(shown, orientation):
    """Orientation 6: stored a quarter turn anticlockwise; 4: stored upside down, mirrored."""
    turn = {6: scans.Image.ROTATE_90, 4: scans.Image.FLIP_TOP_BOTTOM}[orientation]
    return shown.transpose(turn)


def write_damaged(path, how, pages):
    if how == "empty":
        open(path, "wb").close()
    elif how == "text":
        with open(path, "w") as out:
            out.write("This is a letter, not a picture.\n")
    else:  # truncated: a good scan cut off after 60 % of its bytes
        kind = "jpeg" if path.endswith(".jpeg") else "png"
        picture = Capture(300).take(PCL_OCRB.print_page(pages["pcl"], 300), 300)
        scans.save([picture], path, kind)
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[: len(data) * 6 // 10])


def run(index, fontprobe, pictures):
    case = CASES[index]
    path, expected = make(case, fontprobe, pictures)
    done = subprocess.run([fontprobe, "read", "--json", path], capture_output=True, text=True, timeout=120)
    pages = [json.loads(line) for line in done.stdout.splitlines()]
    problems = []
    if len(pages) != len(expected):
        return [f"{len(pages)} pages read, {len(expected)} expected; {done.stderr.strip()}"], pages
    for number, (got, want) in enumerate(zip(pages, expected), 1):
        blocks = [b["typeface"] for b in got["blocks"]]
        allowed = want.get("blocks", [])
        if any(b == "ocr-b" and (i >= len(allowed) or "ocr-b" not in allowed[i])
               for i, b in enumerate(blocks)):
            problems.append(f"page {number}: FALSE OCR-B")
        if "blocks" in want:
            want["verdict"] = expected_verdict(want["blocks"], blocks)
        if got["verdict"] != want["verdict"]:
            problems.append(f"page {number}: verdict {got['verdict']}, expected {want['verdict']}")
        if "blocks" in want:
            if got["page"] != want["page"]:
                problems.append(f"page {number}: page {got['page']}, expected {want['page']}")
            missing_ok = case.name.endswith("cut-off")
            for i, want_block in enumerate(want["blocks"]):
                got_block = blocks[i] if i < len(blocks) else "missing"
                if got_block not in want_block and not (missing_ok and got_block == "unclear"):
                    problems.append(f"page {number} block {i + 1}: {got_block}, expected {want_block}")
        if want.get("reason") and want["reason"] not in got["reason"]:
            problems.append(f"page {number}: reason {got['reason']!r} lacks {want['reason']!r}")
        if "mirrored" in want and got.get("mirrored") != want["mirrored"]:
            problems.append(f"page {number}: mirrored {got.get('mirrored')}, expected {want['mirrored']}")
        if case.turned is not None and got.get("turned") != case.turned:
            problems.append(f"page {number}: turned {got.get('turned')}, expected {case.turned}")
    verdicts = [w["verdict"] for w in expected]
    expected_status = 0 if "ocr-b" in verdicts else 6 if "no-ocr-b" in verdicts else \
        9 if "undecided" in verdicts else 7
    if done.returncode != expected_status:
        problems.append(f"exit status {done.returncode}, expected {expected_status}")
    return problems, pages


def summary(pages):
    parts = []
    for p in pages:
        blocks = " ".join(
            f"{b['typeface']}(d={b.get('difference', 0):.2f},o={b.get('ocr_b_likeness', 0):.2f},"
            f"x={b.get('other_likeness', 0):.2f},a={b.get('alike', 0):.2f}"
            f"{',' + b['reason'] if b.get('reason') else ''})" for b in p["blocks"])
        parts.append(f"{p['verdict']} {p['page']} {blocks} {p['reason'] if p['verdict'] == 'unreadable' else ''}")
    return " | ".join(parts)


def huge_png(path):
    """A PNG whose header claims 20000 x 20000 pixels and holds a scrap of a picture."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 20000, 20000, 8, 0, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(1000))) + chunk(b"IEND", b""))


def command_checks(fontprobe, pictures, folder):
    """How the command takes its files: standard input, the annotated
    pictures, names that are outside text, pictures refused unread, a PDF
    without poppler-utils, and usage errors. Runs after the cases, whose
    pictures it uses; writes its own files in folder."""
    scan, mirrored, two_pages, pdf = (
        make(next(c for c in CASES if c.name == name), fontprobe, pictures)[0]
        for name in ("pcl-ocrb-300", "scan-through-the-paper-mirrored", "tiff-g4-two-pages",
                     "pdf-two-pages"))
    odd_name = os.path.join(folder, "scan\x1b]0;PWNED\x07.png")
    shutil.copyfile(scan, odd_name)
    huge = os.path.join(folder, "huge.png")
    huge_png(huge)
    prefix = os.path.join(folder, "annotated")
    for old in glob.glob(prefix + "-*.png"):
        os.remove(old)
    with open(scan, "rb") as f:
        scan_bytes = f.read()
    checks = [
        # what, arguments, standard input, environment, status, words the output holds
        ("standard input", ["read", "--json", "-"], scan_bytes, None, 0, '"file":"-"'),
        ("annotated pictures, one a page", ["read", two_pages, scan, "--annotate", prefix], None,
         None, 0, "(page 2)"),
        ("a mirrored page said to be one", ["read", mirrored], None, None, 0,
         "the picture shows the page mirrored"),
        ("a file name with control characters", ["read", odd_name], None, None, 0,
         "scan\\x1b]0;PWNED\\x07.png"),
        ("a picture too large, refused from its header", ["read", huge], None, None, 7,
         "larger than 100 million pixels"),
        ("a PDF without poppler-utils", ["read", pdf], None, {"PATH": "/nonexistent"}, 7,
         "poppler-utils"),
        ("a missing file", ["read", os.path.join(folder, "nothing-here.png")], None, None, 7,
         "cannot open the file"),
        ("no file", ["read"], None, None, 1, "read needs a picture file"),
        ("--annotate without a prefix", ["read", scan, "--annotate"], None, None, 1,
         "--annotate needs a value"),
        ("standard input twice", ["read", "-", "-"], b"", None, 1, "only once"),
    ]
    failed = 0
    for what, args, stdin, env, status, says in checks:
        done = subprocess.run([fontprobe] + args, input=stdin, capture_output=True, timeout=120,
                              env=dict(os.environ, **env) if env else None)
        output = (done.stdout + done.stderr).decode("utf-8", "replace")
        problems = []
        if done.returncode != status:
            problems.append(f"exit status {done.returncode}, expected {status}")
        if says not in output:
            problems.append(f"output lacks {says!r}: {output.strip()[:300]!r}")
        if b"\x1b" in done.stdout + done.stderr or b"\x07" in done.stdout + done.stderr:
            problems.append("a control byte reached the terminal")
        if what.startswith("annotated"):
            annotated = sorted(glob.glob(prefix + "-*.png"))
            if [os.path.basename(p) for p in annotated] != ["annotated-1.png", "annotated-2.png", "annotated-3.png"]:
                problems.append(f"annotated pictures: {annotated}")
            elif Image.open(annotated[2]).width < 600:
                problems.append("the annotated picture is too small to show why")
        print(f"{'FAIL' if problems else 'ok  '} {what}")
        for problem in problems:
            print(f"     {problem}")
        failed += bool(problems)
    return failed


def main():
    fontprobe, folder = sys.argv[1], sys.argv[2]
    pictures = picture_folder(fontprobe, sys.argv[3])
    names = sys.argv[4:]
    every = int(names.pop(0).split("=")[1]) if names and names[0].startswith("--every=") else 1
    chosen = [i for i, c in enumerate(CASES) if (c.name in names if names else i % every == 0)]
    if not chosen:
        print(f"no case is named {' or '.join(names)}")
        return 1
    os.makedirs(folder, exist_ok=True)
    with ProcessPoolExecutor(max_workers=os.cpu_count()) as pool:
        results = list(pool.map(run, chosen, [fontprobe] * len(chosen), [pictures] * len(chosen)))
    chosen = [CASES[i] for i in chosen]
    failed = 0
    for case, (problems, pages) in zip(chosen, results):
        print(f"{'FAIL' if problems else 'ok  '} {case.name:32} {summary(pages)}")
        for problem in problems:
            print(f"     {problem}")
        failed += bool(problems)
    print(f"{len(chosen) - failed} of {len(chosen)} cases read right")
    if not names:
        failed += command_checks(fontprobe, pictures, folder)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
