#!/usr/bin/env python3
"""Two builds of the same sources in different folders give the same programs, byte for byte.

Copies the source tree (the files git knows, as they are in the work tree) to two folders of
different names and lengths, configures each for x86_64 Windows, Release, without the tests,
builds sorowa.exe and sorowa.com in each, and compares them. Also checks that the PE header
carries no link time and that no folder of either build shows up in the programs.

Usage: reproducible_build.py SOURCE_DIR
"""

import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

PROGRAMS = ("app/sorowa.exe", "app/sorowa.com")


def source_files(source):
    listed = subprocess.run(
        ["git", "-C", str(source), "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        check=True, capture_output=True).stdout
    return [name for name in listed.decode().split("\0") if name]


def build(source, files, where):
    copy = where / "src"
    for name in files:
        origin = source / name
        if origin.is_file():
            target = copy / name
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(origin, target)
    tree = where / "out"
    subprocess.run(["cmake", "-S", str(copy), "-B", str(tree), "-G", "Unix Makefiles",
                    "-DCMAKE_TOOLCHAIN_FILE=" + str(copy / "cmake/toolchain-x86_64-w64-mingw32.cmake"),
                    "-DCMAKE_BUILD_TYPE=Release", "-DSOROWA_TESTS=OFF"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(tree), "-j2", "--target", "sorowa", "sorowa_console"],
                   check=True, stdout=subprocess.DEVNULL)
    return {program: (tree / program).read_bytes() for program in PROGRAMS}


def pe_time_stamp(image):
    header = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[header:header + 4] == b"PE\0\0"
    return struct.unpack_from("<I", image, header + 8)[0]


def main():
    source = pathlib.Path(sys.argv[1]).resolve()
    files = source_files(source)
    failures = []
    with tempfile.TemporaryDirectory(prefix="sorowa-repro-") as temp:
        first_dir = pathlib.Path(temp) / "a"
        second_dir = pathlib.Path(temp) / "second-folder" / "deeper"
        first = build(source, files, first_dir)
        second = build(source, files, second_dir)
        for program in PROGRAMS:
            if first[program] != second[program]:
                differing = next(i for i, (x, y) in enumerate(zip(first[program], second[program]))
                                 if x != y) if len(first[program]) == len(second[program]) else None
                failures.append(f"{program}: the two builds differ"
                                + (f" (first at byte {differing:#x})" if differing is not None
                                   else " in length"))
            stamp = pe_time_stamp(first[program])
            if stamp != 0:
                failures.append(f"{program}: PE time stamp {stamp}, expected 0")
            for folder in (first_dir, second_dir, source):
                if str(folder).encode() in first[program] + second[program]:
                    failures.append(f"{program}: holds the build path {folder}")
    for failure in failures:
        print(failure)
    print("reproducible" if not failures else f"{len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
