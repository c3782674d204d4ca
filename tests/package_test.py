#!/usr/bin/env python3
"""The zip of a built Windows tree as a user gets it: made twice by scripts/package, the two
are the same bytes; it holds the tree's two programs, the readme (UTF-8 with a byte order
mark, CRLF line ends, the version and the console's exit statuses) and the licence notices
as the installed Debian packages state them, and nothing else.

Usage: package_test.py TREE EXPECTED_ZIP_NAME VERSION MINGW_RUNTIME_PACKAGE
"""

import pathlib
import subprocess
import sys
import tempfile
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent


def main():
    tree, zip_name, version, runtime_package = sys.argv[1:5]
    tree = pathlib.Path(tree)
    failures = []

    def expect(condition, what):
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory(prefix="sorowa-package-test-") as temp:
        made = []
        for attempt in ("first", "second"):
            out = pathlib.Path(temp) / attempt
            subprocess.run([sys.executable, str(ROOT / "scripts" / "package"), "--tree", str(tree),
                            "--out", str(out)], check=True, stdout=subprocess.DEVNULL)
            made.append(out / zip_name)
        expect(made[0].read_bytes() == made[1].read_bytes(), "two packagings differ")

        with zipfile.ZipFile(made[0]) as archive:
            expect(archive.testzip() is None, "a damaged entry")
            names = sorted(archive.namelist())
            expected = sorted(["sorowa.exe", "sorowa.com", "readme.txt",
                               "licenses/mingw-w64.txt", "licenses/gcc-runtime-libraries.txt"])
            expect(names == expected, f"entries {names}, expected {expected}")
            for program in ("sorowa.exe", "sorowa.com"):
                expect(archive.read(program) == (tree / "app" / program).read_bytes(),
                       f"{program} is not the tree's")
            readme = archive.read("readme.txt")
            expect(readme.startswith(b"\xef\xbb\xbf"), "readme without a byte order mark")
            expect(readme.count(b"\n") == readme.count(b"\r\n") > 0, "readme lines not CRLF")
            text = readme.decode("utf-8-sig")
            expect(f"Sorowa {version}" in text, "readme without the version")
            for status in ("  0   ", "  1   ", "  2   "):
                expect(status in text, f"readme without exit status {status.strip()}")
            notices = {
                "licenses/mingw-w64.txt": (runtime_package, "winpthreads"),
                "licenses/gcc-runtime-libraries.txt": ("gcc-mingw-w64-base",
                                                       "GCC RUNTIME LIBRARY EXCEPTION"),
            }
            for entry, (package, mention) in notices.items():
                notice = archive.read(entry)
                expect(notice == pathlib.Path(f"/usr/share/doc/{package}/copyright").read_bytes(),
                       f"{entry} is not {package}'s copyright file")
                expect(mention.encode() in notice, f"{entry} does not mention {mention}")
            for info in archive.infolist():
                expect(info.date_time == archive.infolist()[0].date_time,
                       f"{info.filename}: a time of its own")

    for failure in failures:
        print(failure)
    print("package as expected" if not failures else f"{len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
