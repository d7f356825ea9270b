#!/usr/bin/env python3
"""Draws Fontprobe's icon and logo banner into assets/ (run once; the results are committed).

The icon is 32 x 32, 24-bit with a transparency mask, and shows the program's name;
the logo is a 426 x 78, 24-bit banner. Both use a small pixel font, so no imaging
library or font file is needed.
"""
import os
import struct

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


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    image = bottom_up_rows(pixels)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    with open(path, "wb") as out:
        out.write(header + bitmap_info(width, height, len(image)) + image)


def write_ico(path, pixels, transparent):
    height, width = len(pixels), len(pixels[0])
    colour = bottom_up_rows(pixels)
    mask = b""
    for row in reversed(transparent):
        bits = int("".join("1" if t else "0" for t in row), 2).to_bytes(width // 8, "big")
        mask += bits + b"\0" * (-len(bits) % 4)
    image = bitmap_info(width, height, len(colour) + len(mask), height_factor=2) + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 24, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


def draw_icon():
    pixels = canvas(32, 32, WHITE)
    for i in range(32):
        for edge in (0, 31):
            pixels[i][edge] = pixels[edge][i] = NAVY
    text(pixels, 4, 6, "Font", 1, NAVY)
    text(pixels, 1, 18, "probe", 1, NAVY)
    # Cut the corners round through the mask.
    corners = {(0, 0), (0, 1), (1, 0), (0, 30), (0, 31), (1, 31),
               (30, 0), (31, 0), (31, 1), (30, 31), (31, 30), (31, 31)}
    transparent = [[(y, x) in corners for x in range(32)] for y in range(32)]
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
    write_ico(os.path.join(assets, "Fontprobe.ico"), *draw_icon())
    write_bmp(os.path.join(assets, "logo.bmp"), draw_logo())


if __name__ == "__main__":
    main()
