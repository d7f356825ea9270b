#!/usr/bin/env python3
"""Draws Fontprobe's icon and logo banner into assets/ (run once; the results are committed).

The icon holds 16, 20, 24, 32, 48 and 256-pixel images, 24-bit with a transparency
mask (the 256-pixel one as PNG, as Windows keeps it): the larger ones show the
program's name, the smaller ones the flat-topped probe digit. The logo is a
426 x 78 banner in three colours, stored with a 16-colour palette (a fifth of
a 24-bit file's size) and shown by the program as a 24-bit picture. Both use a
small pixel font, so no imaging library or font file is needed.
"""
import os
import struct
import zlib

GLYPHS = {
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
    "p": ["00000", "00000", "11110", "10001", "10001", "11110", "10000"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "b": ["10000", "10000", "10110", "11001", "10001", "10001", "11110"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    # The probe digit, flat-topped as OCR-B draws it.
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
}

NAVY = (0x1F, 0x3A, 0x6E)
WHITE = (0xFF, 0xFF, 0xFF)
AMBER = (0xF2, 0xB1, 0x34)


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def text(pixels, left, top, string, scale, colour):
    for index, char in enumerate(string):
        for row, bits in enumerate(GLYPHS[char]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            x = left + index * 6 * scale + col * scale + dx
                            pixels[top + row * scale + dy][x] = colour


def bottom_up_rows(pixels):
    """24-bit BGR rows, bottom row first, each padded to four bytes."""
    data = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        data += line + b"\0" * (-len(line) % 4)
    return data


def bitmap_info(width, height, image_size, height_factor=1):
    return struct.pack("<IiiHHIIiiII", 40, width, height * height_factor, 1, 24, 0, image_size,
                       2835, 2835, 0, 0)


def write_palette_bmp(path, pixels):
    """A 4-bit bitmap: each pixel an index into the picture's own colours."""
    height, width = len(pixels), len(pixels[0])
    colours = sorted({colour for row in pixels for colour in row})
    assert len(colours) <= 16
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    image = b""
    for row in reversed(pixels):
        indices = [colours.index(colour) for colour in row] + [0]
        line = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, width, 2))
        image += line + b"\0" * (-len(line) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(image), 2835, 2835,
                       len(colours), 0)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + palette + image)


def bmp_image(pixels, transparent):
    height, width = len(pixels), len(pixels[0])
    colour = bottom_up_rows(pixels)
    mask = b""
    for row in reversed(transparent):
        bits = int("".join("1" if t else "0" for t in row), 2).to_bytes((width + 7) // 8, "big")
        mask += bits + b"\0" * (-len(bits) % 4)
    return bitmap_info(width, height, len(colour) + len(mask), height_factor=2) + colour + mask


def png_image(pixels, transparent):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes((r, g, b, 0 if t else 255))
                                     for (r, g, b), t in zip(row, clear))
                   for row, clear in zip(pixels, transparent))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 24, len(image), offset)
        data += image
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + entries + data)


def draw_icon(size):
    pixels = canvas(size, size, WHITE)
    border = max(1, size // 32)
    for i in range(size):
        for edge in range(border):
            pixels[i][edge] = pixels[edge][i] = NAVY
            pixels[i][size - 1 - edge] = pixels[size - 1 - edge][i] = NAVY
    if size >= 32:
        scale = size // 32
        text(pixels, (size - 23 * scale) // 2, 6 * scale, "Font", scale, NAVY)
        text(pixels, (size - 29 * scale) // 2, 18 * scale, "probe", scale, NAVY)
    else:
        scale = (size - 2 * border - 2) // 7
        text(pixels, (size - 5 * scale) // 2, (size - 7 * scale) // 2, "3", scale, NAVY)
    # Cut the corners round through the mask.
    cut = max(2, size // 16)
    transparent = [[min(x, size - 1 - x) + min(y, size - 1 - y) < cut for x in range(size)]
                   for y in range(size)]
    return pixels, transparent


def draw_logo():
    pixels = canvas(426, 78, NAVY)
    text(pixels, 14, 18, "Fontprobe", 6, WHITE)
    text(pixels, 346, 18, "3", 6, AMBER)
    for x in range(0, 426):
        pixels[74][x] = pixels[75][x] = AMBER
    return pixels


def main():
    assets = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
    images = [(size, bmp_image(*draw_icon(size))) for size in (16, 20, 24, 32, 48)]
    images.append((256, png_image(*draw_icon(256))))
    write_ico(os.path.join(assets, "Fontprobe.ico"), images)
    write_palette_bmp(os.path.join(assets, "logo.bmp"), draw_logo())


if __name__ == "__main__":
    main()
