"""Synthetic scans and photos of printed test pages, for the reader's tests and
benchmark.

A virtual printer interprets the real page bytes (`fontprobe page epson|pcl`):
each escape sequence selects a typeface only if the printer is given one for it,
as a real printer ignores a sequence it does not know. The printed sheet then
goes through a virtual scanner or phone camera: tilt, perspective, uneven
light, blur, noise, JPEG, orientation, and the file format.

Fonts come from Debian's packages (fonts-ocr-b, fonts-ocr-a, fonts-urw-base35,
fonts-liberation, fonts-freefont-ttf, fonts-inconsolata). The reader's own
reference glyphs come from other fonts, so that it is not tested on the shapes
it was given.
"""

import functools
import math
import os
import random
import subprocess
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import lookalikes  # noqa: E402

FONTS = {
    "courier": "/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Regular.otf",
    "courier-bold": "/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Bold.otf",
    "freemono": "/usr/share/fonts/truetype/freefont/FreeMono.ttf",
    "ocrb": "/usr/share/fonts/opentype/ocr-b/OCRB.otf",
    "ocra": "/usr/share/fonts/truetype/ocr-a/OCRA.ttf",
    "sans": "/usr/share/fonts/truetype/freefont/FreeSans.ttf",
    "helvetica": "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf",
    "gothic": "/usr/share/fonts/opentype/urw-base35/URWGothic-Book.otf",
    "flatmono": "/usr/share/fonts/truetype/inconsolata/Inconsolata.otf",
}
# The flat-topped lookalikes by name ("JetBrains Mono"); a draft cell
# ("draft 7x9") prints dot for dot with its own head, its other characters
# as Inconsolata struck by that head.
FONTS.update({name: path for name, path, _, _ in lookalikes.FACES})
CELLS = {name: (rows, head) for name, rows, head, _ in lookalikes.CELLS}
# Dot-matrix heads: dots an inch across and down, and a dot's diameter in
# inches. A 9-pin draft dot is bigger than its spacing across; "sparse" dots
# do not touch.
HEADS = {
    "dot9": (120, 72, 1 / 80),
    "dot9-sparse": (100, 72, 1 / 120),
    "dot24": (180, 180, 1 / 150),
    "dot24-sparse": (180, 180, 1 / 220),
}

A4 = (8.27, 11.69)
LETTER = (8.5, 11.0)


class Printer:
    """A printer: which typeface each sequence selects (a sequence it is not
    given is ignored), the typeface it starts with, and how it puts ink on
    paper: "laser", or a dot-matrix head of HEADS.

    Its faults and kinds of ink: `ink` a grey level or an (r, g, b) colour;
    `worn_pins` how much lighter a worn ribbon prints under the head's upper
    pins (0.5: half as dark); `mottle` how unevenly low toner covers (0 to 1);
    `feather` how far inkjet ink creeps along the paper's fibres (0 to 1);
    `carbon` a carbon copy under the sheet the head struck: faint, soft and
    bluish."""

    def __init__(self, faces, start="courier", head="laser", ink=25, weight=0, variant=1,
                 worn_pins=0.0, mottle=0.0, feather=0.0, carbon=False):
        self.faces = faces
        self.start = start
        self.head = head
        self.ink = CARBON_INK if carbon else ink
        self.weight = weight  # toner spread: pixels grown (+) or eaten (-) at 300 dpi
        self.variant = variant  # which of the random ways to lay the dots
        self.worn_pins = worn_pins
        self.mottle = mottle
        self.feather = feather
        self.carbon = carbon

    def probe_faces(self, page):
        """The typeface each line of 3s comes out in, top to bottom."""
        face, faces = self.start, []
        i = 0
        while i < len(page):
            if page[i] == 27:
                sequence, i = _escape(page, i + 1)
                face = self.faces.get(sequence, face)
            elif page[i:i + 5] == b" 3333":
                faces.append(face)
                i = page.index(b"\r\n", i)
            else:
                i += 1
        return faces

    def print_page(self, page, dpi, paper=A4, margin=(0.7, 0.6), replace_digit=None,
                   stock="plain", marks=(), band_offset=0.0):
        """The printed sheet as an image at `dpi` (grey, or colour when the ink,
        the paper or a mark has colour): 255 is white paper. `stock` is
        "plain", "continuous" (pale sprocket holes and perforations down both
        sides) or "green-bar" (continuous, with pale green bands three lines
        high, their edges between lines of print, or `band_offset` inches
        lower: 1/12 runs them through the lines); `marks` are what befell the
        sheet (see MARKS)."""
        rng = random.Random(self.variant)
        width, height = int(paper[0] * dpi), int(paper[1] * dpi)
        coverage = Image.new("L", (width, height), 0)
        face = self.start
        column = line = 0
        i = 0
        glyphs = {}
        lines_of_threes = []  # (top, left, right) of each, in pixels
        while i < len(page):
            byte = page[i]
            if byte == 27:
                sequence, i = _escape(page, i + 1)
                face = self.faces.get(sequence, face)
                continue
            i += 1
            if byte == 13:
                column = 0
            elif byte == 10:
                line += 1
            elif byte == 12:
                break
            else:
                if page[i - 1:i + 4] == b" 3333" and column == 0:
                    top = (margin[1] + line / 6) * dpi
                    lines_of_threes.append((top, (margin[0] + 0.1) * dpi, (margin[0] + 6.5) * dpi))
                character = chr(byte)
                if replace_digit and character == "3":
                    character = replace_digit
                if character != " ":
                    key = (face, character)
                    if key not in glyphs:
                        glyphs[key] = self._glyph(face, character, dpi, rng)
                    glyph, left, top = glyphs[key]
                    x = int(round((margin[0] + column / 10) * dpi)) + left
                    y = int(round((margin[1] + line / 6) * dpi)) + top
                    jitter = rng.uniform(0.85, 1.0) if self.head != "laser" else 1.0
                    coverage.paste(
                        Image.eval(glyph, lambda v, j=jitter: int(v * j)),
                        (x, y),
                        glyph,
                    )
                column += 1
        faults = np.random.default_rng(self.variant)
        coverage = self._faults(coverage, dpi, faults)
        coverage = _toner_marks(coverage, marks, dpi, lines_of_threes)
        bands = margin[1] - 0.01 + band_offset
        sheet = _ink_on_paper(coverage, self.ink, self._spread(dpi),
                              _stock(stock, width, height, dpi, bands))
        return _marked(sheet, marks, dpi, lines_of_threes, faults)

    def _spread(self, dpi):
        return self.weight * dpi / 300

    def _faults(self, coverage, dpi, rng):
        """The coverage as this printer's faults leave it."""
        if not (self.mottle or self.feather or self.carbon):
            return coverage
        c = np.asarray(coverage, dtype=np.float32) / 255
        if self.carbon:
            # Pressed through carbon paper: soft, faint, with smudges of carbon.
            soft = coverage.filter(ImageFilter.GaussianBlur(0.9 * dpi / 300))
            c = np.asarray(soft, dtype=np.float32) / 255 * 0.6
            c = np.maximum(c, _smooth_noise(c.shape, dpi / 8, rng) * 0.07)
        if self.mottle:
            # Low toner: thin in patches a few millimetres across.
            c = c * (1 - self.mottle * _smooth_noise(c.shape, dpi / 12, rng))
        if self.feather:
            # Ink creeping from each stroke along the paper's fibres.
            near = np.asarray(coverage.filter(ImageFilter.GaussianBlur(1.8 * dpi / 300)),
                              dtype=np.float32) / 255
            fibres = rng.random(c.shape, dtype=np.float32) ** 4 * 3
            c = np.maximum(c, np.clip(near * fibres * self.feather * 1.5, 0, 1))
        return Image.fromarray((np.clip(c, 0, 1) * 255).astype(np.uint8))

    def _glyph(self, face, character, dpi, rng):
        """A character's coverage image in its 0.1-inch cell, and where the
        image goes relative to the cell's top-left corner (a line is 1/6 inch)."""
        cell = dpi / 10
        if face in CELLS:
            rows, head = CELLS[face]
            if character == "3":
                return _cell_glyph(rows, head, cell, dpi, rng)
            font, _ = _font_for_pitch("flatmono", dpi)
            return _dot_glyph(font, character, cell, dpi, head, rng)
        font, size = _font_for_pitch(face, dpi)
        if self.head == "laser":
            return _outline_glyph(font, character, cell, dpi)
        return _dot_glyph(font, character, cell, dpi, HEADS[self.head], rng, self.worn_pins)


def _escape(page, i):
    """The sequence after an ESC at i-1, as the page spells it (b"k\\x05",
    b"(1O", b"(s3T"), and where the text goes on."""
    if page[i : i + 1] == b"k":
        return bytes(page[i : i + 2]), i + 2
    end = i + 1
    while end < len(page) and not (64 <= page[end] <= 94):
        end += 1
    return bytes(page[i : end + 1]), end + 1


def _font_for_pitch(face, dpi):
    """The font at the size that prints ten of its characters an inch (a
    proportional face: 12 points, each character centred in its cell);
    "ocrb@0.9" is OCR-B drawn a tenth smaller, as some printers do."""
    face, _, factor = face.partition("@")
    path = FONTS.get(face, face)  # a name of FONTS, or a font file
    probe = ImageFont.truetype(path, 1000)
    advance = probe.getlength("0") / 1000
    monospaced = abs(probe.getlength("i") - probe.getlength("M")) < 1
    points = 7.2 / advance if monospaced else 12.0
    size = max(1, int(round(points * float(factor or 1) * dpi / 72)))
    return ImageFont.truetype(path, size), size


def _outline_glyph(font, character, cell, dpi):
    ascent = font.getmetrics()[0]
    box = font.getbbox(character)
    image = Image.new("L", (box[2] - box[0] + 4, box[3] - box[1] + 4), 0)
    ImageDraw.Draw(image).text((2 - box[0], 2 - box[1]), character, font=font, fill=255)
    advance = font.getlength(character)
    left = int(round((cell - advance) / 2)) + box[0] - 2
    baseline = int(round(dpi / 6 * 0.75))
    top = baseline - ascent + box[1] - 2
    return image, left, top


def _dot_glyph(font, character, cell, dpi, head, rng, worn_pins=0.0):
    """The glyph as a printer head would strike it: the outline sampled at the
    head's dot grid, a round dot for each grid point inside the outline. A
    worn ribbon prints the pins above the digits' middle `worn_pins` lighter."""
    across, down, diameter = head
    image, left, top = _outline_glyph(font, character, cell, dpi)
    digit = font.getbbox("3")
    baseline = int(round(dpi / 6 * 0.75))
    middle = baseline - font.getmetrics()[0] + (digit[1] + digit[3]) / 2 - top
    scale = 4  # dots drawn at four times the resolution, then averaged down
    big = Image.new("L", (image.width * scale, image.height * scale), 0)
    draw = ImageDraw.Draw(big)
    pixels = np.asarray(image, dtype=np.float32) / 255
    radius = diameter * dpi * scale / 2
    step_x, step_y = dpi / across, dpi / down
    for gy in np.arange(step_y / 2, image.height, step_y):
        for gx in np.arange(step_x / 2, image.width, step_x):
            if pixels[int(gy), int(gx)] > 0.5:
                cx = (gx + rng.uniform(-0.1, 0.1) * step_x) * scale
                cy = (gy + rng.uniform(-0.1, 0.1) * step_y) * scale
                shade = int(255 * rng.uniform(0.8, 1.0) * (1 - worn_pins * (gy < middle)))
                draw.ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=shade)
    return big.resize(image.size, Image.BOX), left, top


def _cell_glyph(rows, head, cell, dpi, rng):
    """A draft cell's dots, centred in the character's cell, its bottom row on
    the baseline."""
    across, down, diameter = head
    step_x, step_y = dpi / across, dpi / down
    scale = 4
    width = int(cell) + 4
    height = int(len(rows) * step_y + diameter * dpi) + 4
    big = Image.new("L", (width * scale, height * scale), 0)
    draw = ImageDraw.Draw(big)
    radius = diameter * dpi * scale / 2
    left = (width - (len(rows[0]) - 1) * step_x) / 2
    top = diameter * dpi / 2 + 2
    for y, row in enumerate(rows):
        for x, dot in enumerate(row):
            if dot != "#":
                continue
            cx = (left + x * step_x + rng.uniform(-0.1, 0.1) * step_x) * scale
            cy = (top + y * step_y + rng.uniform(-0.1, 0.1) * step_y) * scale
            shade = int(255 * rng.uniform(0.8, 1.0))
            draw.ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=shade)
    baseline = int(round(dpi / 6 * 0.75))
    return big.resize((width, height), Image.BOX), int(round((cell - width) / 2)), baseline - height + 2


def _ink_on_paper(coverage, ink, spread, paper=None):
    """The paper (white, 255, when not given: an array, grey or colour) with
    ink of the given darkness (a grey level or a colour) where the coverage
    is; ink darkens what it lies on."""
    if spread >= 0.5:
        coverage = coverage.filter(ImageFilter.MaxFilter(3))
    elif spread <= -0.5:
        coverage = coverage.filter(ImageFilter.MinFilter(3))
    c = np.asarray(coverage, dtype=np.float32) / 255
    colour = isinstance(ink, tuple) or (paper is not None and paper.ndim == 3)
    if colour:
        c = c[..., None]
        ink = np.array(ink if isinstance(ink, tuple) else (ink,) * 3, dtype=np.float32)
    if paper is None:
        paper = np.full(c.shape, 255, dtype=np.float32)
    elif colour and paper.ndim == 2:
        paper = np.repeat(paper[..., None], 3, axis=2)
    return Image.fromarray((paper - c * (paper - paper * ink / 255)).astype(np.uint8))


def _smooth_noise(shape, scale, rng):
    """Noise from 0 to 1 that varies over about `scale` pixels."""
    h, w = shape
    small = rng.random((max(2, int(h / scale) + 2), max(2, int(w / scale) + 2)))
    field = Image.fromarray((small * 255).astype(np.uint8)).resize((w, h), Image.BICUBIC)
    return np.asarray(field, dtype=np.float32) / 255


# ---- the paper and what befalls the sheet ------------------------------------------

GREEN_BAR = (196, 226, 200)
CARBON_INK = (60, 70, 150)
PEN_INK = (30, 50, 170)
STAMP_INK = (200, 40, 50)
# Continuous paper: its tractor strips half an inch wide down both sides, with
# holes 5/32 inch across every half inch and a perforation to tear them off.
CONTINUOUS = (9.5, 11.0)
CONTINUOUS_MARGIN = (1.2, 0.6)


def _stock(stock, width, height, dpi, bands):
    """The bare paper as an array (None: plain white); green bands from
    `bands` inches down, and every inch after."""
    if stock == "plain":
        return None
    paper = np.full((height, width, 3) if stock == "green-bar" else (height, width), 255,
                    dtype=np.float32)
    if stock == "green-bar":
        band = int(dpi / 2)  # three lines of print a band
        for top in range(int(bands * dpi) % (2 * band), height, 2 * band):
            paper[top:top + band] = GREEN_BAR
    image = Image.fromarray(paper.astype(np.uint8))
    draw = ImageDraw.Draw(image)
    # A hole shows the scanner's lid, a little darker than paper, its rim a shadow.
    radius = 5 / 64 * dpi
    fill, rim = (226,) * len(image.getbands()), (196,) * len(image.getbands())
    for x in (0.25 * dpi, width - 0.25 * dpi):
        for y in np.arange(0.25 * dpi, height, 0.5 * dpi):
            draw.ellipse((x - radius, y - radius, x + radius, y + radius), fill=fill, outline=rim,
                         width=max(1, int(dpi / 150)))
    for x in (0.5 * dpi, width - 0.5 * dpi):
        for y in np.arange(0, height, dpi / 16):
            draw.line((x, y, x, y + dpi / 40), fill=rim, width=max(1, int(dpi / 300)))
    return np.asarray(image, dtype=np.float32)


# What may befall a printed sheet, each placed by the line of 3s of test block
# `block` (1 the comparison) and how far along it (0 its start, 1 its end):
#   ("band", block, where, width, strength)  a pale band of low toner down the
#       page, `width` inches wide, printing `strength` lighter (0 to 1)
#   ("streak", block, where, width)  a dark streak down the page from a
#       scratched drum
#   ("pen-ring", block)  a ring drawn round the line in ballpoint pen
#   ("stamp", block, where)  a red rubber stamp across the line
#   ("glare", block, where, radius)  a lamp's bright reflection on glossy paper
MARKS = ("band", "streak", "pen-ring", "stamp", "glare")


def _along(lines, mark):
    """Where a mark goes: x and y (the middle of its line of 3s) in pixels."""
    top, left, right = lines[mark[1] - 1]
    where = mark[2] if len(mark) > 2 else 0.5
    return left + where * (right - left), top


def _toner_marks(coverage, marks, dpi, lines):
    """Bands and streaks, which the printer made with its toner."""
    toner = [m for m in marks if m[0] in ("band", "streak")]
    if not toner:
        return coverage
    c = np.asarray(coverage, dtype=np.float32)
    x = np.arange(c.shape[1], dtype=np.float32)
    for mark in toner:
        centre, _ = _along(lines, mark)
        half = mark[3] * dpi / 2
        inside = np.clip((half - np.abs(x - centre)) / (0.02 * dpi) + 0.5, 0, 1)
        if mark[0] == "band":
            c = c * (1 - mark[4] * inside)
        else:
            c = np.maximum(c, 235 * inside)
    return Image.fromarray(c.astype(np.uint8))


def _marked(sheet, marks, dpi, lines, rng):
    """Pen, stamp and glare laid on the printed sheet."""
    drawn = [m for m in marks if m[0] in ("pen-ring", "stamp", "glare")]
    if not drawn:
        return sheet
    if any(m[0] != "glare" for m in drawn):
        sheet = sheet.convert("RGB")
    for mark in drawn:
        x, top = _along(lines, mark)
        middle = top + dpi / 6 * 0.55
        if mark[0] == "pen-ring":
            sheet = _multiply(sheet, _pen_ring(sheet.size, lines[mark[1] - 1], middle, dpi, rng))
        elif mark[0] == "stamp":
            sheet = _multiply(sheet, _stamp(sheet.size, x, middle, dpi))
        else:
            sheet = _glare(sheet, x, middle, mark[3] * dpi)
    return sheet


def _multiply(sheet, layer):
    """`layer` (RGBA) laid on the sheet as ink: it darkens what lies under it."""
    base = np.asarray(sheet, dtype=np.float32)
    over = np.asarray(layer, dtype=np.float32)
    alpha = over[..., 3:] / 255
    out = base * (1 - alpha) + base * over[..., :3] / 255 * alpha
    return Image.fromarray(out.astype(np.uint8))


def _pen_ring(size, line, middle, dpi, rng):
    """A hand-drawn ellipse round a line: a little crooked, its ends overlapping."""
    _, left, right = line
    layer = Image.new("RGBA", size, (255, 255, 255, 0))
    centre_x, half_width, half_height = (left + right) / 2, (right - left) / 2 + 0.2 * dpi, 0.17 * dpi
    points = []
    wobble = rng.uniform(0, 2 * math.pi, 3)
    for t in np.linspace(0.1, 2 * math.pi + 0.35, 400):
        r = 1 + 0.03 * math.sin(3 * t + wobble[0]) + 0.02 * math.sin(7 * t + wobble[1])
        px = centre_x + half_width * r * math.cos(t)
        py = middle + half_height * r * math.sin(t) + 0.04 * dpi * math.sin(t / 2 + wobble[2])
        points.append((px, py))
    ImageDraw.Draw(layer).line(points, fill=PEN_INK + (235,), width=max(1, int(0.022 * dpi)),
                               joint="curve")
    return layer


def _stamp(size, x, y, dpi):
    """A rubber stamp, "PAID" in a frame, unevenly inked and a little turned."""
    w, h = int(1.5 * dpi), int(0.6 * dpi)
    stamp = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    draw = ImageDraw.Draw(stamp)
    ink = STAMP_INK + (200,)
    draw.rectangle((2, 2, w - 3, h - 3), outline=ink, width=max(2, int(0.03 * dpi)))
    font = ImageFont.truetype("/usr/share/fonts/truetype/freefont/FreeSansBold.ttf", int(0.42 * dpi))
    draw.text((w / 2, h / 2), "PAID", font=font, fill=ink, anchor="mm")
    stamp = stamp.rotate(9, expand=True, resample=Image.BICUBIC)
    layer = Image.new("RGBA", size, (255, 255, 255, 0))
    layer.paste(stamp, (int(x - stamp.width / 2), int(y - stamp.height / 2)), stamp)
    return layer


def _glare(sheet, x, y, radius):
    """Light reflected off the sheet round (x, y): everything there tends to white."""
    pixels = np.asarray(sheet, dtype=np.float32)
    h, w = pixels.shape[:2]
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    glare = np.clip(1.25 * np.exp(-((xx - x) ** 2 + (yy - y) ** 2) / radius ** 2), 0, 1)
    if pixels.ndim == 3:
        glare = glare[..., None]
    return Image.fromarray((pixels + (255 - pixels) * glare).astype(np.uint8))


def text_page(lines, dpi, face="courier", paper=A4):
    """A printed page of ordinary text in one face, as a laser prints it."""
    page = b"\r\n".join(line.encode("ascii") for line in lines) + b"\r\n\x0c"
    return Printer({}, start=face).print_page(page, dpi, paper)


def blank_page(dpi, paper=A4):
    return Image.new("L", (int(paper[0] * dpi), int(paper[1] * dpi)), 252)

# ---- the scanner and the camera ------------------------------------------------


class Capture:
    """How the sheet becomes a picture. A scan: the sheet on a white glass,
    tilted; a photo: the sheet on a darker table, in perspective, under uneven
    light. Then blur, noise, resampling to `dpi` (and `dpi_down` down the
    picture, when its pixels are not square, as a fax's), and a quarter turn.

    A photo taken at an angle: `keystone` makes the sheet's far edge (`far`:
    "top", "bottom", "left" or "right") that much narrower than the near one.
    A sheet that does not lie flat: `curl` lifts it along one edge (`curl_edge`)
    through that many degrees, its last `curl_width` of the sheet bending up
    towards the camera. `mirrored`: the page seen from behind, as a front
    camera or a scan through thin paper shows it."""

    def __init__(self, dpi=300, tilt=0.0, photo=False, perspective=0.0, light=0.0, blur=0.0,
                 noise=0.0, specks=0, turns=0, crop_bottom=None, variant=1, dpi_down=None,
                 keystone=0.0, far="top", curl=0.0, curl_edge="bottom", curl_width=0.3,
                 mirrored=False):
        self.dpi = dpi
        self.dpi_down = dpi_down or dpi
        self.tilt = tilt
        self.photo = photo
        self.perspective = perspective
        self.keystone = keystone
        self.far = far
        self.curl = curl
        self.curl_edge = curl_edge
        self.curl_width = curl_width
        self.mirrored = mirrored
        self.light = light
        self.blur = blur
        self.noise = noise
        self.specks = specks
        self.turns = turns
        self.crop_bottom = crop_bottom  # keep only this many inches of the sheet
        self.variant = variant  # which of the random ways to add noise and specks

    def take(self, sheet, sheet_dpi):
        rng = np.random.default_rng(self.variant)
        if self.crop_bottom:
            sheet = sheet.crop((0, 0, sheet.width, int(self.crop_bottom * sheet_dpi)))
        picture = self._geometry(sheet, rng)
        across, down = self.dpi / sheet_dpi, self.dpi_down / sheet_dpi
        if across != 1 or down != 1:
            size = (max(1, int(picture.width * across)), max(1, int(picture.height * down)))
            picture = picture.resize(size, Image.LANCZOS if min(across, down) < 1 else Image.BICUBIC)
        if self.blur:
            picture = picture.filter(ImageFilter.GaussianBlur(self.blur))
        pixels = np.asarray(picture, dtype=np.float32)
        if self.light:
            field = _light_field(pixels.shape[:2], self.light, rng)
            pixels = pixels * (field[..., None] if pixels.ndim == 3 else field)
        if self.noise:
            pixels = pixels + rng.normal(0, self.noise, pixels.shape)
        if self.specks:
            ys = rng.integers(0, pixels.shape[0], self.specks)
            xs = rng.integers(0, pixels.shape[1], self.specks)
            values = rng.uniform(0, 90, self.specks)
            pixels[ys, xs] = values[:, None] if pixels.ndim == 3 else values
        picture = Image.fromarray(np.clip(pixels, 0, 255).astype(np.uint8))
        if self.mirrored:
            picture = picture.transpose(Image.FLIP_LEFT_RIGHT)
        for _ in range(self.turns % 4):
            picture = picture.transpose(Image.ROTATE_90)
        return picture

    def _geometry(self, sheet, rng):
        """The sheet (curled, tilted, in perspective) on its background."""
        mask = Image.new("L", sheet.size, 255)
        if self.curl:
            sheet, mask = _curled(sheet, self.curl, self.curl_edge, self.curl_width)
        w, h = sheet.size
        angle = math.radians(self.tilt)
        # The glass or the photo holds the whole tilted sheet, with a border.
        border = 0.06 if self.photo else 0.02
        c, s = abs(math.cos(angle)), abs(math.sin(angle))
        out_w = int((w * c + h * s) * (1 + 2 * border))
        out_h = int((w * s + h * c) * (1 + 2 * border))
        # Where the sheet's corners land in the picture.
        cx, cy = out_w / 2, out_h / 2
        corners = []
        for x, y in ((0, 0), (w, 0), (w, h), (0, h)):
            dx, dy = x - w / 2, y - h / 2
            px = cx + dx * math.cos(angle) - dy * math.sin(angle)
            py = cy + dx * math.sin(angle) + dy * math.cos(angle)
            corners.append((px, py))
        if self.perspective:
            # The far edge (the sheet's top) shrinks, and one side a little too.
            p = self.perspective
            shifts = [(p * w, p * 0.3 * h), (-p * w, p * 0.6 * h), (0, 0), (0, 0)]
            corners = [(x + sx, y + sy) for (x, y), (sx, sy) in zip(corners, shifts)]
        if self.keystone:
            corners = _keystoned(corners, self.keystone, self.far)
        coefficients = _homography(corners, [(0, 0), (w, 0), (w, h), (0, h)])
        background = 105 if self.photo else 250
        table = Image.new("L", (out_w, out_h), background)
        if self.photo:
            grain = rng.normal(0, 12, (out_h // 8 + 1, out_w // 8 + 1))
            grain = Image.fromarray(np.clip(background + grain, 0, 255).astype(np.uint8))
            table = grain.resize((out_w, out_h), Image.BILINEAR)
        table = table.convert(sheet.mode)
        warped = sheet.transform((out_w, out_h), Image.PERSPECTIVE, coefficients, Image.BICUBIC,
                                 fillcolor=0)
        mask = mask.transform((out_w, out_h), Image.PERSPECTIVE, coefficients, Image.BILINEAR,
                              fillcolor=0)
        table.paste(warped, (0, 0), mask)
        return table


def _keystoned(corners, keystone, far):
    """The corners (top left, top right, bottom right, bottom left) with the
    `far` edge `keystone` narrower and, being further off, a little shorter."""
    edges = {"top": (0, 1, 3), "right": (1, 2, 0), "bottom": (2, 3, 1), "left": (3, 0, 2)}
    a, b, near = edges[far]
    (ax, ay), (bx, by), (nx, ny) = corners[a], corners[b], corners[near]
    moved = list(corners)
    # Towards each other along the edge, and towards the near edge a little.
    along = ((bx - ax) * keystone / 2, (by - ay) * keystone / 2)
    inward = ((nx - ax) * keystone * 0.3, (ny - ay) * keystone * 0.3)
    moved[a] = (ax + along[0] + inward[0], ay + along[1] + inward[1])
    moved[b] = (bx - along[0] + inward[0], by - along[1] + inward[1])
    return moved


def _curled(sheet, degrees, edge, width):
    """The sheet as a camera high above its middle sees it when the last
    `width` of it towards `edge` bends up through `degrees` like a cylinder's
    side: that part grows narrower and, nearer the camera, its lines spread
    apart and bend. Also the mask of where the sheet is."""
    to_right = {"right": None, "bottom": Image.ROTATE_90, "left": Image.ROTATE_180,
                "top": Image.ROTATE_270}[edge]
    back = {None: None, Image.ROTATE_90: Image.ROTATE_270, Image.ROTATE_180: Image.ROTATE_180,
            Image.ROTATE_270: Image.ROTATE_90}[to_right]
    if to_right is not None:
        sheet = sheet.transpose(to_right)
    w, h = sheet.size
    start = w * (1 - width)
    radius = (w - start) / math.radians(degrees)
    camera = 1.6 * max(w, h)  # the camera's height above the sheet
    xs = np.linspace(0, w, 4001)
    bent = np.clip(xs - start, 0, None) / radius
    lifted = xs.copy()
    lifted[xs > start] = start + radius * np.sin(bent[xs > start])
    height = radius * (1 - np.cos(bent))
    scale = camera / (camera - height)
    seen = w / 2 + (lifted - w / 2) * scale  # where each column of the sheet is seen
    # Each box of the picture from its corners' places on the sheet.
    step = 16
    mesh = []
    for left in range(0, w, step):
        for top in range(0, h, step):
            box = (left, top, min(w, left + step), min(h, top + step))
            quad = []
            for px, py in ((box[0], box[1]), (box[0], box[3]), (box[2], box[3]), (box[2], box[1])):
                x = float(np.interp(px, seen, xs, right=w + 1e4))
                s = float(np.interp(x, xs, scale, right=1.0))
                quad += [x, h / 2 + (py - h / 2) / s]
            mesh.append((box, quad))
    curled = sheet.transform(sheet.size, Image.MESH, mesh, Image.BICUBIC, fillcolor=0)
    mask = Image.new("L", sheet.size, 255).transform(sheet.size, Image.MESH, mesh, Image.BILINEAR,
                                                     fillcolor=0)
    if back is not None:
        curled, mask = curled.transpose(back), mask.transpose(back)
    return curled, mask


def _homography(dst, src):
    """PIL's perspective coefficients mapping picture points `dst` to sheet points `src`."""
    rows, values = [], []
    for (x, y), (u, v) in zip(dst, src):
        rows.append([x, y, 1, 0, 0, 0, -u * x, -u * y])
        rows.append([0, 0, 0, x, y, 1, -v * x, -v * y])
        values += [u, v]
    return np.linalg.solve(np.array(rows), np.array(values)).tolist()


def _light_field(shape, strength, rng):
    """Uneven light: a gradient across the picture, a dim corner and a soft shadow."""
    h, w = shape
    y, x = np.mgrid[0:h, 0:w].astype(np.float32)
    x /= w
    y /= h
    angle = rng.uniform(0, 2 * math.pi)
    gradient = (x - 0.5) * math.cos(angle) + (y - 0.5) * math.sin(angle)
    corner = np.exp(-((x - 1) ** 2 + (y - 1) ** 2) * 3)
    shadow = 1 / (1 + np.exp(-(x - rng.uniform(0.3, 0.7)) * 25))
    field = 1 - strength * (0.5 + gradient) * 0.6 - strength * 0.3 * corner - strength * 0.25 * shadow
    return np.clip(field, 0.15, 1.0)

# ---- files -----------------------------------------------------------------------


def save(pictures, path, kind, dpi=None, quality=90, exif_orientation=None, mode=None):
    """Writes the pictures (several: a multi-page TIFF or PDF) as `kind`:
    png, png16, png-palette, png-alpha, png1, jpeg, jpeg-cmyk, tiff-g3,
    tiff-g4, tiff-lzw, pdf. `dpi`: the resolution the file states, one
    number or (across, down)."""
    first = pictures[0]
    options = {"dpi": dpi if isinstance(dpi, tuple) else (dpi, dpi)} if dpi else {}
    if kind == "png":
        (first.convert(mode) if mode else first).save(path, "PNG", **options)
    elif kind == "png16":
        wide = np.asarray(first, dtype=np.uint16) * 257
        Image.fromarray(wide.astype(np.uint16)).save(path, "PNG", **options)
    elif kind == "png-palette":
        first.convert("RGB").quantize(64).save(path, "PNG", **options)
    elif kind == "png-alpha":
        rgba = first.convert("RGBA")
        rgba.putalpha(255)
        rgba.save(path, "PNG", **options)
    elif kind == "png1":
        first.convert("L").point(lambda v: 255 if v > 150 else 0).convert("1").save(
            path, "PNG", **options)
    elif kind in ("jpeg", "jpeg-cmyk", "jpeg-progressive"):
        picture = first.convert("CMYK" if kind == "jpeg-cmyk" else mode or first.mode)
        extra = {"progressive": True} if kind == "jpeg-progressive" else {}
        if exif_orientation:
            exif = Image.Exif()
            exif[0x0112] = exif_orientation
            extra["exif"] = exif.tobytes()
        picture.save(path, "JPEG", quality=quality, **options, **extra)
    elif kind in ("tiff-g3", "tiff-g4"):
        bilevel = [p.convert("L").point(lambda v: 255 if v > 150 else 0).convert("1")
                   for p in pictures]
        bilevel[0].save(path, "TIFF", compression="group" + kind[-1], save_all=True,
                        append_images=bilevel[1:], **options)
    elif kind == "tiff-lzw":
        first.save(path, "TIFF", compression="tiff_lzw", save_all=True, append_images=pictures[1:],
                   **options)
    elif kind == "pdf":
        first.convert("L").save(path, "PDF", resolution=dpi or 300, save_all=True,
                                append_images=[p.convert("L") for p in pictures[1:]])
    else:
        raise ValueError(kind)


@functools.lru_cache(maxsize=None)
def test_page(fontprobe, family):
    """The page's bytes, asked of the command once a process: every picture
    made of one family is made of the same bytes."""
    return subprocess.run([fontprobe, "page", family], check=True, capture_output=True).stdout
