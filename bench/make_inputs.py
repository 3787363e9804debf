#!/usr/bin/python3
"""Makes the benchmark's pictures, the same bytes on every run (no random generator: the
"noise" is an integer hash of the pixel position, so the pictures do not depend on a
library's random number algorithm).

  make_inputs.py --out DIR [--only NAME,NAME...] [--list]

  logo_alpha.png  576 x 240 RGBA: a receipt logo with anti-aliased edges on a transparent
                  background (fully transparent pixels keep RGB 0, as a drawing program
                  saves them)
  logo.png        the same laid over white paper, RGB, with the exact rounding plovan-cli
                  uses (c a + 255 (255 - a) + 127) div 255: the opaque twin the peers read
                  (they keep the stored colour of a transparent pixel), so plovan-cli on
                  logo_alpha.png and every peer on logo.png must write the same text
  photo.jpg       4000 x 3000 JPEG quality 90: gradients, soft blobs, hard shapes, noise
  large.png       8192 x 8192 RGB PNG: gradients, flat shapes, strokes, a noisy band
  huge.png        16384 x 16384 RGB PNG: the same kind of picture, bigger
  giant.png       32767 x 32767 grey PNG (not made unless asked for by --only giant)

A picture that already exists with the size it should have is kept.
"""
import argparse
import os
import sys
import time

import numpy as np
from PIL import Image, ImageDraw

Image.MAX_IMAGE_PIXELS = None  # Pillow's guard against decompression bombs: ours are meant

SIZES = {
    "logo_alpha": (576, 240), "logo": (576, 240), "photo": (4000, 3000),
    "large": (8192, 8192), "huge": (16384, 16384), "giant": (32767, 32767),
}
FILES = {"photo": "photo.jpg"}


def file_name(name):
    return FILES.get(name, name + ".png")


def hash_noise(ys, xs):
    """A byte per position from an integer hash of (x, y): fixed by arithmetic alone."""
    h = (xs.astype(np.uint32) * np.uint32(73856093)) ^ (ys.astype(np.uint32) * np.uint32(19349663))
    h ^= h >> np.uint32(13)
    h *= np.uint32(0x5BD1E995)
    h ^= h >> np.uint32(15)
    return (h & np.uint32(0xFF)).astype(np.uint8)


def draw_logo_rgba():
    """The logo drawn 4x larger with hard edges, then box-filtered down: every edge pixel
    gets a partial alpha, as in a logo exported from a drawing program."""
    scale = 4
    w, h = SIZES["logo_alpha"]
    big = Image.new("RGBA", (w * scale, h * scale), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    s = scale
    # a round badge with a ring and a dark core
    d.ellipse((12 * s, 12 * s, 228 * s, 228 * s), fill=(20, 40, 120, 255))
    d.ellipse((36 * s, 36 * s, 204 * s, 204 * s), fill=(250, 250, 250, 255))
    d.ellipse((60 * s, 60 * s, 180 * s, 180 * s), fill=(200, 30, 30, 255))
    d.polygon([(120 * s, 70 * s), (170 * s, 160 * s), (70 * s, 160 * s)], fill=(255, 220, 0, 255))
    # letter-like strokes: slanted bars and arcs, the shapes a word mark is made of
    for i in range(6):
        x0 = 260 + i * 50
        d.line([(x0 * s, 40 * s), ((x0 + 24) * s, 150 * s)], fill=(10, 10, 10, 255), width=9 * s)
        d.arc(((x0 - 6) * s, 90 * s, (x0 + 40) * s, 150 * s), 20, 300, fill=(60, 60, 60, 255), width=6 * s)
    # a grey ramp (every threshold cuts it somewhere) and half-transparent dots
    for i in range(64):
        g = i * 4
        d.rectangle(((260 + i * 4) * s, 175 * s, (264 + i * 4) * s - 1, 200 * s), fill=(g, g, g, 255))
    for i in range(10):
        d.ellipse(((262 + i * 28) * s, 208 * s, (284 + i * 28) * s, 230 * s),
                  fill=(30 * i, 255 - 25 * i, 128, 80 + 17 * i))
    return big.resize((w, h), Image.BOX)


def over_white(rgba):
    """RGBA (not premultiplied) over white, rounded as plovan-cli rounds."""
    a = rgba[..., 3:4].astype(np.uint32)
    c = rgba[..., :3].astype(np.uint32)
    return ((c * a + 255 * (255 - a) + 127) // 255).astype(np.uint8)


def scene(h, w, full_h, y0=0, grey=False):
    """Rows y0 .. y0+h of a w x full_h test scene: smooth gradients, flat rectangles, dark
    strokes and rings, and a band of noise (what PNG does not compress)."""
    ys, xs = np.mgrid[y0:y0 + h, 0:w]
    r = (xs * 255 // max(1, w - 1)).astype(np.uint8)
    g = (ys * 255 // max(1, full_h - 1)).astype(np.uint8)
    b = ((xs + ys) * 255 // max(1, w + full_h - 2)).astype(np.uint8)
    cell = max(64, w // 24)
    flat = ((xs // cell) + (ys // cell)) % 5 == 0
    r[flat], g[flat], b[flat] = 30, 60, 150
    stroke = ((xs - ys) % (cell * 3)) < max(3, cell // 16)
    r[stroke], g[stroke], b[stroke] = 5, 5, 5
    cx, cy = w // 2, full_h // 2
    ring = (((xs - cx) ** 2 + (ys - cy) ** 2) // (cell * cell // 2)) % 7 == 0
    r[ring], g[ring], b[ring] = 240, 240, 240
    band = (ys // max(8, full_h // 32)) % 9 == 4
    noise = hash_noise(ys, xs)
    r[band] = noise[band]
    g[band] = (noise[band] // 2 + 64)
    if grey:
        return ((r.astype(np.uint16) + g + b) // 3).astype(np.uint8)
    return np.dstack([r, g, b])


def big_picture(name):
    w, h = SIZES[name]
    grey = name == "giant"
    out = np.empty((h, w) if grey else (h, w, 3), np.uint8)
    step = 1024
    for y0 in range(0, h, step):
        n = min(step, h - y0)
        out[y0:y0 + n] = scene(n, w, h, y0, grey)
    return out


def photo():
    """Photo-like: the scene with soft blobs laid over it and fine noise everywhere."""
    w, h = SIZES["photo"]
    px = scene(h, w, h).astype(np.int16)
    ys, xs = np.arange(h, dtype=np.float32), np.arange(w, dtype=np.float32)
    for i in range(12):
        cx, cy = (i * 997) % w, (i * 613) % h
        rad = 150 + (i * 131) % 500
        # a round Gaussian is the product of one along x and one along y
        blob = np.outer(np.exp(-((ys - cy) / rad) ** 2), np.exp(-((xs - cx) / rad) ** 2))
        px[..., i % 3] += (blob * (90 if i % 2 else -90)).astype(np.int16)
    yy, xx = np.mgrid[0:h, 0:w]
    px += (hash_noise(yy, xx).astype(np.int16) % 17 - 8)[..., None]
    return np.clip(px, 0, 255).astype(np.uint8)


def make(name, out_dir):
    path = os.path.join(out_dir, file_name(name))
    if os.path.exists(path):
        try:
            with Image.open(path) as im:
                if im.size == SIZES[name]:
                    return path, False
        except OSError:
            pass
    tmp = path + ".part" + os.path.splitext(path)[1]
    if name == "logo_alpha":
        draw_logo_rgba().save(tmp)
    elif name == "logo":
        rgba = np.asarray(draw_logo_rgba())
        Image.fromarray(over_white(rgba), "RGB").save(tmp)
    elif name == "photo":
        Image.fromarray(photo(), "RGB").save(tmp, quality=90)
    else:
        pixels = big_picture(name)
        Image.fromarray(pixels, "L" if pixels.ndim == 2 else "RGB").save(tmp, compress_level=6)
        del pixels
    os.replace(tmp, path)
    return path, True


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", required=True)
    ap.add_argument("--only", default="logo_alpha,logo,photo,large,huge")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name in args.only.split(","):
        if name not in SIZES:
            sys.exit(f"unknown picture {name!r}; known: {', '.join(SIZES)}")
        t0 = time.perf_counter()
        path, made = make(name, args.out)
        if made:
            print(f"made {path} ({os.path.getsize(path) / 1e6:.1f} MB) in {time.perf_counter() - t0:.1f} s",
                  flush=True)


if __name__ == "__main__":
    main()
