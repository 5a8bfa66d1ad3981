#!/usr/bin/env python3
"""Build mainicon.ico, hand.cur and help.bmp from the text art in resources/art.

Usage: python3 scripts/make_resources.py --out DIR [--art DIR]

The art format is described at the top of each file in resources/art.
Nothing here depends on time or locale, so every run writes the same bytes.
"""
import argparse
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_ART = os.path.join(HERE, "..", "resources", "art")

# Standard Windows/VGA 16-colour palette, in palette-index order.
VGA = [
    ("black", (0, 0, 0)), ("maroon", (128, 0, 0)), ("green", (0, 128, 0)),
    ("olive", (128, 128, 0)), ("navy", (0, 0, 128)), ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)), ("silver", (192, 192, 192)), ("gray", (128, 128, 128)),
    ("red", (255, 0, 0)), ("lime", (0, 255, 0)), ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)), ("fuchsia", (255, 0, 255)), ("aqua", (0, 255, 255)),
    ("white", (255, 255, 255)),
]
VGA_INDEX = {name: i for i, (name, _) in enumerate(VGA)}
TRANSPARENT = None  # pixel value for "transparent"
KEYWORDS = ("colour", "hotspot", "image")


class ArtError(Exception):
    pass


def parse_art(path):
    """Return (images, hotspot); each image is a list of rows of palette indexes or None."""
    legend, images, hotspot, rows, width, want = {}, [], None, None, 0, 0
    where = os.path.normpath(path)
    try:
        with open(path, encoding="ascii") as f:
            lines = f.read().splitlines()
    except (OSError, UnicodeDecodeError) as e:
        raise ArtError("%s: cannot read: %s" % (where, e))
    for no, line in enumerate(lines, 1):
        at = "%s:%d" % (where, no)
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        words = line.split()
        if rows is not None and len(rows) < want:
            if words[0] in KEYWORDS:
                raise ArtError("%s: image has %d rows, expected %d" % (at, len(rows), want))
            if len(line) != width:
                raise ArtError("%s: row is %d characters wide, expected %d"
                               % (at, len(line), width))
            bad = [c for c in line if c not in legend]
            if bad:
                raise ArtError("%s: unknown palette character %r" % (at, bad[0]))
            rows.append([legend[c] for c in line])
            continue
        if rows is not None and words[0] not in KEYWORDS:
            raise ArtError("%s: image already has its %d rows, found another" % (at, want))
        if words[0] == "colour" and len(words) == 3 and len(words[1]) == 1 and words[1] != "#":
            name = words[2].lower()
            if words[1] in legend:
                raise ArtError("%s: palette character %r is defined twice" % (at, words[1]))
            if name != "transparent" and name not in VGA_INDEX:
                raise ArtError("%s: unknown colour name %r" % (at, words[2]))
            legend[words[1]] = TRANSPARENT if name == "transparent" else VGA_INDEX[name]
        elif words[0] == "hotspot" and len(words) == 3 and all(w.isdigit() for w in words[1:]):
            hotspot = (int(words[1]), int(words[2]))
        elif words[0] == "image" and len(words) == 3 and all(w.isdigit() for w in words[1:]):
            width, want = int(words[1]), int(words[2])
            if not (1 <= width <= 256 and 1 <= want <= 256):
                raise ArtError("%s: image size must be 1..256" % at)
            rows = []
            images.append(rows)
        else:
            raise ArtError("%s: cannot understand %r" % (at, line.strip()))
    if rows is not None and len(rows) < want:
        raise ArtError("%s: last image has %d rows, expected %d" % (where, len(rows), want))
    return images, hotspot


def check(name, images, hotspot, sizes, colours=None, transparent=True, cursor=False):
    got = [(len(img[0]) if img else 0, len(img)) for img in images]
    if got != sizes:
        raise ArtError("%s: images are %s, expected %s" % (name, got, sizes))
    for img in images:
        used = {p for row in img for p in row}
        if not transparent and TRANSPARENT in used:
            raise ArtError("%s: transparency is not allowed here" % name)
        if colours is not None and not used <= set(colours) | {TRANSPARENT}:
            raise ArtError("%s: only %s may be used" % (name, ", ".join(VGA[c][0] for c in colours)))
    if cursor:
        if hotspot is None:
            raise ArtError("%s: a cursor needs a 'hotspot X Y' line" % name)
        x, y = hotspot
        w, h = sizes[0]
        if x >= w or y >= h or images[0][y][x] is TRANSPARENT:
            raise ArtError("%s: hotspot %s is not on a visible pixel" % (name, hotspot))
    elif hotspot is not None:
        raise ArtError("%s: only a cursor may have a hotspot" % name)


def pack_rows(rows, bpp):
    """Pack pixel rows bottom-up, MSB first, each row padded to 4 bytes."""
    per = 8 // bpp
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for i in range(0, len(row), per):
            byte = 0
            for j, v in enumerate(row[i:i + per]):
                byte |= v << (8 - bpp * (j + 1))
            line.append(byte)
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def dib(img, bpp, palette, with_mask):
    """BITMAPINFOHEADER + palette + XOR pixels (+ AND mask for icons and cursors)."""
    w, h = len(img[0]), len(img)
    data = pack_rows([[0 if p is TRANSPARENT else p for p in row] for row in img], bpp)
    if with_mask:
        data += pack_rows([[1 if p is TRANSPARENT else 0 for p in row] for row in img], 1)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2 if with_mask else h, 1, bpp, 0,
                         len(data), 0, 0, 0 if with_mask else len(palette), 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + data


def icon_dir(kind, entries):
    """ICONDIR + ICONDIRENTRYs + images. entries: (w, h, colours, field1, field2, data);
    field1/field2 are planes/bitcount for icons and hotspot x/y for cursors."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, colours, f1, f2, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2, len(data), offset)
        offset += len(data)
    return out + b"".join(e[-1] for e in entries)


def build(art_dir):
    def load(name):
        return parse_art(os.path.join(art_dir, name))

    vga = [rgb for _, rgb in VGA]
    outputs = {}

    images, hot = load("mainicon.txt")
    check("mainicon.txt", images, hot, [(32, 32), (16, 16)])
    outputs["mainicon.ico"] = icon_dir(1, [
        (len(img[0]), len(img), 16, 1, 4, dib(img, 4, vga, True)) for img in images])

    images, hot = load("hand.txt")
    black, white = VGA_INDEX["black"], VGA_INDEX["white"]
    check("hand.txt", images, hot, [(32, 32)], colours=[black, white], cursor=True)
    # A 1-bit cursor palette is just black (0) and white (1).
    mono = [[None if p is TRANSPARENT else int(p == white) for p in row] for row in images[0]]
    outputs["hand.cur"] = icon_dir(2, [
        (32, 32, 2, hot[0], hot[1], dib(mono, 1, [vga[black], vga[white]], True))])

    images, hot = load("help.txt")
    check("help.txt", images, hot, [(16, 16)], transparent=False)
    bits = dib(images[0], 4, vga, False)
    outputs["help.bmp"] = struct.pack("<2sIHHI", b"BM", 14 + len(bits), 0, 0,
                                      14 + 40 + 4 * len(vga)) + bits
    return outputs


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True, help="directory to write the files into")
    ap.add_argument("--art", default=DEFAULT_ART, help="directory holding the art sources")
    args = ap.parse_args()
    try:
        outputs = build(args.art)  # everything is validated before anything is written
    except ArtError as e:
        sys.exit("make_resources: error: %s" % e)
    try:
        os.makedirs(args.out, exist_ok=True)
        for name, data in sorted(outputs.items()):
            with open(os.path.join(args.out, name), "wb") as f:
                f.write(data)
    except OSError as e:
        sys.exit("make_resources: error: cannot write output: %s" % e)


if __name__ == "__main__":
    main()
