#!/usr/bin/env python3
"""Prints scripts/bench's table from the times of its runs.

Usage: bench_table.py --cases CASES.json --mode MODE --runs N --timeout SECONDS
                      [--note TEXT]... SAMPLES

SAMPLES has one line per run, its fields separated by tabs:
    case  role  build  name  seconds  peak_working_set  stopped
role is "window" or "console" for Sorowa, "peer" or "floor" for what it is measured against;
build is "x86-64" or "i686" for programs of a build tree and empty for Linux commands (a floor
of a build is set against Sorowa of that build, one without a build against every build);
name is what the table calls a peer or a floor; peak_working_set is in bytes (empty when not
measured); stopped is 1 for a run that was stopped at the time-out, else 0.

Per case and per way Sorowa ran, the table gives the median time over the runs, the median
times of the peer and the floor with Sorowa's time divided by each, and the largest peak
working set.
"""

import argparse
import csv
import json
import statistics
from collections import defaultdict

ROWS = [("window", "x86-64"), ("window", "i686"), ("console", "x86-64"), ("console", "i686")]
ROW_NAMES = {"window": "window", "console": "sorowa.com"}
HEADINGS = ("", "Sorowa", "peer", "x peer", "floor", "x floor", "peak WS")
LAYOUT = "{:<24}{:>9}{:>9}{:>8}{:>9}{:>8}{:>11}"


class Times:
    """The runs of one program in one case."""

    def __init__(self):
        self.seconds = []
        self.peaks = []
        self.stopped = False

    def median(self):
        return statistics.median(self.seconds)


def read_samples(path):
    times = defaultdict(Times)
    names = {}
    with open(path, newline="") as f:
        for case, role, build, name, seconds, peak, stopped in csv.reader(f, delimiter="\t"):
            t = times[case, role, build]
            t.seconds.append(float(seconds))
            if peak:
                t.peaks.append(int(peak))
            t.stopped |= stopped == "1"
            names[case, role] = name
    return times, names


def ratio(program, reference, timeout):
    if reference is None:
        return "-"
    if program.stopped:
        return f">{timeout / reference.median():.1f}"
    return f"{program.median() / reference.median():.2f}"


def seconds(t, timeout):
    if t is None:
        return "-"
    return f">{timeout:g}" if t.stopped else f"{t.median():.3f}"


def main():
    parser = argparse.ArgumentParser(description="Prints scripts/bench's table.")
    parser.add_argument("--cases", required=True, help="cases.json of the bench's data")
    parser.add_argument("--mode", required=True)
    parser.add_argument("--runs", required=True, type=int)
    parser.add_argument("--timeout", required=True, type=float)
    parser.add_argument("--note", action="append", default=[], help="a line below the table")
    parser.add_argument("samples")
    args = parser.parse_args()

    with open(args.cases) as f:
        titles = json.load(f)["titles"]
    times, names = read_samples(args.samples)

    print(f"Sorowa: {args.mode} data, median of {args.runs} run(s), warm page cache; "
          "times in seconds")
    print("x peer, x floor: Sorowa's time divided by the peer's or the floor's")
    print()
    print(LAYOUT.format(*HEADINGS))
    for case in sorted(titles, key=int):
        peer_name = names.get((case, "peer"), "none")
        floor_name = names.get((case, "floor"), "none")
        print(f"{case} {titles[case]}")
        print(f"  peer: {peer_name}; floor: {floor_name}")
        peer = times.get((case, "peer", ""))
        for role, build in ROWS:
            program = times.get((case, role, build))
            if program is None:
                continue
            floor = times.get((case, "floor", build)) or times.get((case, "floor", ""))
            peak = f"{max(program.peaks) / (1 << 20):.1f} MiB" if program.peaks else "-"
            print(LAYOUT.format(f"  {ROW_NAMES[role]} {build}", seconds(program, args.timeout),
                                seconds(peer, args.timeout), ratio(program, peer, args.timeout),
                                seconds(floor, args.timeout),
                                ratio(program, floor, args.timeout), peak))
    for note in args.note:
        print(note)


if __name__ == "__main__":
    main()
