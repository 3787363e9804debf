#!/usr/bin/python3
"""Runs commands on one picture in rounds, one run of each command per round (A B C, A B C,
...), so that a slow spell of this shared machine falls on all of them alike.

  rounds.py --label NAME --runs N --json OUT.json [--no-check] 'name::command' ...

Round 0 is not timed: it keeps each command's standard output, and the texts must be the
same bytes for every command (unless --no-check), else the script says which differ and
exits 1. The timed rounds send standard output to /dev/null. Per run: wall seconds (a
monotonic clock from start to reaping), user + system seconds, and the peak resident set
of the command (ru_maxrss from wait4: the largest single process among it and the
children it waited for, the figure GNU time -v prints) and its major page faults (pages it
had to wait for the disk for: swapping, or program files not in the page cache).
"""
import argparse
import hashlib
import json
import os
import statistics
import subprocess
import sys
import time


def run(command, keep_output):
    out = subprocess.PIPE if keep_output else subprocess.DEVNULL
    start = time.perf_counter()
    child = subprocess.Popen(["/bin/sh", "-c", command], stdout=out, stderr=subprocess.PIPE)
    digest, size = hashlib.sha256(), 0
    if keep_output:
        for chunk in iter(lambda: child.stdout.read(1 << 20), b""):
            digest.update(chunk)
            size += len(chunk)
    err = child.stderr.read()
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    result = {"wall": wall, "cpu": usage.ru_utime + usage.ru_stime, "rss_kib": usage.ru_maxrss,
              "major_faults": usage.ru_majflt, "exit": code}
    if code != 0:
        result["stderr"] = err.decode(errors="replace")[-500:]
    if keep_output:
        result["sha256"], result["bytes"] = digest.hexdigest(), size
    return result


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--label", required=True)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--json", required=True)
    ap.add_argument("--no-check", action="store_true")
    ap.add_argument("commands", nargs="+", help="name::shell command")
    args = ap.parse_args()
    commands = [c.partition("::")[::2] for c in args.commands]

    load_before = os.getloadavg()[0]
    results = {name: {"command": cmd, "runs": []} for name, cmd in commands}
    failed = False
    for name, cmd in commands:
        first = run(cmd, keep_output=True)
        results[name].update(sha256=first["sha256"], bytes=first["bytes"], untimed=first)
        if first["exit"] != 0:
            print(f"  !! {name} exited {first['exit']}: {first.get('stderr', '')}", file=sys.stderr)
            failed = True
    digests = {results[n]["sha256"] for n, _ in commands}
    identical = len(digests) == 1
    if not identical and not args.no_check:
        for name, _ in commands:
            print(f"  !! {args.label}: {name} wrote {results[name]['bytes']} bytes, sha256 {results[name]['sha256'][:16]}",
                  file=sys.stderr)
        failed = True

    for _ in range(args.runs):
        for name, cmd in commands:
            one = run(cmd, keep_output=False)
            if one["exit"] != 0:
                print(f"  !! {name} exited {one['exit']}: {one.get('stderr', '')}", file=sys.stderr)
                failed = True
            results[name]["runs"].append(one)

    print(f"{args.label}: {args.runs} rounds, load {load_before:.1f} -> {os.getloadavg()[0]:.1f}, "
          f"text {'identical' if identical else 'DIFFERS'} ({results[commands[0][0]]['bytes']} bytes)")
    for name, d in results.items():
        walls = [r["wall"] for r in d["runs"]]
        d.update(median=statistics.median(walls), min=min(walls), max=max(walls),
                 cpu=statistics.median(r["cpu"] for r in d["runs"]),
                 rss_kib=max(r["rss_kib"] for r in d["runs"]),
                 major_faults=max(r["major_faults"] for r in d["runs"]))
        print(f"  {name:12s} median {d['median']:8.3f} s  [{d['min']:.3f}-{d['max']:.3f}]  cpu {d['cpu']:7.3f} s  "
              f"peak RSS {d['rss_kib'] / 1024:8.1f} MiB")
    report = {"label": args.label, "runs": args.runs, "identical": identical, "load": [load_before, os.getloadavg()[0]],
              "date": time.strftime("%Y-%m-%d %H:%M:%S %Z"), "results": results}
    with open(args.json, "w") as f:
        json.dump(report, f, indent=1)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
