#!/usr/bin/env python3
"""Checks that tools/bench_data.py still makes the bench's data byte for byte.

The digests are of the quick data: cases 1-4 as the bench's earlier generator (in C) made
them, case 5 as it was first made. Data that changes makes the bench's figures incomparable
with every figure measured before, so a change here must be meant.
"""

import hashlib
import subprocess
import sys
import tempfile
from pathlib import Path

EXPECTED = {
    "c1": "393d8ddcac9303023e931d7eac8363fab3190299f3175e787380ea24787df3c0",
    "c2": "88acf44fd891788957b6b6de0bd4dbd939d6e9c77beb9c6a867550d90b1d0c93",
    "c3": "3bed1eb22c83cbcca11e7fb72124e3c97e58be7b46776a9543c1ef405018f715",
    "c4": "1d24ce2a1826811aaecde6a69fa83bf8352576d22df1598f362e0d91c936540c",
    "c5": "79353a51c492b5e4fd95b43ba7b10f32233f09ac230590ec27eee14c0dda369e",
}


def digest(folder):
    """The relative paths and the bytes of every file under `folder`, in a fixed order."""
    h = hashlib.sha256()
    for path in sorted(p for p in folder.rglob("*") if p.is_file()):
        h.update(path.relative_to(folder).as_posix().encode() + b"\0")
        h.update(path.read_bytes())
    return h.hexdigest()


def main():
    generator = Path(__file__).with_name("bench_data.py")
    with tempfile.TemporaryDirectory() as scratch:
        data = Path(scratch) / "quick"
        subprocess.run([sys.executable, generator, "--quick", data], check=True,
                       stderr=subprocess.DEVNULL)
        changed = [case for case, expected in EXPECTED.items()
                   if digest(data / case) != expected]
    for case in changed:
        print(f"bench_data: the quick data of case {case[1:]} is not what it was")
    return 1 if changed else 0


if __name__ == "__main__":
    sys.exit(main())
