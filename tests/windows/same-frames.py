# Compares the Windows game's first frames (frame-K.bmp, 24-bit bottom-up, as the game writes them)
# with the headless desktop game's (frame-K.png, 8-bit RGB or RGBA, as the sim writes them), pixel for
# pixel. Usage: same-frames.py WINDOWS_FOLDER NATIVE_FOLDER COUNT. Status 1 with the first difference.
import struct
import sys
import zlib


def png_pixels(path):
    data = open(path, "rb").read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise SystemExit(f"{path}: not an 8-bit RGB picture")
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        rows.append(bytes(line) if channels == 3 else bytes(v for x in range(width) for v in line[x * 4:x * 4 + 3]))
    return width, height, rows


def bmp_pixels(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(f"{path}: not a BMP file")
    offset, = struct.unpack("<I", data[10:14])
    width, height, _, bits = struct.unpack("<iiHH", data[18:30])
    if bits != 24:
        raise SystemExit(f"{path}: not a 24-bit BMP file")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        line = data[offset + source * stride:offset + source * stride + width * 3]
        rows.append(bytes(v for x in range(width) for v in (line[x * 3 + 2], line[x * 3 + 1], line[x * 3])))
    return width, abs(height), rows


windows, native, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
for frame in range(1, count + 1):
    w = bmp_pixels(f"{windows}/frame-{frame}.bmp")
    n = png_pixels(f"{native}/frame-{frame}.png")
    if w[:2] != n[:2]:
        raise SystemExit(f"frame {frame}: {w[0]}x{w[1]} on Windows, {n[0]}x{n[1]} on the desktop")
    for y, (a, b) in enumerate(zip(w[2], n[2])):
        if a != b:
            x = next(i for i in range(len(a)) if a[i] != b[i]) // 3
            raise SystemExit(f"frame {frame}: the pixel at {x},{y} is #{a[x*3:x*3+3].hex()} on Windows, "
                             f"#{b[x*3:x*3+3].hex()} on the desktop")
print(f"same-frames: the first {count} frames are the desktop's, pixel for pixel")
