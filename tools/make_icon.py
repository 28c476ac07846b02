#!/usr/bin/env python3
"""Draws the program's icon, IDI_ICON1: 32 by 32 pixels in the 16 standard colours, a box being
unpacked with a coffee-brown "Q" on it. Writes src/resources/qivstart.ico; run it again after a change."""
import os
import struct

# The 16 colours of the standard Windows palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, SILVER, GREY, YELLOW, WHITE = 0, 1, 4, 7, 8, 11, 15
SIZE = 32


def draw():
    pixels = [[None] * SIZE for _ in range(SIZE)]  # None: transparent

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    # The open box: a yellow front with a dark outline and two flaps.
    fill(4, 12, 27, 29, BLACK)
    fill(5, 13, 26, 28, YELLOW)
    for i in range(6):
        fill(4 - i // 2, 11 - i, 10 - i // 2, 11 - i, GREY)
        fill(21 + i // 2, 11 - i, 27 + i // 2, 11 - i, GREY)
    fill(5, 13, 26, 14, SILVER)
    # The "Q": a ring with a tail, in maroon.
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x - 15.5, y - 21.0
            if 12.0 <= dx * dx + dy * dy <= 30.0:
                pixels[y][x] = MAROON
    for i in range(4):
        pixels[24 + i][18 + i] = MAROON
        pixels[24 + i][19 + i] = MAROON
    # A navy arrow above the box: something comes out of it.
    fill(15, 1, 16, 8, NAVY)
    for i in range(4):
        fill(15 - i, 1 + i, 16 + i, 1 + i, NAVY)
    return pixels


def icon_bytes(pixels):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, SIZE * SIZE // 2 + SIZE * 4, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = pixels[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(__file__), "..", "src", "resources", "qivstart.ico")
    with open(target, "wb") as out:
        out.write(icon_bytes(draw()))
