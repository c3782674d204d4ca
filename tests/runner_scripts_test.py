#!/usr/bin/env python3
"""The test command's own judges, on results made here: scripts/gtest-verdict (one case, and
a whole program) and scripts/test-summary (cases and fixture steps apart, a program that ran
no case, a ctest that failed with nothing failed). A suite is only as honest as these.

Usage: runner_scripts_test.py
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
VERDICT = os.path.join(ROOT, "scripts", "gtest-verdict")
SUMMARY = os.path.join(ROOT, "scripts", "test-summary")
PROGRAM = os.path.join(ROOT, "scripts", "gtest-program")

# A stand-in for a GoogleTest program run whole: it prints gtest's lines for the cases A, B
# and C that its filter leaves, and dies inside B, which it never finishes, unless B is
# filtered out; with `crash=no` it writes its XML result as gtest would.
FAKE = r"""
import os, sys
args = dict(a.split("=", 1) for a in sys.argv[1:] if "=" in a)
left = [c for c in ("S.A", "S.B", "S.C") if c not in args.get("--gtest_filter", "-").lstrip("-").split(":")]
for case in left:
    print("[ RUN      ] " + case)
    if case == "S.B" and os.environ.get("CRASH") != "no":
        sys.exit(139)
    print("[       OK ] " + case + " (1 ms)")
result = args["--gtest_output"][len("xml:Z:"):].replace("\\", "/")
with open(result, "w") as f:
    f.write("<testsuites><testsuite>" + "".join(
        '<testcase name="%s" classname="S" status="run" result="completed"/>' % c.split(".")[1]
        for c in left) + "</testsuite></testsuites>")
"""


def gtest_xml(*cases):
    """A GoogleTest XML result; each case is (name, 'passed' | 'failed' | 'skipped' | 'notrun')."""
    body = []
    for name, kind in cases:
        status = "notrun" if kind == "notrun" else "run"
        result = "skipped" if kind == "skipped" else "completed"
        inner = '<failure message="boom"/>' if kind == "failed" else ""
        inner += '<skipped message="why"/>' if kind == "skipped" else ""
        body.append(f'<testcase name="{name}" status="{status}" result="{result}" classname="S">{inner}</testcase>')
    return f'<testsuites><testsuite name="S">{"".join(body)}</testsuite></testsuites>'


def junit_xml(*cases):
    """ctest's JUnit result; each case is (name, 'run' | 'fail' | 'skip')."""
    body = []
    for name, kind in cases:
        if kind == "skip":
            body.append(f'<testcase name="{name}" status="notrun"><skipped message="SKIP_RETURN_CODE=77"/></testcase>')
        else:
            body.append(f'<testcase name="{name}" status="{kind}"/>')
    return f'<testsuite>{"".join(body)}</testsuite>'


class Scratch(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def write(self, name, text):
        path = os.path.join(self.dir.name, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path


class GtestVerdict(Scratch):
    def verdict(self, *args):
        return subprocess.run([sys.executable, VERDICT, *args], capture_output=True, text=True).returncode

    def test_one_case(self):
        table = [
            ("a passing case", 0, gtest_xml(("A", "passed")), 0),
            ("a case that skipped itself", 0, gtest_xml(("A", "skipped")), 77),
            ("a passing result from a program that then failed", 3, gtest_xml(("A", "passed")), 1),
            ("a skip followed by a failing status", 3, gtest_xml(("A", "skipped")), 1),
            ("a failure with status 0", 0, gtest_xml(("A", "failed")), 1),
            ("no case for the filter", 0, gtest_xml(), 1),
            ("more cases than the filter names", 0, gtest_xml(("A", "passed"), ("B", "passed")), 1),
            ("a result that is no XML", 0, "", 1),
        ]
        for what, status, xml, expected in table:
            with self.subTest(what):
                self.assertEqual(self.verdict(str(status), self.write("r.xml", xml)), expected)
        self.assertEqual(self.verdict("0", os.path.join(self.dir.name, "none.xml")), 1)

    def test_whole_program(self):
        table = [
            ("passes and skips", 0, gtest_xml(("A", "passed"), ("B", "skipped")), 0),
            ("one failure among passes", 1, gtest_xml(("A", "passed"), ("B", "failed")), 1),
            ("a case that did not run", 0, gtest_xml(("A", "passed"), ("B", "notrun")), 1),
            ("no case at all", 0, gtest_xml(), 1),
            ("every case passed, the program failed", 3, gtest_xml(("A", "passed")), 1),
        ]
        for what, status, xml, expected in table:
            with self.subTest(what):
                self.assertEqual(self.verdict("--program", str(status), self.write("r.xml", xml)), expected)


class GtestProgram(Scratch):
    def run_whole(self, crash):
        fake = self.write("fake.py", FAKE)
        result = os.path.join(self.dir.name, "out", "whole.xml")
        done = subprocess.run([sys.executable, PROGRAM, result, sys.executable, "--", fake],
                              capture_output=True, text=True, env={**os.environ, "CRASH": crash})
        with open(result, encoding="utf-8") as f:
            return done.returncode, f.read()

    def test_every_case_of_a_whole_run_keeps_its_own_verdict(self):
        code, xml = self.run_whole("no")
        self.assertEqual(code, 0)
        self.assertEqual(xml.count("<testcase"), 3)

    def test_a_program_that_dies_in_a_case_fails_it_and_goes_on_after_it(self):
        code, xml = self.run_whole("yes")
        self.assertEqual(code, 1)
        self.assertEqual(xml.count("<testcase"), 3)  # A from the output, B failed, C restarted
        self.assertEqual(xml.count("<failure"), 1)
        self.assertIn('name="B"', xml[xml.index("<failure") - 200:xml.index("<failure")])


class TestSummary(Scratch):
    def tree(self, name, cases, labels, fixtures=(), programs=(), status=0):
        tree = os.path.join(self.dir.name, name)
        self.write(f"{name}/test-results.xml", junit_xml(*cases))
        tests = []
        for case, _ in cases:
            props = []
            if case in labels:
                props.append({"name": "LABELS", "value": [labels[case]]})
            if case in fixtures:
                props.append({"name": "FIXTURES_SETUP", "value": ["f"]})
            tests.append({"name": case, "properties": props})
        self.write(f"{name}/tests.json", json.dumps({"tests": tests}))
        self.write(f"{name}/test-programs.txt", "".join(p + "\n" for p in programs))
        self.write(f"{name}/ctest-status", f"{status}\n")
        return tree

    def summary(self, *trees):
        done = subprocess.run([sys.executable, SUMMARY, *trees], capture_output=True, text=True)
        return done.returncode, done.stdout.strip().splitlines()[-1]

    def test_cases_and_fixture_steps_count_apart(self):
        tree = self.tree("t", [("fix", "run"), ("S.A", "run"), ("S.B", "skip")],
                         {"S.A": "p", "S.B": "p"}, fixtures={"fix"}, programs=["p"])
        self.assertEqual(self.summary(tree), (0, "1 passed, 0 failed, 1 skipped"))

    def test_a_tree_fails(self):
        table = [
            ("with fixture steps and no case", [("fix", "run")], {}, {"fix"}, [], 0,
             "0 passed, 1 failed"),
            ("with a program that ran no case", [("S.A", "run")], {"S.A": "p"}, (), ["p", "q"], 0,
             "1 passed, 1 failed"),
            ("with a failed fixture step", [("fix", "fail"), ("S.A", "run")], {"S.A": "p"}, {"fix"},
             ["p"], 8, "1 passed, 1 failed"),
            ("whose ctest failed with nothing failed", [("S.A", "run")], {"S.A": "p"}, (), ["p"], 8,
             "1 passed, 1 failed"),
        ]
        for what, cases, labels, fixtures, programs, status, line in table:
            with self.subTest(what):
                tree = self.tree("t", cases, labels, fixtures, programs, status)
                self.assertEqual(self.summary(tree), (1, line))


if __name__ == "__main__":
    unittest.main(verbosity=2)
