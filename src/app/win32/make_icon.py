#!/usr/bin/env python3
"""Draws the program icon (a handset-style controller with signal bars and
an alarm lamp) at 16x16 and 32x32 and writes gsmconfig.ico next to this
script. Run it again after changing the drawing; the .ico is committed."""
import os
import struct


def draw(n):
    s = n / 32.0
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < n and 0 <= y < n:
                    px[y][x] = c

    def disc(cx, cy, r, c):
        for y in range(n):
            for x in range(n):
                if ((x + 0.5) / s - cx) ** 2 + ((y + 0.5) / s - cy) ** 2 <= r * r:
                    px[y][x] = c

    dark = (40, 40, 48, 255)
    body = (52, 96, 170, 255)
    screen = (190, 230, 200, 255)
    white = (245, 245, 245, 255)
    red = (220, 30, 30, 255)
    # antenna and case
    rect(21, 1, 24, 8, dark)
    rect(6, 6, 26, 31, dark)
    rect(7, 7, 25, 30, body)
    # display with signal bars
    rect(9, 9, 23, 17, screen)
    for i, h in enumerate((2, 4, 6)):
        rect(11 + 3 * i, 16 - h, 13 + 3 * i, 16, dark)
    # keypad
    for r in range(3):
        for c in range(3):
            rect(9 + 5 * c, 19 + 3 * r, 12 + 5 * c, 21 + 3 * r, white)
    # alarm lamp
    disc(25, 25, 6, dark)
    disc(25, 25, 5, red)
    return px


def icon_image(n):
    px = draw(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(struct.pack('BBBB', b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def main():
    sizes = (16, 32)
    images = [icon_image(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'gsmconfig.ico'), 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
