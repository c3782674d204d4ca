#!/usr/bin/env python3
"""Makes the data of scripts/bench's cases, deterministically, under one folder.

Usage: bench_data.py [--quick] FOLDER

Case N lives in FOLDER/cN: a.bin and b.bin for the file cases 1-3, folders a and b for the
tree cases 4 and 5. FOLDER/cases.json names the cases for the bench's table. The data is made
only when FOLDER does not already hold what this version of the generator makes; then FOLDER
is emptied first.

Every byte comes from seeded xorshift64* streams, so the same sizes give the same files on
every machine; cases 1-4 are the files the bench has always used.
"""

import argparse
import hashlib
import json
import shutil
import struct
import sys
from pathlib import Path

MASK = (1 << 64) - 1
CHUNK = 1 << 20  # bytes written at a time; a multiple of 8, so chunks continue one stream

# Sizes of the full run and of --quick, which keeps the slow cases short.
SIZES = {
    "full": dict(same=1 << 30, every=16 << 20, sprinkle=16 << 20, tree_files=10_000,
                 tree_every=1_000, real_files=3_000, real_largest=4 << 20),
    "quick": dict(same=16 << 20, every=64 << 10, sprinkle=1 << 20, tree_files=200,
                  tree_every=50, real_files=300, real_largest=1 << 20),
}
SPRINKLE_PERIOD = 100  # one byte in each stretch of 100 differs: 1%


class Stream:
    """xorshift64*: a small, fast generator whose output is fixed by its seed."""

    def __init__(self, seed):
        self.state = (seed * 0x9E3779B97F4A7C15 + 1) & MASK

    def next(self):
        s = self.state
        s ^= s >> 12
        s ^= (s << 25) & MASK
        s ^= s >> 27
        self.state = s
        return (s * 2685821657736338717) & MASK

    def below(self, n):
        """A number in [0, n)."""
        return self.next() % n

    def bytes(self, n):
        """The next n bytes: each output in little-endian order, the last one cut short."""
        count = (n + 7) // 8
        s = self.state
        values = [0] * count
        for i in range(count):
            s ^= s >> 12
            s ^= (s << 25) & MASK
            s ^= s >> 27
            values[i] = (s * 2685821657736338717) & MASK
        self.state = s
        return struct.pack(f"<{count}Q", *values)[:n]


def write_random(path, seed, size):
    stream = Stream(seed)
    with open(path, "wb") as f:
        for at in range(0, size, CHUNK):
            f.write(stream.bytes(min(CHUNK, size - at)))


def write_inverted(source, path):
    invert = bytes(255 - b for b in range(256))
    with open(source, "rb") as f, open(path, "wb") as out:
        while chunk := f.read(CHUNK):
            out.write(chunk.translate(invert))


def write_sprinkled(source, path, seed, period):
    """A copy with one byte inverted in each stretch of `period` bytes, where the seed says."""
    stream = Stream(seed)
    data = bytearray(Path(source).read_bytes())
    for at in range(0, len(data), period):
        i = at + stream.below(period)
        if i < len(data):
            data[i] ^= 0xFF
    Path(path).write_bytes(data)


def make_small_trees(a, b, seed, files, every):
    """`files` files of 1-4096 bytes, 100 to a folder, in both trees; every `every`-th one
    differs in one byte."""
    stream = Stream(seed)
    for i in range(files):
        data = bytearray(stream.bytes(1 + stream.below(4096)))
        for side, root in enumerate((a, b)):
            folder = root / f"d{i // 100:03d}"
            folder.mkdir(parents=True, exist_ok=True)
            if side == 1 and i % every == every - 1:
                data[stream.below(len(data))] ^= 0xFF
            (folder / f"f{i:05d}.bin").write_bytes(data)


FOLDER_WORDS = ["src", "lib", "docs", "assets", "data", "tests", "tools", "old", "images",
                "new folder", "backup", "include"]
KINDS = [  # (share in percent, smallest, largest, extensions)
    (3, 0, 0, ["txt", "log"]),
    (67, 1, 4 << 10, ["txt", "ini", "json", "c", "h", "md"]),
    (27, 4 << 10, 256 << 10, ["png", "pdf", "dll", "xml"]),
    (3, 256 << 10, None, ["zip", "bin", "exe"]),  # up to the mode's largest
]


def make_real_trees(a, b, seed, files, largest):
    """Two trees as people have them: files of mixed sizes in nested folders; in the second,
    some files differ in a few bytes or in length, some are missing (one folder entirely),
    and a few are extra. Returns what the table says about the case."""
    stream = Stream(seed)
    # Each folder hangs under an earlier one, which nests them a few levels deep.
    folders = [Path()]
    for k in range(1, files // 15):
        parent = folders[stream.below(len(folders))]
        folders.append(parent / f"{FOLDER_WORDS[stream.below(len(FOLDER_WORDS))]}{k:03d}")
    missing_folder = folders[-1]  # the last one has no subfolders
    for folder in folders:
        (a / folder).mkdir(parents=True, exist_ok=True)
        if not folder.is_relative_to(missing_folder):
            (b / folder).mkdir(parents=True, exist_ok=True)

    total = differing = missing = 0
    for i in range(files):
        share = stream.below(100)
        for percent, smallest, biggest, extensions in KINDS:
            if share < percent:
                break
            share -= percent
        biggest = largest if biggest is None else biggest
        size = smallest + stream.below(biggest - smallest + 1)
        folder = folders[stream.below(len(folders))]
        name = folder / f"file{i:04d}.{extensions[i % len(extensions)]}"
        data = bytearray(stream.bytes(size))
        total += size
        (a / name).write_bytes(data)

        fate = stream.below(1000)
        if name.is_relative_to(missing_folder) or fate < 15:
            missing += 1
            continue
        if fate < 35 and size > 0:  # a few bytes inverted
            for at in {stream.below(size) for _ in range(1 + stream.below(16))}:
                data[at] ^= 0xFF
            differing += 1
        elif fate < 45:  # cut short or grown
            if fate % 2 and size > 0:
                data = data[: stream.below(size)]
            else:
                data += stream.bytes(1 + stream.below(100))
            differing += 1
        elif fate < 55:  # a file only the second tree has beside it
            (b / folder / f"extra{i:04d}.txt").write_bytes(stream.bytes(stream.below(4096)))
        (b / name).write_bytes(data)
    return (f"two trees of {files:,} files ({total / (1 << 20):.0f} MiB) in {len(folders)} "
            f"nested folders, {differing} differ, {missing} missing")


def size_text(n):
    for unit, shift in (("GiB", 30), ("MiB", 20), ("KiB", 10)):
        if n >= 1 << shift:
            return f"{n / (1 << shift):g} {unit}"
    return f"{n} bytes"


def make(folder, sizes):
    c = {n: folder / f"c{n}" for n in range(1, 6)}
    for case in c.values():
        case.mkdir(parents=True)
    progress("case 1")
    write_random(c[1] / "a.bin", 1, sizes["same"])
    shutil.copyfile(c[1] / "a.bin", c[1] / "b.bin")
    progress("case 2")
    write_random(c[2] / "a.bin", 2, sizes["every"])
    write_inverted(c[2] / "a.bin", c[2] / "b.bin")
    progress("case 3")
    write_random(c[3] / "a.bin", 3, sizes["sprinkle"])
    write_sprinkled(c[3] / "a.bin", c[3] / "b.bin", 4, SPRINKLE_PERIOD)
    progress("case 4")
    make_small_trees(c[4] / "a", c[4] / "b", 5, sizes["tree_files"], sizes["tree_every"])
    progress("case 5")
    real = make_real_trees(c[5] / "a", c[5] / "b", 6, sizes["real_files"], sizes["real_largest"])
    return {
        "1": f"two identical {size_text(sizes['same'])} files",
        "2": f"two {size_text(sizes['every'])} files that differ in every byte",
        "3": f"two {size_text(sizes['sprinkle'])} files that differ in 1% of the bytes",
        "4": f"two folders of {sizes['tree_files']:,} small files, "
             f"{sizes['tree_files'] // sizes['tree_every']} of which differ",
        "5": real,
    }


def progress(text):
    print(f"bench data: {text}", file=sys.stderr, flush=True)


def main():
    parser = argparse.ArgumentParser(description="Makes the data of scripts/bench's cases.")
    parser.add_argument("--quick", action="store_true", help="the small sizes of a quick run")
    parser.add_argument("folder", type=Path)
    args = parser.parse_args()

    mode = "quick" if args.quick else "full"
    # The data stands as long as this file does.
    key = hashlib.sha256(Path(__file__).read_bytes() + mode.encode()).hexdigest()
    manifest = args.folder / "cases.json"
    try:
        if json.loads(manifest.read_text())["key"] == key:
            return
    except (OSError, ValueError, KeyError):
        pass
    shutil.rmtree(args.folder, ignore_errors=True)
    progress(f"making {args.folder}")
    titles = make(args.folder, SIZES[mode])
    manifest.write_text(json.dumps({"key": key, "titles": titles}, indent=1) + "\n")


if __name__ == "__main__":
    main()
