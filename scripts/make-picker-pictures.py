#!/usr/bin/env python3
"""Draws the folder picker's pictures as 16-colour BMPs: the closed and the open folder (19 x 19, yellow and
white with a black outline on pure red, which is drawn in the row's colour at run time) and the five drive
pictures (16 x 9, a grey box with a white upper-left edge on black, each with its own mark)."""
import struct, sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
K, G, D, R, L, Y, W = 0, 7, 8, 9, 10, 11, 15  # black, grey, dark grey, red, green, yellow, white
CODES = {'.': R, 'k': K, 'y': Y, 'w': W, 'g': G, 'd': D, 'l': L}

CLOSED = [
    "...................",
    "...................",
    "...................",
    "..kkkkk............",
    ".kwwwwwk...........",
    ".kwyyyyykkkkkkkkk..",
    ".kwwwwwwwwwwwwwwyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyyyyk.",
    ".kyyyyyyyyyyyyyyyk.",
    ".kkkkkkkkkkkkkkkkk.",
    "...................",
    "...................",
]
OPEN = [
    "...................",
    "...................",
    "...................",
    "..kkkkk............",
    ".kwwwwwk...........",
    ".kwyyyyykkkkkkkk...",
    ".kwyyyyyyyyyyyyk...",
    ".kwyyyyyyyyyyyyk...",
    ".kwyyykkkkkkkkkkkkk",
    ".kwyykwwwwwwwwwwwwk",
    ".kwykwyyyyyyyyyyyk.",
    ".kwykwyyyyyyyyyyyk.",
    ".kykwyyyyyyyyyyyk..",
    ".kykwyyyyyyyyyyyk..",
    ".kkwyyyyyyyyyyyk...",
    ".kkyyyyyyyyyyyyk...",
    ".kkkkkkkkkkkkkkk...",
    "...................",
    "...................",
]

def drive(marks):
    rows = [["k"] * 16 for _ in range(9)]
    for y in range(1, 8):
        for x in range(1, 15):
            rows[y][x] = 'w' if (y == 1 or x == 1) else 'g'
    for x, y, c in marks:
        rows[y][x] = c
    return ["".join(r) for r in rows]

def line(x0, x1, y, c):
    return [(x, y, c) for x in range(x0, x1 + 1)]

FLOPPY = drive(line(4, 11, 4, 'k') + line(4, 11, 5, 'd'))            # the diskette slot
FIXED = drive(line(3, 9, 5, 'd') + [(12, 5, 'l'), (13, 5, 'l')])      # the disk line and its lamp
NETWORK = drive(line(3, 8, 4, 'k') + [(10, 3, 'k'), (10, 5, 'k'), (11, 3, 'k'), (11, 4, 'k'), (11, 5, 'k'),
                                      (12, 4, 'k'), (13, 4, 'k')])   # a cable and its plug
CDROM = drive([(x, y, 'w') for x in range(6, 10) for y in range(3, 7)] +
              [(7, 4, 'k'), (8, 4, 'k'), (7, 5, 'k'), (8, 5, 'k')] + line(3, 12, 7, 'd'))  # a disc
RAM = drive([(x, y, 'k') for x0 in (3, 7, 11) for x in (x0, x0 + 1) for y in (3, 4, 5)])  # memory chips

def bmp(art):
    h, w = len(art), len(art[0])
    assert all(len(r) == w for r in art)
    stride = ((w + 1) // 2 + 3) // 4 * 4
    rows = b''
    for row in reversed(art):
        px = [CODES[c] for c in row] + [0]
        data = bytes((px[x] << 4) | px[x + 1] for x in range(0, w, 2))
        rows += data + b'\0' * (stride - len(data))
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(rows), 0, 0, 16, 16)
    off = 14 + len(info) + len(pal)
    return struct.pack('<2sIHHI', b'BM', off + len(rows), 0, 0, off) + info + pal + rows

out = sys.argv[1] if len(sys.argv) > 1 else 'res'
for name, art in [('folder_closed', CLOSED), ('folder_open', OPEN), ('drive_floppy', FLOPPY),
                  ('drive_fixed', FIXED), ('drive_network', NETWORK), ('drive_cdrom', CDROM), ('drive_ram', RAM)]:
    open(f'{out}/{name}.bmp', 'wb').write(bmp(art))
