#!/usr/bin/env python3
"""How close each halftone looks to its grey picture once printed by a head whose dots
spread: the same photographs and eye filter as halftone_quality.py, but every method's
dots are first printed under the round-dot model with dot gain R (plovan-cli --simulate:
8 x 8 pixels a dot, each black dot a disc of 8 x sqrt2 x R pixels across), and the print
is averaged back to one level a dot before it is scored. Plovan's halftones are scored
with and without --dot-gain R (with it they allow for the spread); the peers' dots are
printed the same way.

  /usr/bin/python3 bench/printed_quality.py --cli build/plovan-cli --work build/printed-quality [--gain 1.2]
"""
import argparse
import os
import re
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import halftone_quality as hq  # noqa: E402

METHODS = ["floyd-steinberg", "jarvis", "stucki", "sierra", "ordered", "blue-noise", "clustered"]


def printed(cli, arguments, picture_png, work, shape):
    """The picture as printed, one level a dot: plovan-cli's simulation averaged over each
    dot's 8 x 8 pixels."""
    sim = os.path.join(work, "sim.png")
    hq.run([cli, "--threshold", str(hq.THRESHOLD), *arguments, "--output", os.path.join(work, "sim.txt"),
            "--simulate", sim, picture_png])
    pixels = np.asarray(Image.open(sim).convert("L"), dtype=np.float64)
    h, w = shape
    if pixels.shape != (8 * h, 8 * w):
        sys.exit(f"printed_quality: {sim} is {pixels.shape[1]}x{pixels.shape[0]}, not {8 * w}x{8 * h}")
    return pixels.reshape(h, 8, w, 8).mean(axis=(1, 3))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cli", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--gain", default="1.2", help="the printer's dot gain R (default 1.2)")
    args = ap.parse_args()
    cli = os.path.abspath(args.cli)
    import skimage
    data = os.path.join(os.path.dirname(skimage.__file__), "data")
    os.makedirs(args.work, exist_ok=True)
    gain = ["--dot-gain", args.gain]
    results = {}
    photos = []
    for name, filename in hq.PHOTOS:
        path = os.path.join(data, filename)
        if not os.path.exists(path):
            continue
        photos.append(name)
        grey = hq.grey_picture(path)
        grey_png = os.path.join(args.work, name + "-grey.png")
        Image.fromarray(grey, "L").save(grey_png)
        for method in METHODS:
            for label, extra in ((f"plovan {method} --dot-gain {args.gain}", gain), (f"plovan {method}", [])):
                # Without --dot-gain the dots are made for square cells; they print with R all the same.
                dots_png = os.path.join(args.work, "dots.png")
                hq.run([cli, "--threshold", str(hq.THRESHOLD), "--halftone", method, *extra,
                        "--output", os.path.join(args.work, "dots.txt"), "--preview", dots_png, grey_png])
                results.setdefault(label, []).append(hq.score(grey, printed(cli, gain, dots_png, args.work, grey.shape)))
        for label, magick in hq.PEERS:
            dots_png = os.path.join(args.work, "peer.png")
            if magick is None:
                hq.pillow_dots(grey_png, dots_png, grey.shape)
            else:
                hq.magick_dots(magick, grey_png, dots_png, grey.shape)
            results.setdefault(label, []).append(hq.score(grey, printed(cli, gain, dots_png, args.work, grey.shape)))
        print(f"  {name}", file=sys.stderr)
    rows = sorted(results.items(), key=lambda item: -np.mean([p for p, _ in item[1]]))
    print(f"| method, printed under R = {args.gain} | mean PSNR (dB) | mean tone shift | worst photo PSNR |")
    print("|---|---:|---:|---:|")
    for label, scores in rows:
        psnr = np.array([p for p, _ in scores])
        shift = np.array([s for _, s in scores])
        print(f"| {label} | {psnr.mean():.2f} | {shift.mean():+.2f} | {psnr.min():.2f} |")
    print(f"\n{len(photos)} photographs: {', '.join(photos)}")


if __name__ == "__main__":
    main()
