#!/usr/bin/env python3
"""Draws the banner of the version dialog, res/about.bmp (bitmap 130).

The picture is 448 x 224 pixels with a 256-colour palette (8 bits per pixel,
uncompressed, bottom-up rows), the format every Windows version shows in a
static picture control. It is drawn here from scratch with the standard
library only, so the committed file can be rebuilt byte for byte:

    python3 scripts/make-bitmap.py [output path]

Content: a blue gradient, the maker's mark (three overlapping ink circles in
cyan, magenta and yellow with "KESTRO" under them) and the program title
"PLOTARA Color Profile Setup" in a small built-in pixel font.
"""
import os
import struct
import sys

WIDTH, HEIGHT = 448, 224

# Palette: 0..127 the background gradient, the named colours from 200 up.
GRADIENT = 128
WHITE, BLACK, SHADOW, CYAN, MAGENTA, YELLOW, RED, GREEN, BLUE, INK, RULE = range(200, 211)
NAMED = {
    WHITE: (255, 255, 255),
    BLACK: (0, 0, 0),
    SHADOW: (8, 20, 48),
    CYAN: (0, 174, 239),
    MAGENTA: (236, 0, 140),
    YELLOW: (255, 242, 0),
    RED: (237, 28, 36),
    GREEN: (0, 166, 81),
    BLUE: (46, 49, 146),
    INK: (35, 31, 32),
    RULE: (150, 190, 230),
}


def palette():
    colours = [(0, 0, 0)] * 256
    top, bottom = (12, 40, 96), (40, 120, 170)
    for i in range(GRADIENT):
        t = i / (GRADIENT - 1)
        colours[i] = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    for index, rgb in NAMED.items():
        colours[index] = rgb
    return colours


# 5 x 7 glyphs, one string of five columns per row; '#' is ink.
GLYPHS = {
    ' ': ['.....'] * 7,
    'A': ['.###.', '#...#', '#...#', '#####', '#...#', '#...#', '#...#'],
    'C': ['.###.', '#...#', '#....', '#....', '#....', '#...#', '.###.'],
    'E': ['#####', '#....', '#....', '####.', '#....', '#....', '#####'],
    'K': ['#...#', '#..#.', '#.#..', '##...', '#.#..', '#..#.', '#...#'],
    'L': ['#....', '#....', '#....', '#....', '#....', '#....', '#####'],
    'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'P': ['####.', '#...#', '#...#', '####.', '#....', '#....', '#....'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    'S': ['.####', '#....', '#....', '.###.', '....#', '....#', '####.'],
    'T': ['#####', '..#..', '..#..', '..#..', '..#..', '..#..', '..#..'],
    'e': ['.....', '.....', '.###.', '#...#', '#####', '#....', '.###.'],
    'f': ['..##.', '.#..#', '.#...', '###..', '.#...', '.#...', '.#...'],
    'i': ['..#..', '.....', '.##..', '..#..', '..#..', '..#..', '.###.'],
    'l': ['.##..', '..#..', '..#..', '..#..', '..#..', '..#..', '.###.'],
    'o': ['.....', '.....', '.###.', '#...#', '#...#', '#...#', '.###.'],
    'p': ['.....', '.....', '####.', '#...#', '####.', '#....', '#....'],
    'r': ['.....', '.....', '#.##.', '##..#', '#....', '#....', '#....'],
    't': ['.#...', '.#...', '###..', '.#...', '.#...', '.#..#', '..##.'],
    'u': ['.....', '.....', '#...#', '#...#', '#...#', '#..##', '.##.#'],
}


class Canvas:
    def __init__(self):
        # Row 0 is the top row here; the writer turns it bottom-up.
        self.pixels = [[0] * WIDTH for _ in range(HEIGHT)]

    def put(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][x] = colour

    def gradient(self):
        # Diagonal, so the banner is lighter towards the lower right.
        span = WIDTH + HEIGHT - 2
        for y in range(HEIGHT):
            for x in range(WIDTH):
                self.pixels[y][x] = (x + y) * (GRADIENT - 1) // span

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def text(self, x, y, string, scale, colour, shadow=None):
        if shadow is not None:
            self.text(x + scale // 2 + 1, y + scale // 2 + 1, string, scale, shadow)
        for ch in string:
            glyph = GLYPHS[ch]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit == '#':
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, colour)
            x += 6 * scale

    @staticmethod
    def text_width(string, scale):
        return len(string) * 6 * scale - scale


def inks(canvas, cx, cy, radius):
    """Three overlapping circles; where inks overlap their mixture shows."""
    centres = {
        'c': (cx - radius * 0.55, cy - radius * 0.32),
        'm': (cx + radius * 0.55, cy - radius * 0.32),
        'y': (cx, cy + radius * 0.62),
    }
    mix = {
        'c': CYAN, 'm': MAGENTA, 'y': YELLOW,
        'cm': BLUE, 'cy': GREEN, 'my': RED, 'cmy': INK,
    }
    r2 = radius * radius
    for y in range(int(cy - 2 * radius), int(cy + 2 * radius) + 1):
        for x in range(int(cx - 2 * radius), int(cx + 2 * radius) + 1):
            hit = ''.join(k for k, (px, py) in centres.items()
                          if (x - px) ** 2 + (y - py) ** 2 <= r2)
            if hit:
                canvas.put(x, y, mix[hit])


def draw():
    canvas = Canvas()
    canvas.gradient()

    # Everything of note stays within the left 380 pixels: where the dialog
    # font is narrower than the one the layout was made for, the dialog is
    # narrower than the picture and cuts off its right-hand part.

    # Maker's mark on the left.
    inks(canvas, 66, 92, 32)
    canvas.text(66 - Canvas.text_width('KESTRO', 2) // 2, 158, 'KESTRO', 2, WHITE, SHADOW)

    # Title on the right: the product name large, the tool's name below.
    left = 140
    canvas.text(left, 58, 'PLOTARA', 5, WHITE, SHADOW)
    canvas.rect(left, 104, left + Canvas.text_width('PLOTARA', 5), 106, RULE)
    canvas.text(left, 118, 'Color Profile', 3, WHITE, SHADOW)
    canvas.text(left, 148, 'Setup', 3, WHITE, SHADOW)

    # A thin band along the bottom edge closes the picture off.
    canvas.rect(0, HEIGHT - 6, WIDTH, HEIGHT, SHADOW)
    return canvas


def bmp_bytes(canvas):
    colours = palette()
    stride = (WIDTH + 3) & ~3
    image = bytearray()
    for row in reversed(canvas.pixels):
        image += bytes(row) + b'\0' * (stride - WIDTH)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    # 2835 pixels per metre = 72 dpi; 256 colours used, all important.
    info_header = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 8, 0,
                              len(image), 2835, 2835, 256, 0)
    return file_header + info_header + table + bytes(image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res', 'about.bmp')
    with open(out, 'wb') as f:
        f.write(bmp_bytes(draw()))


if __name__ == '__main__':
    main()
