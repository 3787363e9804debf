#!/usr/bin/python3
"""Reads what bench/run left in its results folder and prints the one table, with every
goal marked met or missed; draws results.png (seconds per picture, plovan-cli against each
peer).

  table.py RESULTS_DIR [--publish BENCH_DIR]

--publish writes the table between the markers in BENCH_DIR/RESULTS.md and copies the
plot to BENCH_DIR/results.png.
"""
import argparse
import glob
import json
import os
import re
import shutil
import statistics
import sys

PICTURES = [("logo", "logo 576×240", 576 * 240), ("photo", "photo 4000×3000 JPEG", 4000 * 3000),
            ("large", "8192×8192 PNG", 8192 * 8192), ("huge", "16384×16384 PNG", 16384 * 16384)]
PEERS = [("numpy", "Pillow+NumPy"), ("opencv", "OpenCV+NumPy"), ("imagemagick", "ImageMagick")]
START, END = "<!-- bench/run table: start -->", "<!-- bench/run table: end -->"


def read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return ""


def number(pattern, text, default=None):
    m = re.search(pattern, text, re.M)
    return float(m.group(1)) if m else default


def stages(out):
    conv = read(os.path.join(out, "conversion.txt"))
    dec = read(os.path.join(out, "decode.txt"))
    png = dec[dec.find("PNG:"):] if "PNG:" in dec else ""
    runs = number(r"(\d+) runs of each stage", conv)
    figures = {name: number(rf"^{name}\s+([\d.]+)", conv) for name in ("memcpy", "redraw", "encoder")}
    figures["decode"] = number(r"our decode alone \(openPicture\)\s+([\d.]+) ms", png)
    figures["qt decode"] = number(r"Qt decode alone \(QImageReader::read\)\s+([\d.]+) ms", png)
    figures["loader"] = number(r"loader: decode \+ blank working picture\s+([\d.]+) ms", png)
    figures["first redraw"] = number(r"first runs, not in the figures: redraw ([\d.]+) ms", conv)
    figures["first encoder"] = number(r"first runs, not in the figures: redraw [\d.]+ ms, encoder ([\d.]+) ms", conv)
    return figures, runs, number(r"median of (\d+) runs", dec)


def window(out):
    figures = {}
    for path in sorted(glob.glob(os.path.join(out, "window_*.txt"))):
        for line in read(path).splitlines():
            m = re.match(r"(\S+)\s+(\d+) x (\d+)\s.*Create->shown\s+([\d.]+) ms", line)
            if m:
                figures.setdefault((m.group(1), int(m.group(2)), int(m.group(3))), []).append(float(m.group(4)))
    return {key: statistics.median(values) for key, values in figures.items()}, len(
        glob.glob(os.path.join(out, "window_*.txt")))


def print_ready(out, goals):
    """The halftones and the scaling: bench_print's stages, then plovan-cli end to end
    against the halftone peers."""
    lines = []
    text = read(os.path.join(out, "print.txt"))
    stage = {m.group(1): (float(m.group(2)), float(m.group(3)), float(m.group(5)))
             for m in re.finditer(r"^(\S+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)$", text, re.M)}
    if "memcpy" in stage:
        runs = number(r"(\d+) runs of each stage", text)
        lines += [f"**Print-ready steps, 8192 × 8192** (bench_print, medians of {runs:.0f} runs taking turns, working "
                  "picture already written once): each halftone through `redraw`, the plain threshold beside them, "
                  "the area scaling to 576 dots from 8192² and from a 4000 × 3000 picture, and `redraw` with "
                  "Floyd–Steinberg on 4096² without a window.", "",
                  "| stage | ms | × memcpy | ns per source pixel | goal |", "|---|---:|---:|---:|---|"]
        wanted = {"ordered": ("≤ 1.5 × memcpy", lambda ms, ratio: ratio <= 1.5),
                  "floyd-steinberg": ("≤ 6 × memcpy", lambda ms, ratio: ratio <= 6),
                  "window-fs": ("< 150 ms", lambda ms, ratio: ms < 150)}
        for name, (ms, ratio, ns) in stage.items():
            goal = ""
            if name in wanted:
                label, test = wanted[name]
                goal = f"{label}: {mark(test(ms, ratio))}"
                goals.append((f"{name} {label}", test(ms, ratio), f"{ms:.1f} ms, {ratio:.2f} × memcpy"))
            lines.append(f"| {name} | {ms:.1f} | {ratio:.2f} | {ns:.2f} | {goal} |")
        lines.append("")
    rows = []
    for key, label in (("photo", "photo 4000×3000 JPEG"), ("large", "8192×8192 PNG")):
        path = os.path.join(out, f"halftone_{key}.json")
        if not os.path.exists(path):
            continue
        with open(path) as f:
            r = json.load(f)
        res = r["results"]
        for suffix, what in (("", "whole picture"), ("-576", "--max-width 576")):
            plovan = res[f"plovan-fs{suffix}"]["median"]
            peers = [res[f"{p}-fs{suffix}"]["median"] for p in ("pillow", "imagemagick")]
            rows.append(f"| {label}, {what} | {r['runs']} | **{plovan:.3f}** ({res[f'plovan-fs{suffix}']['cpu']:.3f}) | "
                        f"{peers[0]:.3f} | {peers[1]:.3f} | {min(peers) / plovan:.1f} × |")
            if not suffix:
                goals.append((f"plovan-cli Floyd–Steinberg faster than every peer on {key}", plovan < min(peers),
                              f"{plovan:.3f} s vs {min(peers):.3f} s"))
        if "plovan-576" in res:
            plain, scaled = res["plovan-plain"]["median"], res["plovan-576"]["median"]
            goals.append(("--max-width 576 on the photo ≤ 1.1 × its plain conversion", scaled <= 1.1 * plain,
                          f"{scaled:.3f} s vs {plain:.3f} s, {scaled / plain:.2f} ×"))
            rows.append(f"| photo, plain conversion (threshold 128) | {r['runs']} | **{plain:.3f}** | | | |")
            rows.append(f"| photo, `--max-width 576` (threshold 128) | {r['runs']} | **{scaled:.3f}** "
                        f"({scaled / plain:.2f} × plain; goal ≤ 1.1 ×: {mark(scaled <= 1.1 * plain)}) | | | |")
    if rows:
        lines += ["**Halftones end to end**: `plovan-cli --halftone floyd-steinberg` against Pillow's and "
                  "ImageMagick's Floyd–Steinberg (`../shared/bench-peers`), standard output to /dev/null, median "
                  "wall seconds of interleaved rounds (in brackets plovan-cli's cpu). The peers take grey their own "
                  "way and round otherwise, so only the times compare, not the bytes.", "",
                  "| picture | rounds | plovan-cli | Pillow | ImageMagick | fastest peer ÷ plovan-cli |",
                  "|---|---:|---:|---:|---:|---:|"] + rows + [""]
    return lines


def mark(ok):
    return "met" if ok else "**missed**"


def build_table(out):
    lines = []
    machine = read(os.path.join(out, "machine.txt")).strip().splitlines()
    lines += ["```"] + machine + ["```", ""]
    goals = []

    st, conv_runs, dec_runs = stages(out)
    memcpy = st["memcpy"]
    if memcpy:
        lines += [f"**Per stage, 8192 × 8192 (256 MiB of pixels)**: medians; redraw, encoder and memcpy take turns "
                  f"in one process ({conv_runs:.0f} runs), with the working picture and the text already made, "
                  f"as when the slider moves again; decode from the 8192² PNG ({dec_runs:.0f} runs).", "",
                  "| stage | ms | × memcpy | goal |", "|---|---:|---:|---|"]
        rows = [("decode (PNG → loaded picture)", st["decode"], None),
                ("decode + blank working picture (the loader)", st["loader"], None),
                ("Qt's QImageReader::read alone, for scale", st["qt decode"], None),
                ("`redraw`", st["redraw"], 1.2), ("encoder (logo data text)", st["encoder"], 1.5),
                ("memcpy of the picture", memcpy, None)]
        for name, ms, goal in rows:
            if ms is None:
                continue
            ratio = ms / memcpy
            g = ""
            if goal:
                g = f"≤ {goal} × memcpy: {mark(ratio <= goal)}"
                goals.append((f"{name} ≤ {goal} × memcpy", ratio <= goal, f"{ratio:.2f} ×"))
            lines.append(f"| {name} | {ms:.1f} | {ratio:.2f} | {g} |")
        if st["first redraw"] is not None:
            lines += ["", f"First runs on fresh memory, not in the medians: redraw {st['first redraw']:.0f} ms, "
                          f"encoder {st['first encoder']:.0f} ms."]
        lines.append("")

    e2e = {}
    for key, _, _ in PICTURES:
        path = os.path.join(out, f"e2e_{key}.json")
        if os.path.exists(path):
            with open(path) as f:
                e2e[key] = json.load(f)
    if e2e:
        lines += ["**End to end**, threshold 128, standard output to /dev/null: median wall seconds of interleaved "
                  "rounds (plovan-cli, then each peer, again and again); peak RSS is plovan-cli's largest.", "",
                  "| picture | rounds | plovan-cli (its cpu) | " + " | ".join(p for _, p in PEERS)
                  + " | fastest peer ÷ plovan-cli | same text | plovan-cli peak RSS | bytes/px | bound 8.5 B/px + 64 MiB |",
                  "|---|---:|---:|" + "---:|" * len(PEERS) + "---:|---|---:|---:|---|"]
        for key, label, pixels in PICTURES:
            if key not in e2e:
                continue
            r = e2e[key]["results"]
            plovan = r["plovan"]["median"]
            peers = {k: r[k]["median"] for k, _ in PEERS if k in r}
            best = min(peers.values())
            rss = r["plovan"]["rss_kib"] / 1024
            bound = 8.5 * pixels / 2 ** 20 + 64
            cpu = r["plovan"]["cpu"]
            lines.append(f"| {label} | {e2e[key]['runs']} | **{plovan:.3f}** ({cpu:.3f}) | "
                         + " | ".join(f"{peers[k]:.3f}" if k in peers else "–" for k, _ in PEERS)
                         + f" | {best / plovan:.1f} × | {'yes' if e2e[key]['identical'] else '**NO**'} | "
                         f"{rss:.0f} MiB | {rss * 2 ** 20 / pixels:.2f} | {mark(rss <= bound)} |")
            goals.append((f"plovan-cli faster than every peer on {key}", plovan < best,
                          f"{plovan:.3f} s vs {best:.3f} s"))
            goals.append((f"same text as every peer on {key}", e2e[key]["identical"], ""))
            if key != "logo":
                goals.append((f"peak RSS ≤ 8.5 B/px + 64 MiB on {key}", rss <= bound, f"{rss:.0f} of {bound:.0f} MiB"))
            if key == "huge":
                faults = r["plovan"].get("major_faults", 0)
                goals.append(("16384² without swapping (no major page faults)", faults == 0, f"{faults} major faults"))
            if key == "logo":
                goals.append(("logo end to end ≤ 30 ms", plovan <= 0.030,
                              f"{plovan * 1000:.0f} ms wall, {cpu * 1000:.0f} ms of cpu"))
        lines += ["", "Seconds of wall time; in brackets the cpu time (user + system) plovan-cli used, which a "
                      "busy machine does not stretch. The logo row: plovan-cli reads the transparent logo and lays it over white itself; the peers "
                      "keep the stored colour of transparent pixels, so they read its twin already laid over white "
                      "(`bench/make_inputs.py`). The text must still be the same bytes.", ""]

    lines += print_ready(out, goals)

    win, win_runs = window(out)
    if win:
        lines += [f"**Window, offscreen**: \"Create\" until the text area has painted the text (bench_window: best "
                  f"of 3 clicks per run; median over {win_runs} runs).", "",
                  "| picture | characters | Create → text shown | goal |", "|---|---:|---:|---|"]
        for (name, w, h), ms in sorted(win.items(), key=lambda kv: kv[0][1] * kv[0][2]):
            goal = 50 if w * h <= 576 * 240 else 1000 if w * h <= 4096 * 4096 else None
            chars = 8 + (h + 7) // 8 * (2 * w + 5)
            g = f"< {goal} ms: {mark(ms < goal)}" if goal else ""
            lines.append(f"| {name} ({w}×{h}) | {chars:,} | {ms:.1f} ms | {g} |")
            if goal:
                goals.append((f"window Create on {w}×{h} < {goal} ms", ms < goal, f"{ms:.1f} ms"))
        lines.append("")

    if goals:
        met = sum(ok for _, ok, _ in goals)
        lines += [f"**Goals: {met} of {len(goals)} met in this run.**", ""]
        missed = [f"- missed: {name} ({detail})" for name, ok, detail in goals if not ok]
        lines += missed + ([""] if missed else [])
    return "\n".join(lines), e2e


def plot(e2e, path):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    keys = [k for k, _, _ in PICTURES if k in e2e]
    labels = [lab for k, lab, _ in PICTURES if k in e2e]
    series = [("plovan", "plovan-cli", "#1b6e3a")] + [(k, lab, c) for (k, lab), c in
                                                      zip(PEERS, ["#4c72b0", "#dd8452", "#8c8c8c"])]
    fig, ax = plt.subplots(figsize=(9, 4.8), dpi=110)
    width = 0.8 / len(series)
    for i, (k, lab, colour) in enumerate(series):
        values = [e2e[p]["results"][k]["median"] if k in e2e[p]["results"] else 0 for p in keys]
        xs = [j + (i - (len(series) - 1) / 2) * width for j in range(len(keys))]
        bars = ax.bar(xs, values, width, label=lab, color=colour)
        for bar, v in zip(bars, values):
            if v:
                ax.annotate(f"{v:.3f}" if v < 0.1 else f"{v:.2f}" if v < 10 else f"{v:.0f}", (bar.get_x() + bar.get_width() / 2, v),
                            ha="center", va="bottom", fontsize=7, xytext=(0, 2), textcoords="offset points")
    ax.set_yscale("log")
    ax.set_ylabel("seconds, end to end (median; log scale)")
    ax.set_xticks(range(len(keys)), labels)
    ax.set_title("Picture → logo data text at threshold 128, same run, same machine")
    ax.legend(frameon=False, ncol=len(series), loc="upper left", fontsize=8)
    ax.grid(axis="y", which="both", alpha=0.25)
    fig.tight_layout()
    fig.savefig(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("results")
    ap.add_argument("--publish", metavar="BENCH_DIR")
    args = ap.parse_args()
    table, e2e = build_table(args.results)
    print(table)
    with open(os.path.join(args.results, "table.md"), "w") as f:
        f.write(table + "\n")
    if e2e:
        plot(e2e, os.path.join(args.results, "results.png"))
    if args.publish:
        results_md = os.path.join(args.publish, "RESULTS.md")
        text = read(results_md)
        if START not in text or END not in text:
            sys.exit(f"{results_md} has no {START} ... {END} markers to put the table between")
        head, rest = text.split(START, 1)
        tail = rest.split(END, 1)[1]
        with open(results_md, "w") as f:
            f.write(head + START + "\n" + table + "\n" + END + tail)
        if e2e:
            shutil.copyfile(os.path.join(args.results, "results.png"), os.path.join(args.publish, "results.png"))
        print(f"\nwrote {results_md} and results.png")


if __name__ == "__main__":
    main()
