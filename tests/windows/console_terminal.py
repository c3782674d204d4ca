#!/usr/bin/env python3
"""The console twin where only the Linux side reaches it, on fixtures made here.

- A real console: on a pseudo-terminal Wine gives the program a console of its own, here
  switched to code page 437, which cannot show the report's code page 932 bytes; the report,
  the help and the messages must still read right, as the terminal's UTF-8, whatever the
  system's code page (the tree runs this under each, through SOROWA_LOCALE).
- Progress: on the console's standard error, a run that goes on for more than a second
  shows its status line, "比較中 N 組、N バイト", while standard output, redirected, holds
  the report alone; a short run shows none.
- Ctrl+C: Wine hands SIGINT to the program's console control handler. The run ends early
  with the stop line on standard error, status 2, and standard output a whole-line prefix of
  the full report. The signal goes as a terminal sends it, to the whole foreground process
  group: the program started in a session of its own, whichever Wine processes it runs in.

Usage: console_terminal.py PATH-OF-sorowa.com [WINE-RUN [ARGS...]]
  WINE-RUN  the tree's emulator (scripts/wine-run, with its --i686 probe in an i686 tree);
            when it says the tree's programs cannot run here (77), every case is skipped
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = [os.path.join(HERE, "..", "..", "scripts", "wine-run")]
PROGRAM = ""
STOPPED = "比較を中止しました。\r\n".encode("cp932")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def write(path, data, size=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
        if size is not None:
            f.truncate(size)


def on_terminal(command):
    """Runs `command` (a cmd line) with a pseudo-terminal as its console; returns what the
    terminal received, without its control sequences."""
    leader, follower = os.openpty()
    process = subprocess.Popen(WINE_RUN + ["cmd", "/c", command], stdin=follower,
                               stdout=follower, stderr=follower)
    os.close(follower)
    received = b""
    while True:
        try:
            chunk = os.read(leader, 65536)
        except OSError:  # the terminal's other side has closed
            break
        if not chunk:
            break
        received += chunk
    os.close(leader)
    process.wait(timeout=60)
    # Wine's console draws blanks by moving the cursor: keep the text itself.
    return re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]", b"", received).replace(b"\r", b"")


class Console(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def test_a_console_of_another_code_page_shows_the_report_as_written(self):
        write(f"{self.root}/one/表.bin", b"abc")
        write(f"{self.root}/two/表.bin", b"abcd")
        program = windows_path(PROGRAM)
        # The report, the help and a message on standard error, in one console.
        shown = on_terminal(f"chcp 437 >nul & {program} "
                            f"{windows_path(self.root + '/one/表.bin')} "
                            f"{windows_path(self.root + '/two')} & {program} -h & {program} one")
        shown = shown.replace(b" ", b"")
        for text in ("FILENAME表.bin\nファイルサイズが一致しません。\n", "使い方:sorowa",
                     "引数が正しくありません。"):
            self.assertIn(text.encode("utf-8"), shown)

    def test_a_long_run_shows_its_progress_on_the_console_and_a_short_one_does_not(self):
        # Sparse and equal, each a few seconds of reading under Wine.
        for name in ("a.bin", "b.bin"):
            write(f"{self.root}/big/{name}", b"", 2 << 30)
        write(f"{self.root}/big/x", b"1")
        out = f"{self.root}/out"
        progress = "比較中 ".encode("utf-8")
        shown = on_terminal(f"{windows_path(PROGRAM)} {windows_path(self.root + '/big/a.bin')} "
                            f"{windows_path(self.root + '/big/b.bin')} >{windows_path(out)}")
        self.assertIn(progress, shown)
        self.assertIn("組、".encode("utf-8"), shown)
        self.assertIn(" バイト".encode("utf-8"), shown)
        with open(out, "rb") as f:
            self.assertEqual(f.read(), b"")
        shown = on_terminal(f"{windows_path(PROGRAM)} {windows_path(self.root + '/big/x')} "
                            f"{windows_path(self.root + '/big/x')} >{windows_path(out)}")
        self.assertNotIn(progress, shown)

    def interrupted(self, path1, path2):
        """Runs the program with its output to a file, and sends Ctrl+C once output has
        begun to arrive; returns the status, standard output and standard error."""
        out_path, err_path = f"{self.root}/out", f"{self.root}/err"
        with open(out_path, "wb") as out, open(err_path, "wb") as err:
            process = subprocess.Popen(
                WINE_RUN + [PROGRAM, windows_path(path1), windows_path(path2)],
                stdin=subprocess.DEVNULL, stdout=out, stderr=err, start_new_session=True)
            deadline = time.monotonic() + 60
            while os.path.getsize(out_path) == 0 and process.poll() is None:
                self.assertLess(time.monotonic(), deadline, "no output")
                time.sleep(0.01)
            os.killpg(process.pid, signal.SIGINT)
            status = process.wait(timeout=60)
        with open(out_path, "rb") as out, open(err_path, "rb") as err:
            return status, out.read(), err.read()

    def test_ctrl_c_ends_a_folder_run_between_files(self):
        # Enough small pairs that the walk is still going when the signal comes.
        files = 20000
        for i in range(files):
            write(f"{self.root}/one/{i // 100}/{i}", b"a")
            write(f"{self.root}/two/{i // 100}/{i}", b"b")
        whole = subprocess.run(WINE_RUN + [PROGRAM, windows_path(f"{self.root}/one"),
                                           windows_path(f"{self.root}/two")],
                               capture_output=True, check=False)
        # The run to compare with must itself have run: differences only.
        self.assertEqual(whole.returncode, 1, whole.stderr)
        full = whole.stdout
        status, output, errors = self.interrupted(f"{self.root}/one", f"{self.root}/two")
        self.assertEqual((status, errors), (2, STOPPED))
        self.assertTrue(output.endswith(b"\r\n"))
        self.assertLess(len(output), len(full))
        self.assertEqual(output, full[:len(output)])

    def test_ctrl_c_ends_a_pair_at_its_next_block(self):
        size = 64 << 20  # 1.2 GB of report if nothing stopped it
        write(f"{self.root}/a.bin", b"\x00" * size)
        write(f"{self.root}/b.bin", b"\xff" * size)
        status, output, errors = self.interrupted(f"{self.root}/a.bin", f"{self.root}/b.bin")
        self.assertEqual((status, errors), (2, STOPPED))
        self.assertLess(len(output), size)
        lines = output.split(b"\r\n")
        self.assertEqual(lines[0], b"FILENAME a.bin")
        self.assertEqual(lines[-1], b"")  # whole lines only
        self.assertEqual(lines[1:-1], [b"%08X : 00 FF" % i for i in range(len(lines) - 2)])


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    if len(sys.argv) > 1:
        WINE_RUN = sys.argv[1:]
        del sys.argv[1:]
    # The emulator answers 77 before it runs anything when this tree's programs cannot run.
    if subprocess.run(WINE_RUN + ["cmd", "/c", "exit"], capture_output=True).returncode == 77:
        print("skipped: this tree's programs do not run here")
        sys.exit(77)
    # Passed only when cases ran and all of them passed.
    result = unittest.main(exit=False).result
    sys.exit(0 if result.testsRun > 0 and result.wasSuccessful() else 1)
