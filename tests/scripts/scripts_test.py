"""Tests of the test command's helpers in scripts/: gtest-program.py,
leftover-processes.py and the display functions of xvfb-lib.sh."""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

SCRIPTS = os.environ.get("GSM_SCRIPTS") or os.path.join(os.path.dirname(__file__), "..", "..", "scripts")


def report(cases):
    """A GoogleTest XML report of (suite, name, outcome, message) cases."""
    rows = []
    for suite, name, outcome, message in cases:
        body = ""
        if outcome == "failed":
            body = f'<failure message="{message}" type=""></failure>'
        elif outcome == "skipped":
            body = "<skipped/>"
        status = "notrun" if outcome == "notrun" else "run"
        result = "skipped" if outcome == "skipped" else "completed"
        rows.append(f'<testcase name="{name}" status="{status}" result="{result}" classname="{suite}">{body}</testcase>')
    return '<?xml version="1.0"?><testsuites><testsuite name="s">' + "".join(rows) + "</testsuite></testsuites>"


class GtestProgram(unittest.TestCase):
    """The program's report decides, and a missing report or an error status
    is never taken for success."""

    def run_fake(self, xml_text, status):
        with tempfile.TemporaryDirectory() as d:
            fake = os.path.join(d, "fake.py")
            with open(fake, "w") as f:
                f.write(textwrap.dedent(f"""\
                    import sys
                    path = sys.argv[-1].split("xml:", 1)[1]
                    text = {xml_text!r}
                    if text is not None:
                        with open(path, "w") as f:
                            f.write(text)
                    print("[ RUN      ] Suite.Running")
                    sys.exit({status})
                    """))
            out = subprocess.run([sys.executable, os.path.join(SCRIPTS, "gtest-program.py"),
                                  os.path.join(d, "r.xml"), "--", sys.executable, fake],
                                 capture_output=True, text=True, timeout=60)
            return out.returncode, out.stdout

    def test_outcomes(self):
        passed = ("A", "one", "passed", "")
        failed = ("A", "two", "failed", "Expected equality")
        skipped = ("B", "three", "skipped", "")
        notrun = ("B", "DISABLED_four", "notrun", "")
        table = [
            # name, report, status, exit, text that must be in the output
            ("all passed", report([passed, notrun]), 0, 0, "1 passed, 0 failed, 0 skipped"),
            ("a failed case is named", report([passed, failed]), 1, 1, "FAILED: A.two"),
            ("its message is shown", report([failed]), 1, 1, "Expected equality"),
            ("a skipped case is no failure", report([passed, skipped]), 0, 0, "1 passed, 0 failed, 1 skipped"),
            ("no report: crashed", None, 134, 1, "no report from the program (status 134)"),
            ("no report even with status 0", None, 0, 1, "no report"),
            ("a clean report with an error status", report([passed]), 3, 1, "ended with status 3"),
            ("a report of no case", report([notrun]), 0, 1, "0 passed, 0 failed"),
            ("a damaged report", "<testsuites><testcase", 1, 1, "no report"),
        ]
        for name, xml_text, status, want_exit, want_text in table:
            with self.subTest(name):
                code, out = self.run_fake(xml_text, status)
                self.assertEqual(code, want_exit, out)
                self.assertIn(want_text, out)

    def test_a_windows_program_gets_a_drive_path(self):
        sys.path.insert(0, SCRIPTS)
        try:
            program = __import__("gtest-program")
        finally:
            sys.path.pop(0)
        self.assertEqual(program.report_flag("/b/r.xml", ["wine-run.sh", "/b/t.exe"]), "--gtest_output=xml:Z:/b/r.xml")
        self.assertEqual(program.report_flag("/b/r.xml", ["/b/t"]), "--gtest_output=xml:/b/r.xml")


class LeftoverProcesses(unittest.TestCase):
    """Processes of this checkout are found by their Wine prefix, display
    folder, build folder or program; those of another checkout are not,
    even one whose path starts with the same letters."""

    def setUp(self):
        self.base = tempfile.mkdtemp()
        self.root = os.path.join(self.base, "wt")
        os.makedirs(self.root)
        self.procs = []

    def tearDown(self):
        for p in self.procs:
            p.kill()
            p.wait()
        shutil.rmtree(self.base)

    def start(self, env=None, program=None):
        argv = ["sleep", "60"]
        if program:
            os.makedirs(os.path.dirname(program), exist_ok=True)
            shutil.copy(shutil.which("sleep"), program)
            argv[0] = program
        p = subprocess.Popen(argv, env={**os.environ, **(env or {})})
        self.procs.append(p)
        return p.pid

    def leftovers(self):
        out = subprocess.run([sys.executable, os.path.join(SCRIPTS, "leftover-processes.py"), self.root, "0"],
                             capture_output=True, text=True, timeout=60)
        pids = {int(line.split()[2]) for line in out.stdout.splitlines() if line.startswith("left running:")}
        return out.returncode, pids

    def test_which_processes_count(self):
        other = self.root + "-other"
        table = [
            ("Wine prefix of the checkout", {"WINEPREFIX": self.root + "/build/win32/wineprefix"}, None, True),
            ("display started for the checkout", {"GSM_XVFB_STATE": self.root + "/build/win32"}, None, True),
            ("build folder of the checkout", {"GSM_BUILD_DIR": self.root + "/build/win32"}, None, True),
            ("a program of the checkout", None, self.root + "/build/sim/gsm-simulator", True),
            ("Wine prefix of another checkout", {"WINEPREFIX": other + "/build/win32/wineprefix"}, None, False),
            ("a program of another checkout", None, other + "/build/sim/gsm-simulator", False),
            ("the checkout only in an unrelated variable", {"NOTES": self.root}, None, False),
        ]
        for name, env, program, counted in table:
            with self.subTest(name):
                pid = self.start(env, program)
                code, pids = self.leftovers()
                self.assertEqual(pid in pids, counted)
                self.assertEqual(code, 1 if counted else 0)
                p = self.procs.pop()
                p.kill()
                p.wait()

    def test_nothing_left(self):
        self.assertEqual(self.leftovers(), (0, set()))


@unittest.skipUnless(shutil.which("Xvfb"), "no Xvfb")
class Display(unittest.TestCase):
    """A display is ended by the folder it was started for, and a stale pid
    file never ends an unrelated process."""

    def shell(self, script, folder):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        return subprocess.run(["bash", "-c", f'source "{SCRIPTS}/xvfb-lib.sh"; {script}', "-", folder],
                              capture_output=True, text=True, env=env, timeout=60)

    def test_started_reused_and_ended(self):
        with tempfile.TemporaryDirectory() as d:
            out = self.shell('gsm_ensure_display "$1"; echo "$GSM_DISPLAY_STARTED $DISPLAY";'
                             'unset DISPLAY; gsm_ensure_display "$1"; echo "[$GSM_DISPLAY_STARTED] $DISPLAY"', d)
            first, second = out.stdout.split("\n")[:2]
            self.assertTrue(first.startswith("1 :"), out.stdout + out.stderr)
            self.assertEqual(second, "[] " + first.split()[1])  # reused, not started again
            pid = int(pathlib.Path(d, ".xvfb-pid").read_text())
            self.shell('gsm_stop_display "$1"', d)
            self.assertFalse(os.path.exists(f"/proc/{pid}"), "the display still runs")

    def test_a_stale_pid_file_ends_nothing(self):
        with tempfile.TemporaryDirectory() as d:
            other = subprocess.Popen(["sleep", "60"])
            try:
                pathlib.Path(d, ".xvfb-pid").write_text(str(other.pid))
                pathlib.Path(d, ".xvfb-display").write_text("999")
                self.shell('gsm_stop_display "$1"', d)
                self.assertIsNone(other.poll(), "an unrelated process was ended")
            finally:
                other.kill()
                other.wait()


if __name__ == "__main__":
    unittest.main()
