#!/usr/bin/env python3
"""Draws the message box's two 32x32 16-colour icons: a white "i" on a blue octagon and a white "?" on a
red octagon, each with a white rim, on black (black is drawn in the box's colour at run time)."""
import struct, sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, WHITE, BLUE, RED = 0, 15, 12, 9

def inside_octagon(x, y, r, cut):
    cx, cy = 15.5, 15.5
    dx, dy = abs(x - cx), abs(y - cy)
    return dx <= r and dy <= r and dx + dy <= r + r - cut

I_GLYPH = [
    "......##......",
    ".....####.....",
    "......##......",
    "..............",
    "....#####.....",
    "......###.....",
    "......###.....",
    "......###.....",
    "......###.....",
    "......###.....",
    "......###.....",
    "....#######...",
]
Q_GLYPH = [
    "...######.....",
    "..###..###....",
    "..##....###...",
    "........###...",
    ".......###....",
    "......###.....",
    ".....###......",
    ".....##.......",
    ".....##.......",
    "..............",
    ".....###......",
    ".....###......",
]

def icon(fill, glyph):
    px = [[BLACK] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            if inside_octagon(x, y, 15.0, 9):
                px[y][x] = WHITE
            if inside_octagon(x, y, 13.2, 8):
                px[y][x] = fill
    gx, gy = 9, 10
    for j, row in enumerate(glyph):
        for i, c in enumerate(row):
            if c == '#':
                px[gy + j][gx + i] = WHITE
    return px

def bmp(px):
    rows = b''
    for y in reversed(range(32)):
        rows += bytes((px[y][x] << 4) | px[y][x + 1] for x in range(0, 32, 2))
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, 32, 32, 1, 4, 0, len(rows), 0, 0, 16, 16)
    off = 14 + len(info) + len(pal)
    return struct.pack('<2sIHHI', b'BM', off + len(rows), 0, 0, off) + info + pal + rows

out = sys.argv[1] if len(sys.argv) > 1 else 'res'
open(f'{out}/box_info.bmp', 'wb').write(bmp(icon(BLUE, I_GLYPH)))
open(f'{out}/box_question.bmp', 'wb').write(bmp(icon(RED, Q_GLYPH)))
