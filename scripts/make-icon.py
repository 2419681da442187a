#!/usr/bin/env python3
"""Draws the program icon (a monitor whose screen is covered in black, with a pale moon) into res/obsc32.ico."""
import struct, sys

def pixel(x, y, n):
    s = n / 32.0
    fx, fy = (x + 0.5) / s, (y + 0.5) / s          # in 32-unit design space
    if 2 <= fx < 30 and 3 <= fy < 24:              # monitor case
        if 4 <= fx < 28 and 5 <= fy < 22:          # the covered screen
            dx, dy = fx - 20, fy - 11
            dx2, dy2 = fx - 22.5, fy - 9.5
            if dx * dx + dy * dy < 16 and dx2 * dx2 + dy2 * dy2 >= 12:
                return (0x70, 0xE0, 0xF8, 255)     # moon (B, G, R, A)
            return (0, 0, 0, 255)
        return (0xA0, 0xA0, 0xA0, 255)
    if 13 <= fx < 19 and 24 <= fy < 27:            # stand
        return (0x80, 0x80, 0x80, 255)
    if 8 <= fx < 24 and 27 <= fy < 29:             # foot
        return (0x80, 0x80, 0x80, 255)
    return (0, 0, 0, 0)

def image(n):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(pixel(x, y, n)) for y in reversed(range(n)) for x in range(n))
    row = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(n)):
        bits = bytearray(row)
        for x in range(n):
            if pixel(x, y, n)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)

sizes = [32, 16]
images = [image(n) for n in sizes]
out = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for n, data in zip(sizes, images):
    out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
open(sys.argv[1] if len(sys.argv) > 1 else 'res/obsc32.ico', 'wb').write(out)
