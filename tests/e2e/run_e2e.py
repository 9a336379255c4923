#!/usr/bin/env python3
"""End-to-end tests of Corvane: the real program from a fresh portable copy, under Xvfb with
a window manager, driven with real X input, checked on a page server's log, the screen and
the data files.

    tests/e2e/run_e2e.py [--build DIR] [--keep] [--list] [TEST ...]

Runs every test, or the ones named. On a failure it saves a picture of the screen, the page
server's log, the program's output and the data files under DIR/e2e-artifacts/TEST/ and
prints where. Exit code: 0 all passed, 1 a test failed or could not run, 77 skipped (a tool
is missing: Xvfb, openbox, xdotool, wmctrl, xwd, xwininfo, xclip, xprop).

The engine gets "--disable-gpu --disable-background-networking --disable-component-update";
E2E_ENGINE_FLAGS replaces them (to tell whether a fault depends on the GPU path).
"""

import sys

sys.dont_write_bytecode = True  # the runner lives in the source tree

import argparse  # noqa: E402
import os  # noqa: E402
import shutil  # noqa: E402
import tempfile  # noqa: E402
import time  # noqa: E402
import traceback  # noqa: E402

import cases  # noqa: E402
import harness  # noqa: E402
import pages  # noqa: E402

SKIP = 77


class Case:
    """What one test works with: its folder, display, page server and programs."""

    def __init__(self, name, base, portable):
        self.name = name
        self.base = base
        self.portable = portable
        self.programs = []
        self.problems = []  # checks that failed without stopping the test
        self.notes = []
        self.server = pages.PageServer()
        try:
            self.display = harness.Display(base)
        except BaseException:
            self.server.stop()
            raise

    # ---- set-up

    def settings(self, home_pages, new_window_separate=False):
        return harness.settings_file(home_pages, new_window_separate)

    def start(self, settings):
        p = harness.Program(os.path.join(self.base, "run%d" % (len(self.programs) + 1)), self.portable,
                            self.display, settings)
        self.programs.append(p)
        p.start()
        return p

    # ---- waiting and checking

    def wait_ready(self, page, count=1, timeout=30):
        """Waits for a page of the corpus to have run its scripts (count times)."""
        ok = harness.wait_for(lambda: len(self.server.seen("/ready", p=page)) >= count
                              or any(not p.alive() for p in self.programs), timeout)
        dead = [p for p in self.programs if p.runs and not p.alive()]
        harness.check(ok and not dead, "the page %r did not load within %d s%s" % (
            page, timeout, " (the program ended: %s)" % self.exit_text(dead[0]) if dead else ""))

    def expect(self, condition, message):
        """A check that does not stop the test: its failure is reported at the end."""
        if not condition:
            self.problems.append(message)
        return condition

    def note(self, text):
        self.notes.append(text)

    def exit_text(self, program):
        code = program.proc.poll() if program.proc else None
        if code is None:
            return "still running"
        return "killed by signal %d" % -code if code < 0 else "exit code %d" % code

    def window_titles(self, program):
        return [self.display.title(w) for w in self.display.windows(".", program.proc.pid)]

    def find_file(self, name):
        """A complete file of that name anywhere in the test's folder (home, portable copy)."""
        for root, _, files in os.walk(self.base):
            if name in files:
                return os.path.join(root, name)
        return None

    # ---- the end

    def save_artifacts(self, folder):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        saved = []
        if self.display is not None:
            try:
                saved.append(self.display.screenshot(os.path.join(folder, "screen.png")))
            except Exception as e:  # the picture is a help, not a must
                self.note("no screen picture: %s" % e)
        path = os.path.join(folder, "server.log")
        with open(path, "w") as f:
            f.write(self.server.text())
        saved.append(path)
        for i, p in enumerate(self.programs, 1):
            for run in range(1, p.runs + 1):
                if os.path.exists(p.output_path(run)):
                    target = os.path.join(folder, "program%d-run%d.log" % (i, run))
                    shutil.copy(p.output_path(run), target)
                    saved.append(target)
            for run in range(1, len(p.helps) + 1):
                log = os.path.join(p.base, "help-run%d.log" % run)
                if os.path.exists(log):
                    target = os.path.join(folder, "program%d-help%d.log" % (i, run))
                    shutil.copy(log, target)
                    saved.append(target)
            if os.path.isdir(p.data_folder()):
                target = os.path.join(folder, "data%d" % i)
                shutil.copytree(p.data_folder(), target)
                saved.append(target)
        return saved

    def close(self):
        for p in self.programs:
            p.kill()
        if self.display is not None:
            self.display.close()
        self.server.stop()


def run_one(fn, args):
    name = fn.__name__
    work = os.path.join(args.build, "e2e-work")
    os.makedirs(work, exist_ok=True)
    base = tempfile.mkdtemp(prefix=name + "-", dir=work)
    t0 = time.monotonic()
    t = None
    failure = None
    try:
        t = Case(name, base, args.portable)
        fn(t)
        if t.problems:
            failure = "; ".join(t.problems)
    except harness.Failure as e:
        failure = "; ".join([str(e)] + (t.problems if t else []))
    except Exception:
        failure = "the test could not run:\n" + traceback.format_exc()
    finally:
        saved = []
        if failure and t is not None:
            saved = t.save_artifacts(os.path.join(args.artifacts, name))
        if t is not None:
            t.close()
        if not args.keep:
            shutil.rmtree(base, ignore_errors=True)
    seconds = time.monotonic() - t0
    print("%s %s (%.1f s)" % ("FAIL" if failure else "PASS", name, seconds))
    for n in (t.notes if t else []):
        print("     note: " + n)
    if failure:
        print("     " + failure.replace("\n", "\n     "))
        for s in saved:
            print("     saved: " + s)
    if args.keep:
        print("     kept: " + base)
    sys.stdout.flush()
    return failure is None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(here, "..", "..", "build"),
                    help="build folder holding the portable folder Corvane/")
    ap.add_argument("--artifacts", help="where failures leave their pictures and logs (BUILD/e2e-artifacts)")
    ap.add_argument("--keep", action="store_true", help="keep each test's folder (homes, copies, logs)")
    ap.add_argument("--list", action="store_true", help="print the tests' names and end")
    ap.add_argument("tests", nargs="*", help="names of the tests to run (all by default)")
    args = ap.parse_args()

    if args.list:
        print("\n".join(fn.__name__ for fn in cases.CASES))
        return 0
    chosen = [fn for fn in cases.CASES if not args.tests or fn.__name__ in args.tests]
    unknown = set(args.tests) - {fn.__name__ for fn in cases.CASES}
    if unknown:
        print("no such test: %s" % ", ".join(sorted(unknown)), file=sys.stderr)
        return 1

    missing = harness.missing_tools()
    if missing:
        print("SKIP: the end-to-end tests need %s (scripts/install-deps.sh installs them)" % ", ".join(missing))
        return SKIP
    args.build = os.path.abspath(args.build)
    args.portable = os.path.join(args.build, "Corvane")
    args.artifacts = os.path.abspath(args.artifacts or os.path.join(args.build, "e2e-artifacts"))
    for need in ("Corvane.exe", "site/Corvane.html"):
        if not os.path.exists(os.path.join(args.portable, need)):
            print("missing %s: build the targets Corvane and site first" % os.path.join(args.portable, need),
                  file=sys.stderr)
            return 1

    results = [run_one(fn, args) for fn in chosen]
    failed = results.count(False)
    print("%d of %d end-to-end tests passed" % (len(results) - failed, len(results)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
