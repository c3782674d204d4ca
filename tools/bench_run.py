#!/usr/bin/env python3
"""Times the program on generated data against command line peers and against floors (the
least work that the same comparison needs), under Wine, and prints one table.

Usage: scripts/bench [--runs N] [--quick] [--timeout SECONDS]

Cases (the sizes of the full run):
  1  two identical 1 GiB files                  peer: cmp         floor: dd
  2  two 16 MiB files that differ in every byte peer: cmp -l, to a file
  3  two 16 MiB files, 1% of the bytes differ   peer: cmp -l, to a file
  4  two folders of 10,000 small files, 10 of   peer: diff -rq,   floor: tree_floor
     which differ                                     to a file
  5  two real trees: 3,000 files of mixed sizes peer: diff -rq,   floor: tree_floor
     in nested folders, some differing, some          to a file
     missing in the second

The program runs from two trees of the presets bench64 (x86-64) and bench32 (i686; left out,
with a note, when this Wine runs no i686 programs), in one Wine prefix, in two ways:
  window      app/sorowa.exe through its main window: tools/bench_driver.exe starts it,
              presses Start and times the run to its end (Start enabled again, the window
              idle), then closes it
  sorowa.com  the console twin, when the tree has app/sorowa.com: PATH1 PATH2 > file, timed
              by bench_driver as a whole process
The peers are timed as whole processes. The floors: for case 1, dd reading both files once
with 1 MiB reads; for the trees, tools/tree_floor.exe of the same tree, the least a
single-threaded Win32 program does per pair (list the first folder recursively, open both
files with no sharing, read both, compare, close both), timed from its first listing to its
last close. The page cache is warmed before each case, and in each round every program, peer
and floor runs once. The table (tools/bench_table.py) shows per case the median times, the
program's time divided by the peer's and by the floor's, and the program's largest peak
working set. Progress goes to stderr, the table to stdout.

Everything stays under build/: the two trees, the data build/bench-data (made once by
tools/bench_data.py, deterministically, and reused), the Wine prefix build/bench-prefix. The
bench starts an Xvfb of its own (scripts/wine-env), and in its prefix text files "open" to a
program that does nothing, so that the report files of the runs do not open an editor.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


@dataclass
class Case:
    number: int
    first: str  # the two paths in the case's folder
    second: str
    peer_name: str
    peer: list  # the peer's command; the two paths follow it
    dd_floor: bool = False  # whether dd reading both files is the floor


CASES = [
    Case(1, "a.bin", "b.bin", "cmp", ["cmp"], dd_floor=True),
    Case(2, "a.bin", "b.bin", "cmp -l > file", ["cmp", "-l"]),
    Case(3, "a.bin", "b.bin", "cmp -l > file", ["cmp", "-l"]),
    Case(4, "a", "b", "diff -rq > file", ["diff", "-rq"]),
    Case(5, "a", "b", "diff -rq > file", ["diff", "-rq"]),
]
TREES = {"x86-64": Path("build/bench64"), "i686": Path("build/bench32")}


class BenchError(Exception):
    """Ends the bench with its message."""


def progress(text):
    print(text, file=sys.stderr, flush=True)


def positive(text):
    if not re.fullmatch(r"[1-9][0-9]*", text):
        raise argparse.ArgumentTypeError(f"not a whole number above 0: {text}")
    return int(text)


def winpath(path):
    """The Windows path of a Linux one: Wine's drive Z: is /."""
    return "Z:" + str(ROOT / path).replace("/", "\\")


def run(command, **options):
    """Runs a command to its end, its input empty."""
    return subprocess.run(command, stdin=subprocess.DEVNULL, **options)


def wine_settings():
    """The launcher scripts/wine-env names and the environment it sets for every Wine run."""
    out = run(["bash", "-c", '. scripts/wine-env && printf "%s\\0" "$sorowa_wine" && env -0'],
              stdout=subprocess.PIPE, check=True).stdout.decode()
    launcher, *variables = out.rstrip("\0").split("\0")
    return launcher, dict(v.split("=", 1) for v in variables if "=" in v)


def build_tree(preset):
    """The tree build/PRESET of the program and its tools, without the tests."""
    log = ROOT / "build" / f"{preset}-build.log"
    with open(log, "w") as f:
        for command in (["cmake", "--preset", preset],
                        ["cmake", "--build", "--preset", preset, "-j", str(len(os.sched_getaffinity(0)))]):
            if run(command, stdout=f, stderr=subprocess.STDOUT).returncode != 0:
                sys.stderr.writelines(log.read_text().splitlines(keepends=True)[-40:])
                raise BenchError(f"the build of build/{preset} failed "
                                 f"(the whole log is build/{preset}-build.log)")


def warm(*paths):
    """Reads every file under the paths once, so that the runs find them in the page cache."""
    buffer = bytearray(1 << 20)
    for path in paths:
        files = [path] if path.is_file() else sorted(p for p in path.rglob("*") if p.is_file())
        for file in files:
            with open(file, "rb", buffering=0) as f:
                while f.readinto(buffer):
                    pass


def count_lines(path):
    lines = 0
    with open(path, "rb") as f:
        while chunk := f.read(1 << 20):
            lines += chunk.count(b"\n")
    return lines


def clean_results(folder):
    """Deletes what the runs of a case wrote into its folder."""
    for path in [*folder.glob("Result*.txt"), folder / "peer.out", folder / "console.out"]:
        path.unlink(missing_ok=True)


class Bench:
    def __init__(self, args, data, tmp):
        self.runs = args.runs
        self.timeout = args.timeout
        self.data = data
        self.tmp = tmp
        self.launcher, self.env = wine_settings()
        self.env["WINEPREFIX"] = str(ROOT / "build/bench-prefix")
        self.builds = ["x86-64"]
        self.notes = []
        self.samples = []  # lines for tools/bench_table.py
        self.stopped = set()  # (case, role, build) of programs stopped at the time-out
        self.wine_up = False

    def wine(self, program, *args, **options):
        return run([self.launcher, str(program), *args], env=self.env, **options)

    def wine_env(self, *args, **options):
        return run(["bash", "scripts/wine-env", *args], env=self.env, **options)

    def record(self, case, role, build, name, seconds, peak="", stopped=False):
        self.samples.append("\t".join([str(case), role, build, name, seconds, peak,
                                       "1" if stopped else "0"]))

    # --- Display and Wine ------------------------------------------------------------------

    def start_wine(self):
        progress("== display and Wine")
        started = self.wine_env("display-start", str(self.tmp / "display"),
                                stdout=subprocess.PIPE, text=True)
        if started.returncode != 0:
            raise BenchError("Xvfb did not start")
        self.env["DISPLAY"] = started.stdout.strip()
        progress(f"display: Xvfb on {self.env['DISPLAY']}")
        self.wine_up = True
        if self.wine_env("prefix", self.env["WINEPREFIX"]).returncode != 0:
            raise BenchError("the Wine prefix could not be prepared")
        # One wineserver for the whole bench, ended at the end; and text files "open" to
        # nothing.
        if run(["wineserver", "-p"], env=self.env, stdout=subprocess.DEVNULL).returncode != 0:
            raise BenchError("wineserver did not start")
        ignore = f'"{winpath(TREES["x86-64"] / "tools/bench_driver.exe")}" --ignore "%1"'
        for key, value in [(r"HKCR\.txt", "txtfile"), (r"HKCR\txtfile\shell\open\command", ignore)]:
            if self.wine("reg", "add", key, "/ve", "/d", value, "/f", stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL).returncode != 0:
                raise BenchError("cannot set the open command for text files in the prefix")

        probe = TREES["i686"] / "tools/wine_probe.exe"
        # The probe's answer: "yes", or "no: " and why.
        answer = self.wine_env("runs-i686", self.env["WINEPREFIX"], str(probe),
                               stdout=subprocess.PIPE, text=True)
        if answer.returncode == 0:
            self.builds.append("i686")
        else:
            why = answer.stdout.strip().removeprefix("no:").strip()
            self.notes.append(f"i686: not run: {why or 'this Wine runs no i686 programs'}")

    def stop_wine(self):
        if self.wine_up:
            for command in (["wineserver", "-k"], ["wineserver", "-w"]):
                run(command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wine_env("display-stop", str(self.tmp / "display"))

    # --- Runs: each runs once, records its time and returns what the progress line says ---

    def run_program(self, case, role, build, program, first, second):
        """One run of the program through bench_driver, unless an earlier run of it in this
        case was stopped for taking too long."""
        if (case.number, role, build) in self.stopped:
            return "skipped"
        folder = self.data / f"c{case.number}"
        args = ["--timeout", str(self.timeout), winpath(program), winpath(first), winpath(second)]
        if role == "console":
            args = ["--console", *args, winpath(folder / "console.out")]
        driver = self.wine(TREES[build] / "tools/bench_driver.exe", *args,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           text=True, errors="replace")
        clean_results(folder)
        if driver.returncode not in (0, 3):
            sys.stderr.write(driver.stderr)
            raise BenchError(f"the driver failed (status {driver.returncode})")
        found = re.search(r"seconds=([0-9.]+) peak_working_set=([0-9]+)", driver.stdout)
        if not found:
            raise BenchError(f"the driver printed: {driver.stdout.strip()}")
        seconds, peak = found.groups()
        stopped = driver.returncode == 3
        self.record(case.number, role, build, "-", seconds, peak, stopped)
        if stopped:
            self.stopped.add((case.number, role, build))
            return f">{self.timeout} s (stopped)"
        return f"{seconds} s"

    def run_tree_floor(self, case, build):
        """One run of tree_floor on the case's two trees."""
        folder = self.data / f"c{case.number}"
        floor = self.wine(TREES[build] / "tools/tree_floor.exe", winpath(folder / "a"),
                          winpath(folder / "b"), stdout=subprocess.PIPE, text=True,
                          errors="replace")
        found = re.search(r"seconds=([0-9.]+)", floor.stdout)
        if floor.returncode != 0 or not found:
            raise BenchError(f"tree_floor failed (status {floor.returncode}): "
                             f"{floor.stdout.strip()}")
        self.record(case.number, "floor", build, "tree_floor", found[1])
        return f"{found[1]} s"

    def run_peer(self, case, first, second):
        """One run of the peer, its output to the case's peer.out, in the C locale. Its status
        may say "differ" (1), not "trouble" (2)."""
        folder = self.data / f"c{case.number}"
        out = folder / "peer.out"
        with open(out, "wb") as f:
            start = time.perf_counter()
            peer = run([*case.peer, str(first), str(second)], stdout=f, stderr=subprocess.PIPE,
                       env={**os.environ, "LC_ALL": "C"})
            seconds = time.perf_counter() - start
        if peer.returncode not in (0, 1):
            sys.stderr.buffer.write(peer.stderr)
            raise BenchError(f"{case.peer[0]} failed (status {peer.returncode})")
        self.record(case.number, "peer", "", case.peer_name, f"{seconds:.6f}")
        lines = count_lines(out)
        clean_results(folder)
        return f"{seconds:.6f} s ({lines} lines of output)"

    def run_dd_floor(self, case, first, second):
        """Both files of the pair read once with 1 MiB reads."""
        start = time.perf_counter()
        for path in (first, second):
            run(["dd", f"if={path}", "of=/dev/null", "bs=1M", "status=none"], check=True)
        seconds = time.perf_counter() - start
        self.record(case.number, "floor", "", "dd, 1 MiB reads", f"{seconds:.6f}")
        return f"{seconds:.6f} s"

    def bench_case(self, case):
        """The rounds of one case."""
        folder = self.data / f"c{case.number}"
        first, second = folder / case.first, folder / case.second
        progress(f"== case {case.number}")
        clean_results(folder)
        warm(first, second)
        for i in range(1, self.runs + 1):
            shown = []
            for b in self.builds:
                tree = TREES[b]
                shown.append(f"window {b} " + self.run_program(
                    case, "window", b, tree / "app/sorowa.exe", first, second))
                if (tree / "app/sorowa.com").is_file():
                    shown.append(f"sorowa.com {b} " + self.run_program(
                        case, "console", b, tree / "app/sorowa.com", first, second))
                if first.is_dir():
                    shown.append(f"tree_floor {b} " + self.run_tree_floor(case, b))
            shown.append(f"{case.peer_name} " + self.run_peer(case, first, second))
            if case.dd_floor:
                shown.append("dd " + self.run_dd_floor(case, first, second))
            progress(f"run {i}/{self.runs}: " + ", ".join(shown))


def parse_arguments():
    parser = argparse.ArgumentParser(prog="scripts/bench", description=__doc__.split("\n\n")[0],
                                     epilog="\n\n".join(__doc__.split("\n\n")[2:]),
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=positive, metavar="N",
                        help="runs per case of each program, peer and floor (default 5, "
                             "or 1 with --quick)")
    parser.add_argument("--quick", action="store_true",
                        help="a fast smoke run: small data, one run (unless --runs says "
                             "otherwise)")
    parser.add_argument("--timeout", type=positive, default=600, metavar="SECONDS",
                        help="a run of the program still going after SECONDS (default 600) is "
                             'stopped; its row then shows ">SECONDS" and its other runs are '
                             "skipped")
    args = parser.parse_args()
    if args.runs is None:
        args.runs = 1 if args.quick else 5
    return args


def main():
    args = parse_arguments()
    started = time.monotonic()
    os.chdir(ROOT)
    mode = "quick" if args.quick else "full"
    data = Path("build/bench-data") / mode
    # SIGTERM ends the bench as Ctrl+C does: through the clean-up below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))

    progress("== build")
    if run(["scripts/setup"], stdout=sys.stderr).returncode != 0:
        raise BenchError("scripts/setup failed")
    Path("build").mkdir(exist_ok=True)
    build_tree("bench64")
    build_tree("bench32")

    # Made once per mode, and made again when the generator changes.
    if run([sys.executable, "tools/bench_data.py", *(["--quick"] if args.quick else []),
            str(data)]).returncode != 0:
        raise BenchError("cannot make the data")

    tmp = Path(tempfile.mkdtemp(prefix="sorowa-bench."))
    try:
        bench = Bench(args, data, tmp)
        try:
            bench.start_wine()
            for case in CASES:
                bench.bench_case(case)
        finally:
            bench.stop_wine()
            for case in CASES:
                clean_results(data / f"c{case.number}")
        samples = tmp / "samples"
        samples.write_text("".join(line + "\n" for line in bench.samples))
        print(flush=True)
        run([sys.executable, "tools/bench_table.py", "--cases", str(data / "cases.json"),
             "--mode", mode, "--runs", str(args.runs), "--timeout", str(args.timeout),
             *(f"--note={note}" for note in bench.notes), str(samples)], check=True)
    finally:
        shutil.rmtree(tmp)
    print(f"bench: done in {int(time.monotonic() - started)} s")


if __name__ == "__main__":
    try:
        main()
    except BenchError as error:
        progress(f"bench: {error}")
        sys.exit(1)
    except KeyboardInterrupt:
        sys.exit(130)
