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
    paper: "laser", or a dot-matrix head of HEADS."""

    def __init__(self, faces, start="courier", head="laser", ink=25, weight=0, variant=1):
        self.faces = faces
        self.start = start
        self.head = head
        self.ink = ink
        self.weight = weight  # toner spread: pixels grown (+) or eaten (-) at 300 dpi
        self.variant = variant  # which of the random ways to lay the dots

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

    def print_page(self, page, dpi, paper=A4, margin=(0.7, 0.6), replace_digit=None):
        """The printed sheet as a grey image at `dpi`: 255 is paper."""
        rng = random.Random(self.variant)
        width, height = int(paper[0] * dpi), int(paper[1] * dpi)
        coverage = Image.new("L", (width, height), 0)
        face = self.start
        column = line = 0
        i = 0
        glyphs = {}
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
        return _ink_on_paper(coverage, self.ink, self._spread(dpi))

    def _spread(self, dpi):
        return self.weight * dpi / 300

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
        return _dot_glyph(font, character, cell, dpi, HEADS[self.head], rng)


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
    path = FONTS[face]
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


def _dot_glyph(font, character, cell, dpi, head, rng):
    """The glyph as a printer head would strike it: the outline sampled at the
    head's dot grid, a round dot for each grid point inside the outline."""
    across, down, diameter = head
    image, left, top = _outline_glyph(font, character, cell, dpi)
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
                shade = int(255 * rng.uniform(0.8, 1.0))
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


def _ink_on_paper(coverage, ink, spread):
    """Paper (255) with ink of the given darkness where the coverage is."""
    if spread >= 0.5:
        coverage = coverage.filter(ImageFilter.MaxFilter(3))
    elif spread <= -0.5:
        coverage = coverage.filter(ImageFilter.MinFilter(3))
    c = np.asarray(coverage, dtype=np.float32) / 255
    return Image.fromarray((255 - c * (255 - ink)).astype(np.uint8))


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
    light. Then blur, noise, resampling to `dpi`, and a quarter turn."""

    def __init__(self, dpi=300, tilt=0.0, photo=False, perspective=0.0, light=0.0, blur=0.0,
                 noise=0.0, specks=0, turns=0, crop_bottom=None, variant=1):
        self.dpi = dpi
        self.tilt = tilt
        self.photo = photo
        self.perspective = perspective
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
        scale = self.dpi / sheet_dpi
        if scale != 1:
            size = (max(1, int(picture.width * scale)), max(1, int(picture.height * scale)))
            picture = picture.resize(size, Image.LANCZOS if scale < 1 else Image.BICUBIC)
        if self.blur:
            picture = picture.filter(ImageFilter.GaussianBlur(self.blur))
        pixels = np.asarray(picture, dtype=np.float32)
        if self.light:
            pixels = pixels * _light_field(pixels.shape, self.light, rng)
        if self.noise:
            pixels = pixels + rng.normal(0, self.noise, pixels.shape)
        if self.specks:
            ys = rng.integers(0, pixels.shape[0], self.specks)
            xs = rng.integers(0, pixels.shape[1], self.specks)
            pixels[ys, xs] = rng.uniform(0, 90, self.specks)
        picture = Image.fromarray(np.clip(pixels, 0, 255).astype(np.uint8))
        for _ in range(self.turns % 4):
            picture = picture.transpose(Image.ROTATE_90)
        return picture

    def _geometry(self, sheet, rng):
        """The sheet tilted (and in perspective) on its background."""
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
        coefficients = _homography(corners, [(0, 0), (w, 0), (w, h), (0, h)])
        background = 105 if self.photo else 250
        table = Image.new("L", (out_w, out_h), background)
        if self.photo:
            grain = rng.normal(0, 12, (out_h // 8 + 1, out_w // 8 + 1))
            grain = Image.fromarray(np.clip(background + grain, 0, 255).astype(np.uint8))
            table = grain.resize((out_w, out_h), Image.BILINEAR)
        warped = sheet.transform((out_w, out_h), Image.PERSPECTIVE, coefficients, Image.BICUBIC,
                                 fillcolor=0)
        mask = Image.new("L", sheet.size, 255).transform(
            (out_w, out_h), Image.PERSPECTIVE, coefficients, Image.BILINEAR, fillcolor=0)
        table.paste(warped, (0, 0), mask)
        return table


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
    png, png16, png-palette, png-alpha, png1, jpeg, jpeg-cmyk, tiff-g4,
    tiff-lzw, pdf."""
    first = pictures[0]
    options = {"dpi": (dpi, dpi)} if dpi else {}
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
        first.point(lambda v: 255 if v > 150 else 0).convert("1").save(path, "PNG", **options)
    elif kind in ("jpeg", "jpeg-cmyk", "jpeg-progressive"):
        picture = first.convert("CMYK" if kind == "jpeg-cmyk" else mode or "L")
        extra = {"progressive": True} if kind == "jpeg-progressive" else {}
        if exif_orientation:
            exif = Image.Exif()
            exif[0x0112] = exif_orientation
            extra["exif"] = exif.tobytes()
        picture.save(path, "JPEG", quality=quality, **options, **extra)
    elif kind == "tiff-g4":
        bilevel = [p.point(lambda v: 255 if v > 150 else 0).convert("1") for p in pictures]
        bilevel[0].save(path, "TIFF", compression="group4", save_all=True,
                        append_images=bilevel[1:], **options)
    elif kind == "tiff-lzw":
        first.save(path, "TIFF", compression="tiff_lzw", save_all=True, append_images=pictures[1:],
                   **options)
    elif kind == "pdf":
        first.convert("L").save(path, "PDF", resolution=dpi or 300, save_all=True,
                                append_images=[p.convert("L") for p in pictures[1:]])
    else:
        raise ValueError(kind)


def test_page(fontprobe, family):
    return subprocess.run([fontprobe, "page", family], check=True, capture_output=True).stdout
