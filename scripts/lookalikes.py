"""The flat-topped 3s that are not OCR-B's, in one place: which the reader is
given as references (reading/ReferenceGlyphs.cpp, made by
make-reference-glyphs.py) and which are held out of everything the judge's
figures were measured on, for the tests and the evaluation only.

Faces come from Debian's font packages: find-flat-threes.py lists every
installed face whose 3 has a flat or nearly flat top, and each family it found is either
here or named in NOT_LOOKALIKES with the reason. Draft cells are dot-matrix 3s
drawn by hand, dot for dot, as 9-pin printers' draft fonts print them.
"""

import os

REFERENCE, HELD_OUT = "reference", "held-out"

_FONTS = "/usr/share/fonts"

# Name, font file, Debian package and licence, role.
FACES = [
    ("DejaVu Sans Mono", _FONTS + "/truetype/dejavu/DejaVuSansMono.ttf",
     "fonts-dejavu-core: Bitstream Vera licence, DejaVu changes public domain", REFERENCE),
    ("OCR-A", _FONTS + "/truetype/ocr-a/OCRA.ttf",
     "fonts-ocr-a: OCR-A by John Sauter; public domain", REFERENCE),
    ("JetBrains Mono", _FONTS + "/truetype/jetbrains-mono/JetBrainsMono-Regular.ttf",
     "fonts-jetbrains-mono: Apache 2.0", REFERENCE),
    ("B612 Mono", _FONTS + "/opentype/b612/B612Mono-Regular.otf",
     "fonts-b612: OFL 1.1", REFERENCE),
    ("League Mono", _FONTS + "/opentype/league-mono/LeagueMono-Regular.otf",
     "fonts-league-mono: OFL 1.1", REFERENCE),
    ("PT Mono", _FONTS + "/truetype/paratype/PTM55F.ttf",
     "fonts-paratype: ParaType Free Font Licence", REFERENCE),
    ("Manrope", _FONTS + "/truetype/manrope/Manrope-Regular.ttf",
     "fonts-manrope: OFL 1.1", REFERENCE),
    ("IBM 3270", _FONTS + "/truetype/3270/3270-Regular.ttf",
     "fonts-3270: BSD 3-clause or OFL", REFERENCE),
    ("Monoid", _FONTS + "/truetype/monoid/Monoid-Regular.ttf",
     "fonts-monoid: MIT or OFL 1.1", REFERENCE),
    # Held out: never a reference, never measured for the judge's figures.
    ("Inconsolata", _FONTS + "/truetype/inconsolata/Inconsolata.otf",
     "fonts-inconsolata: OFL 1.1", HELD_OUT),
    ("Quicksand", _FONTS + "/truetype/quicksand/Quicksand-Regular.ttf",
     "fonts-quicksand: OFL 1.1", HELD_OUT),
    ("monofur", _FONTS + "/truetype/monofur/monof55.ttf", "fonts-monofur: OFL 1.1", HELD_OUT),
    ("Mekanus ADF", _FONTS + "/truetype/adf/MekanusADFStd-Regular.otf",
     "fonts-adf-mekanus: GPL 2 with font exception", HELD_OUT),
    ("PT Sans", _FONTS + "/truetype/paratype/PTS55F.ttf",
     "fonts-paratype: ParaType Free Font Licence", HELD_OUT),
    ("PT Serif", _FONTS + "/truetype/paratype/PTF55F.ttf",
     "fonts-paratype: ParaType Free Font Licence", HELD_OUT),
    ("B612", _FONTS + "/opentype/b612/B612-Bold.otf", "fonts-b612: OFL 1.1", HELD_OUT),
    ("Spleen", _FONTS + "/opentype/spleen/spleen-16x32.otf", "fonts-spleen: BSD 2-clause",
     HELD_OUT),
    ("Hack", _FONTS + "/truetype/hack/Hack-Regular.ttf", "fonts-hack: MIT and Bitstream Vera",
     HELD_OUT),
    ("Go Mono", _FONTS + "/fonts-go/Go-Mono.ttf", "fonts-go: BSD 3-clause", HELD_OUT),
    ("Fira Code", _FONTS + "/truetype/firacode/FiraCode-Regular.ttf", "fonts-firacode: OFL 1.1",
     HELD_OUT),
    ("OSP-DIN", _FONTS + "/truetype/opendin/OSP-DIN.ttf", "fonts-opendin: OFL 1.1", HELD_OUT),
    ("Noto Sans Mono", _FONTS + "/truetype/noto/NotoSansMono-Regular.ttf",
     "fonts-noto-mono: OFL 1.1", HELD_OUT),
    ("Inter", _FONTS + "/opentype/inter/Inter-Regular.otf", "fonts-inter: OFL 1.1", HELD_OUT),
    ("mononoki", _FONTS + "/truetype/mononoki/mononoki-Regular.ttf", "fonts-mononoki: OFL 1.1",
     HELD_OUT),
    ("Yanone Kaffeesatz", _FONTS + "/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Regular.otf",
     "fonts-yanone-kaffeesatz: OFL 1.1", HELD_OUT),
    ("Beteckna", _FONTS + "/truetype/beteckna/Beteckna.ttf", "fonts-beteckna: GPL 3", HELD_OUT),
    ("agave", _FONTS + "/truetype/agave/agave-r-autohinted.ttf", "fonts-agave: MIT", HELD_OUT),
]

# Families whose 3 the flat-top finder lists but that are not lookalikes.
NOT_LOOKALIKES = {
    "OCR B": "it is OCR-B",
    "OCRA": "OCR-A's own styles (bold, condensed): the same 3 as OCR-A",
    "Monoisome": "Monoid drawn wider: the same 3 as Monoid",
}

# Dot-matrix draft 3s, drawn dot for dot (# a dot), top row first, with the
# head's dots an inch across and down and a dot's diameter in inches.
CELLS = [
    ("draft 5x7", ["#####",
                   "...#.",
                   "..#..",
                   "...#.",
                   "....#",
                   "#...#",
                   ".###."], (60, 72, 1 / 80), REFERENCE),
    ("draft 7x9", ["#######",
                   ".....#.",
                   "....#..",
                   "...#...",
                   "..###..",
                   ".....#.",
                   "......#",
                   "#.....#",
                   ".#####."], (120, 72, 1 / 80), REFERENCE),
    ("draft 9x9", ["#########",
                   ".......#.",
                   "......#..",
                   ".....#...",
                   "....####.",
                   "........#",
                   "........#",
                   "#......#.",
                   ".######.."], (120, 72, 1 / 80), HELD_OUT),
    ("draft 7x9 square", ["#######",
                          "......#",
                          ".....#.",
                          "...###.",
                          "......#",
                          "......#",
                          "#.....#",
                          "#.....#",
                          ".#####."], (120, 72, 1 / 80), HELD_OUT),
    ("draft 5x9", ["#####",
                   "....#",
                   "...#.",
                   "..#..",
                   ".###.",
                   "....#",
                   "....#",
                   "#...#",
                   ".###."], (60, 72, 1 / 80), HELD_OUT),
]


def faces(role):
    """The fonts of one role: [(name, path, source)]."""
    return [(name, path, source) for name, path, source, r in FACES if r == role]


def cells(role):
    """The draft cells of one role: [(name, rows, head)]."""
    return [(name, rows, head) for name, rows, head, r in CELLS if r == role]


def missing():
    """The font files named here that are not installed."""
    return [path for _, path, _, _ in FACES if not os.path.exists(path)]
