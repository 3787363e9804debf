#!/usr/bin/python3
"""How close each halftone looks to its grey picture: every halftone plovan-cli offers
against Pillow's and ImageMagick's, on the real photographs that scikit-image ships, at
384 dots wide (58 mm paper).

  halftone_quality.py --cli PLOVAN_CLI --work DIR [--publish BENCH_DIR]

Each photograph becomes one grey picture, 384 dots wide, saved as an 8-bit grey PNG that
every method reads (see grey_picture). Each method turns it into black and white dots; both
the grey and the dots go through the same Gaussian "eye" filter (sigma 1.8 dots), and the
score is the PSNR between the two (0-255 scale; higher is closer) and the tone shift, the
mean of the filtered dots minus the mean of the grey, in levels (positive: lighter).

plovan-cli's halftones are asked of plovan-cli itself: the names its usage and --help
mention, and the names this script knows of, each tried on a small picture; a name it
refuses is left out, and so is --serpentine where it is refused. A halftone added to
plovan-cli later shows up here without a change.

--publish writes the tables between the markers in BENCH_DIR/RESULTS.md and the chart to
BENCH_DIR/halftone-quality.png; without it both go to DIR only, and the tables to
standard output.
"""
import argparse
import datetime
import os
import re
import shutil
import subprocess
import sys

import numpy as np
from PIL import Image
from scipy.ndimage import gaussian_filter

WIDTH = 384          # dots across 58 mm paper at 203 dpi
SIGMA = 1.8          # dots: 0.23 mm at 203 dpi, about 2.6 minutes of arc from 30 cm
THRESHOLD = 128      # the neutral threshold of plovan-cli's halftones: the level is the grey

# The real photographs among scikit-image's pictures (camera, scanner, telescope,
# microscope), by the name scikit-image gives them and their file. Left out: the drawn or
# computed ones (chessboards, colour wheel, logo, horse silhouette, phantom, the tiny test
# files), cell (a phase image computed from a hologram), microaneurysms (102 pixels wide,
# it would have to be enlarged) and motorcycle_right (the other eye of motorcycle_left).
PHOTOS = [
    ("astronaut", "astronaut.png"),
    ("brick", "brick.png"),
    ("camera", "camera.png"),
    ("chelsea", "chelsea.png"),
    ("clock", "clock_motion.png"),
    ("coffee", "coffee.png"),
    ("coins", "coins.png"),
    ("grass", "grass.png"),
    ("gravel", "gravel.png"),
    ("hubble", "hubble_deep_field.jpg"),
    ("ihc", "ihc.png"),
    ("moon", "moon.png"),
    ("motorcycle", "motorcycle_left.png"),
    ("page", "page.png"),
    ("retina", "retina.jpg"),
    ("rocket", "rocket.jpg"),
    ("text", "text.png"),
]

# Halftone names plovan-cli has or is meant to have; each is still tried before it is used.
KNOWN_HALFTONES = ["none", "floyd-steinberg", "atkinson", "ordered", "jarvis", "stucki",
                   "sierra", "blue-noise", "clustered"]

START, END = "<!-- bench/halftone-quality: start -->", "<!-- bench/halftone-quality: end -->"


def run(command, check=True):
    result = subprocess.run(command, capture_output=True, text=True)
    if check and result.returncode != 0:
        sys.exit(f"halftone_quality: {' '.join(command)} exited {result.returncode}:\n{result.stderr}")
    return result


def area_weights(source, target):
    """target x source matrix: how much of each source pixel each target dot covers, in
    units of 1/target of a pixel, so that every weight is an integer and every row sums to
    `source`."""
    edges = np.arange(target + 1, dtype=np.int64) * source   # dot i covers [i*source, (i+1)*source)
    pixel = np.arange(source, dtype=np.int64) * target       # pixel j covers [j*target, (j+1)*target)
    low = np.maximum(edges[:-1, None], pixel[None, :])
    high = np.minimum(edges[1:, None], pixel[None, :] + target)
    return np.clip(high - low, 0, None).astype(np.float64)


def grey_picture(path):
    """The photograph as plovan-cli would halftone it at 384 dots: each of r, g and b
    averaged over the area each dot covers (exact overlaps, rounded to the nearest level,
    halves up), then the grey is the floored mean floor((r + g + b) / 3), which is what
    plovan-cli's threshold and halftones read of a pixel. Height: the width's scale,
    rounded halves up."""
    rgb = np.asarray(Image.open(path).convert("RGB"), dtype=np.float64)
    height, width = rgb.shape[:2]
    target_height = max(1, (2 * height * WIDTH + width) // (2 * width))
    across, down = area_weights(width, WIDTH), area_weights(height, target_height)
    area = width * height   # what each dot's weights add up to
    channels = []
    for c in range(3):
        # Integer weights on integer levels: every sum is an integer below 2^53, exact in doubles.
        total = np.rint(down @ rgb[:, :, c] @ across.T).astype(np.int64)
        channels.append((2 * total + area) // (2 * area))
    return ((channels[0] + channels[1] + channels[2]) // 3).astype(np.uint8)


def read_dots(path, shape):
    """A black-and-white picture as levels 0 and 255; anything else is an error."""
    levels = np.asarray(Image.open(path).convert("L"))
    if levels.shape != shape:
        sys.exit(f"halftone_quality: {path} is {levels.shape[1]}x{levels.shape[0]}, not {shape[1]}x{shape[0]}")
    if not np.isin(levels, (0, 255)).all():
        sys.exit(f"halftone_quality: {path} has levels other than black and white")
    return levels


def plovan_halftones(cli, work):
    """[(label, extra arguments)] for every halftone plovan-cli accepts, and for each one
    that also takes --serpentine, that too."""
    probe = os.path.join(work, "probe.png")
    Image.fromarray(np.tile(np.arange(0, 256, 16, dtype=np.uint8), (16, 1)), "L").save(probe)

    def accepts(arguments):
        result = run([cli, "--threshold", str(THRESHOLD), *arguments,
                      "--output", os.path.join(work, "probe.txt"), probe], check=False)
        if result.returncode not in (0, 2):
            sys.exit(f"halftone_quality: plovan-cli {' '.join(arguments)} exited {result.returncode}:\n{result.stderr}")
        return result.returncode == 0

    # The names plovan-cli mentions: its usage (printed with a refusal) and its --help.
    refused = run([cli, "--halftone", "?", probe], check=False).stderr
    helptext = run([cli, "--help"]).stdout
    mentioned = re.findall(r"--halftone\s+([a-z0-9|-]+)", refused + helptext)
    candidates = [name for group in mentioned for name in group.split("|")]
    described = re.search(r"--halftone\s+<[^>]*>(.*?)(?:\n\s*--|\Z)", helptext, re.S)
    if described:
        candidates += re.findall(r"\b[a-z][a-z0-9]*(?:-[a-z0-9]+)+\b|\b[a-z]{4,}\b", described.group(1))
    candidates += KNOWN_HALFTONES
    names = [name for name in dict.fromkeys(candidates) if accepts(["--halftone", name])]
    if "none" not in names or "floyd-steinberg" not in names:
        sys.exit(f"halftone_quality: plovan-cli accepted only {names}: is {cli} plovan-cli?")
    methods = []
    for name in names:
        label = "plovan none (the threshold alone)" if name == "none" else f"plovan {name}"
        methods.append((label, ["--halftone", name]))
        if name != "none" and accepts(["--halftone", name, "--serpentine"]):
            methods.append((f"plovan {name} --serpentine", ["--halftone", name, "--serpentine"]))
    return methods


def plovan_dots(cli, arguments, grey_png, out_png, work, shape):
    text = os.path.join(work, "plovan.txt")
    run([cli, "--threshold", str(THRESHOLD), *arguments, "--output", text, "--preview", out_png, grey_png])
    dots = read_dots(out_png, shape)
    # The preview must be what the text prints: read the text back and compare. The text
    # holds whole bands of 8 rows, so it may come back with up to 7 white rows more.
    back = os.path.join(work, "back.png")
    run([cli, "--check", text, "--preview", back])
    printed = np.asarray(Image.open(back).convert("L"))
    if (printed.shape[1] != shape[1] or not 0 <= printed.shape[0] - shape[0] < 8
            or not np.array_equal(printed[:shape[0]], dots) or not (printed[shape[0]:] == 255).all()):
        sys.exit(f"halftone_quality: plovan-cli {' '.join(arguments)}: the preview is not what its text prints")
    return dots


def pillow_dots(grey_png, out_png, shape):
    Image.open(grey_png).convert("1").save(out_png)   # Pillow's Floyd-Steinberg
    return read_dots(out_png, shape)


def magick_dots(arguments, grey_png, out_png, shape):
    run(["convert", grey_png, *arguments, out_png])
    return read_dots(out_png, shape)


PEERS = [
    ("Pillow Floyd-Steinberg", None),
    ("ImageMagick Floyd-Steinberg", ["-dither", "FloydSteinberg", "-remap", "pattern:gray50"]),
    ("ImageMagick Riemersma", ["-dither", "Riemersma", "-remap", "pattern:gray50"]),
    ("ImageMagick o8x8", ["-set", "colorspace", "Gray", "-ordered-dither", "o8x8"]),
]


def score(grey, dots):
    """(PSNR in dB, tone shift in levels) of the dots against the grey, both seen through
    the eye filter (edges mirrored)."""
    seen_grey = gaussian_filter(grey.astype(np.float64), SIGMA, mode="reflect")
    seen_dots = gaussian_filter(dots.astype(np.float64), SIGMA, mode="reflect")
    mse = np.mean((seen_dots - seen_grey) ** 2)
    psnr = float("inf") if mse == 0 else 10 * np.log10(255.0 ** 2 / mse)
    return psnr, float(seen_dots.mean() - grey.mean())


def package_versions(packages):
    result = run(["dpkg-query", "-W", "-f", "${Package} ${Version}\\n", *packages], check=False)
    return ", ".join(line for line in result.stdout.splitlines() if line.strip())


def tables(rows, photos, cli):
    """The markdown: the PSNR table (methods by mean PSNR, best first), then the tone shift
    of each method on each photograph."""
    version = run([cli, "--version"]).stdout.strip()
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    commit = run(["git", "-C", repository, "log", "-1", "--format=%h"], check=False).stdout.strip()
    shown = os.path.relpath(cli, repository) if cli.startswith(repository + os.sep) else cli
    lines = [
        "```",
        f"date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M UTC}",
        f"plovan-cli: {shown} ({version}); checkout at commit {commit or 'unknown'}",
        "versions: " + package_versions(["python3-skimage", "python3-pil", "python3-numpy",
                                         "python3-scipy", "imagemagick-6.q16"]),
        f"photographs: {len(photos)}, grey at {WIDTH} dots wide; eye filter sigma {SIGMA} dots",
        "```",
        "",
        f"**PSNR in dB** after the eye filter (higher is closer to the grey), and the tone shift "
        f"in levels (filtered dots minus grey; positive is lighter), over the {len(photos)} photographs:",
        "",
    ]
    head = ["method", *photos, "mean PSNR", "mean tone shift", "mean \\|tone shift\\|"]
    lines.append("| " + " | ".join(head) + " |")
    lines.append("|---|" + "---:|" * (len(head) - 1))
    for label, psnrs, shifts in rows:
        cells = [f"{p:.2f}" for p in psnrs]
        cells += [f"**{np.mean(psnrs):.2f}**", f"{np.mean(shifts):+.2f}", f"{np.mean(np.abs(shifts)):.2f}"]
        lines.append(f"| {label} | " + " | ".join(cells) + " |")
    lines += ["", "**Tone shift in levels** on each photograph (filtered dots minus grey; positive is lighter):", ""]
    head = ["method", *photos]
    lines.append("| " + " | ".join(head) + " |")
    lines.append("|---|" + "---:|" * (len(head) - 1))
    for label, _, shifts in rows:
        lines.append(f"| {label} | " + " | ".join(f"{s:+.2f}" for s in shifts) + " |")
    return "\n".join(lines)


def chart(rows, path):
    """Mean PSNR per method beside its mean tone shift. The shifts run from hundredths of a
    level to tens (the plain threshold), so they are drawn as the mean size of the shift on
    a log scale, with the signed mean written beside each bar."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    labels = [label for label, _, _ in rows][::-1]
    psnr = [np.mean(p) for _, p, _ in rows][::-1]
    shift = [np.mean(s) for _, _, s in rows][::-1]
    size = [max(np.mean(np.abs(s)), 0.005) for _, _, s in rows][::-1]
    colours = ["tab:blue" if label.startswith("plovan") else "tab:grey" for label in labels]
    fig, (left, right) = plt.subplots(1, 2, sharey=True, figsize=(11, 0.45 * len(rows) + 1.6),
                                      gridspec_kw={"width_ratios": [3, 2]})
    left.barh(labels, psnr, color=colours)
    for y, value in enumerate(psnr):
        left.text(value, y, f" {value:.2f}", va="center", fontsize=8)
    left.set_xlim(0, max(psnr) + 5)
    left.set_xlabel("mean PSNR after the eye filter, dB (higher is closer)")
    right.barh(labels, size, left=0.001, color=colours)
    right.set_xscale("log")
    right.set_xlim(0.001, max(size) * 30)
    for y, (value, signed) in enumerate(zip(size, shift)):
        right.text(value, y, f" {value:.2f} (mean {signed:+.2f})", va="center", fontsize=8)
    right.set_xlabel("mean |tone shift|, levels, log scale (signed mean)")
    fig.suptitle(f"Halftones at {WIDTH} dots, {len(rows[0][1])} photographs, eye filter σ = {SIGMA} dots "
                 "(blue: plovan-cli; grey: Pillow, ImageMagick)", fontsize=10)
    fig.tight_layout()
    fig.savefig(path, dpi=100, metadata={"Software": None})
    plt.close(fig)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cli", required=True, help="the plovan-cli to score")
    ap.add_argument("--work", required=True, help="folder for the grey pictures, the dots and the results")
    ap.add_argument("--publish", metavar="BENCH_DIR", help="also write RESULTS.md's section and the chart there")
    args = ap.parse_args()
    cli = os.path.abspath(args.cli)
    if shutil.which("convert") is None:
        sys.exit("halftone_quality: ImageMagick's convert is not installed")
    import skimage
    data = os.path.join(os.path.dirname(skimage.__file__), "data")
    os.makedirs(args.work, exist_ok=True)

    methods = plovan_halftones(cli, args.work)
    print("plovan-cli halftones: " + ", ".join(label for label, _ in methods), file=sys.stderr)
    photos, results = [], {}
    for name, filename in PHOTOS:
        path = os.path.join(data, filename)
        if not os.path.exists(path):
            print(f"halftone_quality: {path} is not there, left out", file=sys.stderr)
            continue
        photos.append(name)
        folder = os.path.join(args.work, name)
        os.makedirs(folder, exist_ok=True)
        grey = grey_picture(path)
        grey_png = os.path.join(folder, "grey.png")
        Image.fromarray(grey, "L").save(grey_png)
        for label, arguments in methods:
            out = os.path.join(folder, re.sub(r"[^a-z0-9]+", "-", label.lower()).strip("-") + ".png")
            dots = plovan_dots(cli, arguments, grey_png, out, args.work, grey.shape)
            # The grey must reach plovan-cli as defined: its plain threshold is grey < 128.
            if arguments == ["--halftone", "none"] and not np.array_equal(dots == 0, grey < THRESHOLD):
                sys.exit(f"halftone_quality: plovan-cli does not read {grey_png} as its grey levels")
            results.setdefault(label, []).append(score(grey, dots))
        for label, magick in PEERS:
            out = os.path.join(folder, re.sub(r"[^a-z0-9]+", "-", label.lower()).strip("-") + ".png")
            dots = pillow_dots(grey_png, out, grey.shape) if magick is None else magick_dots(magick, grey_png, out, grey.shape)
            results.setdefault(label, []).append(score(grey, dots))
        print(f"  {name}: {grey.shape[1]}x{grey.shape[0]}", file=sys.stderr)
    if not photos:
        sys.exit(f"halftone_quality: none of the photographs is in {data}")

    rows = [(label, [p for p, _ in scores], np.array([s for _, s in scores])) for label, scores in results.items()]
    rows.sort(key=lambda row: -np.mean(row[1]))
    markdown = tables(rows, photos, cli)
    with open(os.path.join(args.work, "halftone-quality.md"), "w") as f:
        f.write(markdown + "\n")
    chart(rows, os.path.join(args.work, "halftone-quality.png"))
    print(markdown)
    if args.publish:
        results_md = os.path.join(args.publish, "RESULTS.md")
        with open(results_md) as f:
            text = f.read()
        if START not in text or END not in text:
            sys.exit(f"halftone_quality: {results_md} has no {START} ... {END} markers to put the tables between")
        head, rest = text.split(START, 1)
        tail = rest.split(END, 1)[1]
        with open(results_md, "w") as f:
            f.write(head + START + "\n" + markdown + "\n" + END + tail)
        shutil.copyfile(os.path.join(args.work, "halftone-quality.png"),
                        os.path.join(args.publish, "halftone-quality.png"))


if __name__ == "__main__":
    main()
