#!/usr/bin/env python3
"""The console twin over one folder tree with every kind of report, against the report
written out here byte for byte: differing bytes, sizes that differ, a file missing under the
second folder, a sparse pair past 4 GiB whose offsets take more than 32 bits, and names that
code page 932 cannot hold, in the tree and in the two paths on the command line. The same
expectation holds both builds, the x86-64 one and the i686 release build, so that the two
twins give the same bytes; in the i686 tree it is one of the smoke set, which runs where the
kernel cannot execute i386 programs, under an emulator (one program start, about a minute).

Usage: console_reference.py PATH-OF-sorowa.com WINE-RUN [ARGS...]
  WINE-RUN  how the tree runs a program under Wine; when it answers 77 before running
            anything (the tree's programs cannot run here), the case is skipped
"""
import os
import subprocess
import sys
import tempfile

CP = "cp932"
NOT_EXIST = "は存在しません。\r\n".encode(CP)
SIZES_DIFFER = "ファイルサイズが一致しません。\r\n".encode(CP)
FOUR_GIB = 1 << 32


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def write(path, data, size=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
        if size is not None:
            f.truncate(size)


def poke(path, offset, byte):
    with open(path, "r+b") as f:
        f.seek(offset)
        f.write(bytes([byte]))


def make_tree(root):
    """Makes the two folders; returns the report's blocks. Each folder holds one entry that
    is reported, so that the blocks' order is the only thing the listing order decides."""
    one, two = f"{root}/Jürgen/one", f"{root}/Jürgen/two"
    write(f"{one}/bytes.bin", b"abcd\x01")
    write(f"{two}/bytes.bin", b"abXY\x10")
    write(f"{one}/same.bin", b"the same")
    write(f"{two}/same.bin", b"the same")
    write(f"{one}/size/s.bin", b"abc")
    write(f"{two}/size/s.bin", b"abcd")
    write(f"{one}/déjà/über.bin", b"1")
    write(f"{two}/déjà/über.bin", b"2")
    write(f"{one}/gone/g.bin", b"g")
    os.makedirs(f"{two}/gone")
    # 4 GiB + 32 bytes of zeros but for the last byte below 4 GiB and one past it.
    for side in (one, two):
        write(f"{side}/big/sparse.bin", b"", FOUR_GIB + 32)
    poke(f"{two}/big/sparse.bin", FOUR_GIB - 1, 0x01)
    poke(f"{one}/big/sparse.bin", FOUR_GIB + 16, 0x5A)
    poke(f"{two}/big/sparse.bin", FOUR_GIB + 16, 0xA5)
    return [
        b"FILENAME bytes.bin\r\n00000002 : 63 58\r\n00000003 : 64 59\r\n00000004 : 01 10\r\n",
        b"FILENAME size\\s.bin\r\n" + SIZES_DIFFER,
        b"FILENAME d?j?\\?ber.bin\r\n00000000 : 31 32\r\n",
        b"FILENAME gone\\g.bin\r\ngone\\g.bin" + NOT_EXIST,
        b"FILENAME big\\sparse.bin\r\nFFFFFFFF : 00 01\r\n100000010 : 5A A5\r\n",
    ]


def main(argv):
    program, wine_run = os.path.abspath(argv[0]), argv[1:]
    with tempfile.TemporaryDirectory() as root:
        blocks = make_tree(root)
        run = subprocess.run(wine_run + [program, windows_path(f"{root}/Jürgen/one"),
                                         windows_path(f"{root}/Jürgen/two")],
                             capture_output=True, timeout=540, check=False)
    if run.returncode == 77:
        print(run.stdout.decode(errors="replace"), end="")
        return 77
    # Whole blocks, an empty line between two; in the order the folders were listed.
    found = run.stdout.split(b"\r\n\r\n")
    found = [block if i == len(found) - 1 else block + b"\r\n" for i, block in enumerate(found)]
    problems = []
    if run.returncode != 1:
        problems.append(f"status {run.returncode}, not 1 (differences only)")
    if run.stderr:
        problems.append(f"standard error: {run.stderr!r}")
    if sorted(found) != sorted(blocks):
        problems.append(f"the report's blocks differ:\n  expected {blocks}\n  found    {found}")
    for problem in problems:
        print(f"console_reference: {problem}")
    if not problems:
        print(f"console_reference: the report as expected, {len(run.stdout)} bytes")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
