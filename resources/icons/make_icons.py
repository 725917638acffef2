#!/usr/bin/env python3
"""Draws Зорнет's icon, a small window with a coloured title bar and a division sign, and writes
every file made from it: the Windows .ico with its three images (32x32 in 2 colours, 32x32 in
16 colours, 16x16 in 16 colours), the PNG sizes a Linux desktop and an app store ask for, the SVG, and raw RGBA
pixels of the window icon's sizes, which the program takes without decoding anything.

Run it from this folder after changing the drawing; the build uses the files it writes.
"""
import struct
import zlib

# The drawing, on a 32-unit grid: (left, top, right, bottom) rectangles, later ones on top.
TRANSPARENT = None
FRAME = (0, 0, 0)
TITLE = (0, 0, 128)
BUTTON = (192, 192, 192)
BODY = (255, 255, 255)
SIGN = (0, 0, 128)

SHAPES = [
    ((2, 4, 30, 28), FRAME),
    ((3, 5, 29, 10), TITLE),
    ((24, 6, 28, 9), BUTTON),
    ((3, 10, 29, 27), BODY),
    ((8, 18, 24, 20), SIGN),   # the bar of ÷
    ((14, 12, 18, 16), SIGN),  # its upper dot
    ((14, 22, 18, 26), SIGN),  # its lower dot
]

# The standard 16-colour palette; every colour of the drawing is in it.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def render(size):
    """Pixel colours of the drawing at size x size, rows top to bottom."""
    scale = size / 32
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for (left, top, right, bottom), colour in SHAPES:
        for y in range(round(top * scale), round(bottom * scale)):
            for x in range(round(left * scale), round(right * scale)):
                pixels[y][x] = colour
    return pixels


def monochrome(colour):
    """The 2-colour image: black for the frame, the title bar and the sign, white for the rest."""
    return 1 if colour in (BODY, BUTTON) else 0


def ico_image(size, bits):
    pixels = render(size)
    palette = [(0, 0, 0), (255, 255, 255)] if bits == 1 else VGA16
    stride = ((size * bits + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        line, mask_line = bytearray(stride), bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is TRANSPARENT:
                index = 0
                mask_line[x // 8] |= 0x80 >> (x % 8)
            else:
                index = monochrome(colour) if bits == 1 else VGA16.index(colour)
            if bits == 1:
                line[x // 8] |= index << (7 - x % 8)
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
        mask += mask_line
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                         len(palette), 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + colours + bytes(xor) + bytes(mask)


def write_ico(path):
    images = [(32, 1), (32, 4), (16, 4)]
    blobs = [ico_image(size, bits) for size, bits in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    for (size, bits), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', size, size, 1 << bits, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


def rgba_rows(size):
    for row in render(size):
        yield b''.join(bytes((0, 0, 0, 0)) if colour is TRANSPARENT else bytes(colour + (255,)) for colour in row)


def write_rgba(path, size):
    with open(path, 'wb') as f:
        f.write(b''.join(rgba_rows(size)))


def write_png(path, size):
    raw = bytearray()
    for row in rgba_rows(size):
        raw.append(0)
        raw += row

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def write_svg(path):
    rects = ''.join(
        f'  <rect x="{l}" y="{t}" width="{r - l}" height="{b - t}" fill="#{c[0]:02x}{c[1]:02x}{c[2]:02x}"/>\n'
        for (l, t, r, b), c in SHAPES)
    with open(path, 'w') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" '
                'shape-rendering="crispEdges">\n' + rects + '</svg>\n')


if __name__ == '__main__':
    write_ico('zornet.ico')
    # 512: the icon that managed Google Play asks of a web app.
    for size in (16, 32, 48, 64, 128, 256, 512):
        write_png(f'zornet-{size}.png', size)
    write_svg('zornet.svg')
    for size in (16, 32, 48):
        write_rgba(f'zornet-{size}.rgba', size)
