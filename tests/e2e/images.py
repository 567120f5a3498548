"""Pictures as the e2e checks compare them: screenshots (PPM) and the
committed bitmaps (BMP) decoded to 24-bit RGB, and the tile bitmaps found
whole on a screenshot."""

import os
import struct
import zlib

from waiting import check


class Image:
    """24-bit RGB picture, rows top to bottom."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def row(self, x, y, n):
        start = (y * self.width + x) * 3
        return self.data[start:start + n * 3]

    def pixel(self, x, y):
        return tuple(self.row(x, y, 1))

    def crop(self, x, y, w, h):
        return Image(w, h, b"".join(self.row(x, y + r, w) for r in range(h)))

    def save_png(self, path):
        raw = b"".join(b"\0" + self.data[r * self.width * 3:(r + 1) * self.width * 3] for r in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            f.write(chunk(b"IEND", b""))


def parse_ppm(blob):
    tokens, pos = [], 0
    while len(tokens) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        tokens.append(blob[pos:end])
        pos = end
    check(tokens[0] == b"P6" and tokens[3] == b"255", "screenshot is not an 8-bit PPM")
    width, height = int(tokens[1]), int(tokens[2])
    data = blob[pos + 1:pos + 1 + width * height * 3]
    check(len(data) == width * height * 3, "screenshot is truncated")
    return Image(width, height, data)


def load_bmp(path):
    with open(path, "rb") as f:
        blob = f.read()
    check(blob[:2] == b"BM", f"{path} is not a BMP")
    offset = struct.unpack_from("<I", blob, 10)[0]
    header = struct.unpack_from("<I", blob, 14)[0]
    width, height, _, bpp, compression, _, _, _, colours = struct.unpack_from("<iiHHIIiiI", blob, 18)
    check(compression == 0 and bpp in (4, 8, 24), f"{path}: unsupported BMP ({bpp} bpp, compression {compression})")
    palette = []
    if bpp <= 8:
        colours = colours or (1 << bpp)
        base = 14 + header
        palette = [bytes((blob[base + 4 * i + 2], blob[base + 4 * i + 1], blob[base + 4 * i])) for i in range(colours)]
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for r in range(abs(height)):
        src = offset + (abs(height) - 1 - r if height > 0 else r) * stride
        line = blob[src:src + stride]
        if bpp == 24:
            out = b"".join(bytes((line[3 * x + 2], line[3 * x + 1], line[3 * x])) for x in range(width))
        elif bpp == 8:
            out = b"".join(palette[line[x]] for x in range(width))
        else:
            out = b"".join(palette[(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15] for x in range(width))
        rows.append(out)
    return Image(width, abs(height), b"".join(rows))


def distinct_key_row(bmp):
    """The bitmap row with the most colour changes: the best one to search for."""
    best, best_changes = 0, -1
    for r in range(bmp.height):
        line = bmp.row(0, r, bmp.width)
        changes = sum(1 for x in range(1, bmp.width) if line[3 * x:3 * x + 3] != line[3 * x - 3:3 * x])
        if changes > best_changes:
            best, best_changes = r, changes
    return best


def region_matches(shot, bmp, x, y, w=None, h=None):
    """True when the shot shows the bitmap's top-left w x h part, unchanged, at (x, y)."""
    w = bmp.width if w is None else w
    h = bmp.height if h is None else h
    if x < 0 or y < 0 or x + w > shot.width or y + h > shot.height:
        return False
    return all(shot.row(x, y + r, w) == bmp.row(0, r, w) for r in range(h))


class Bitmaps:
    """The 36 committed tile bitmaps, keyed (tile, layer), each cut to the tile
    box's inner area as the box shows it: `inner` pixels square (a box of 2800
    twips is 187 px with a 1-px border)."""

    def __init__(self, directory, inner):
        self.tiles = {}
        for t in range(9):
            for k in range(1, 5):
                bmp = load_bmp(os.path.join(directory, f"tile-{t}-{k}.bmp"))
                self.tiles[(t, k)] = bmp.crop(0, 0, min(bmp.width, inner), min(bmp.height, inner))
        self.keys = {key: distinct_key_row(bmp) for key, bmp in self.tiles.items()}
        seen = {}
        for key, bmp in self.tiles.items():
            check(bmp.data not in seen, f"bitmaps {seen.get(bmp.data)} and {key} are identical: tiles cannot be told apart")
            seen[bmp.data] = key

    def locate(self, shot, key):
        """Every place where the bitmap shows whole and unchanged."""
        bmp, r = self.tiles[key], self.keys[key]
        needle = bmp.row(0, r, bmp.width)
        found, pos = [], shot.data.find(needle)
        while pos >= 0:
            if pos % 3 == 0:
                x, y = (pos // 3) % shot.width, (pos // 3) // shot.width - r
                if x + bmp.width <= shot.width and region_matches(shot, bmp, x, y):
                    found.append((x, y))
            pos = shot.data.find(needle, pos + 1)
        return found

    def board(self, shot):
        """{(tile, layer): [(x, y), ...]} for every tile bitmap that shows whole."""
        return {key: at for key in self.tiles if (at := self.locate(shot, key))}
