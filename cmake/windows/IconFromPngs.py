# Writes a Windows icon file holding the given PNG pictures as they are (Windows reads PNG icons).
import struct
import sys

out, pngs = sys.argv[1], sys.argv[2:]
images = [open(p, "rb").read() for p in pngs]
header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries, data = b"", b""
for image in images:
    width, height = struct.unpack(">II", image[16:24])  # the IHDR chunk
    entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), offset + len(data))
    data += image
with open(out, "wb") as f:
    f.write(header + entries + data)
