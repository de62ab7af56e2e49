#!/usr/bin/env python3
"""Draws the program's icon, ui/resources/zqrename.ico: a folder with a list of names and a
red arrow, at 16, 32 and 48 pixels in the 16 standard colours. Run it again after changing the
picture; the build uses the committed file."""
import struct
import sys

# The 16 colours of the standard VGA palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_YELLOW, GREY, RED, YELLOW, BLUE, WHITE = 0, 3, 8, 9, 11, 12, 15


def draw(size):
    """Returns size rows of size colour indexes, None where the icon is transparent."""
    pixels = [[None] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * size), int(y1 * size)):
            for x in range(int(x0 * size), int(x1 * size)):
                pixels[y][x] = colour

    def outlined(x0, y0, x1, y1, fill, edge):
        box(x0, y0, x1, y1, edge)
        one = 1.0 / size
        box(x0 + one, y0 + one, x1 - one, y1 - one, fill)

    outlined(0.0, 0.12, 0.44, 0.31, YELLOW, DARK_YELLOW)   # the folder's tab
    outlined(0.0, 0.25, 1.0, 0.94, YELLOW, DARK_YELLOW)    # the folder
    outlined(0.19, 0.06, 0.81, 0.69, WHITE, GREY)          # the sheet of names
    for top in (0.19, 0.31, 0.44):                         # the names on it
        box(0.31, top, 0.69, top + max(1.0 / size, 0.06), BLUE)
    outlined(0.0, 0.56, 1.0, 0.94, YELLOW, DARK_YELLOW)    # the folder's front
    # A red arrow pointing right across the front: the rename.
    box(0.19, 0.69, 0.63, 0.81, RED)
    for step in range(int(0.19 * size) + 1):
        y0 = 0.75 - (0.19 - step / size)
        y1 = 0.75 + (0.19 - step / size)
        box(0.63 + step / size, max(y0, 0.56), 0.63 + (step + 1) / size, min(y1, 0.94), RED)
    return pixels


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def image(size):
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        colours = bytearray(row_bytes(4 * size))
        mask = bytearray(row_bytes(size))
        for x, colour in enumerate(row):
            if colour is None:
                mask[x // 8] |= 0x80 >> (x % 8)
                colour = BLACK
            colours[x // 2] |= colour << (0 if x % 2 else 4)
        colour_rows.append(bytes(colours))
        mask_rows.append(bytes(mask))
    return header + palette + b''.join(colour_rows) + b''.join(mask_rows)


def main(out_path):
    sizes = (16, 32, 48)
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(sizes)
    entries = b''
    for size, data in zip(sizes, images):
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(out_path, 'wb') as out:
        out.write(struct.pack('<HHH', 0, 1, len(sizes)) + entries + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ui/resources/zqrename.ico')
