#!/usr/bin/env python3
"""Seeds the faults of faults.txt one at a time into a separate work tree, rebuilds the tests,
runs them through CTest and tells which faults the tests caught.

Never point it at the work tree others build from: every fault edits a source file for a
while. Make a tree of your own first:

    git worktree add --detach /tmp/faults-wt HEAD
    cmake -S /tmp/faults-wt -B /tmp/faults-wt/build-faults -G Ninja -DCMAKE_BUILD_TYPE=Release
    nice tools/faults/run.py --tree /tmp/faults-wt --build /tmp/faults-wt/build-faults

Exit status: 0 when every fault was caught, 1 when some were missed, 2 for bad arguments, a
fault that does not apply, or a tree that does not build or pass its tests without faults.
"""

import argparse
import pathlib
import re
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
TARGETS = ["engine_tests", "session_tests", "game_tests", "script_tests", "window_tests", "web_tests",
           "platform_tests", "quillon", "quillon_sound"]
# The install and package checks test the packaging, not the game's behaviour (the second
# clone's build alone would take minutes a fault).
EXCLUDED_TESTS = "^(install_tree|package_layout|package_reproducible)$"
# A line of ctest's report on a test that did not pass.
FAILED_TEST = re.compile(r"Test +#\d+: (\S+) \.*\**(?:Failed|Timeout|Exception|Subprocess)")


class Fault:
    def __init__(self, fields, line):
        missing = {"id", "file", "find", "replace", "what"} - fields.keys()
        if missing:
            raise ValueError(f"faults.txt:{line}: missing {', '.join(sorted(missing))}")
        self.id = fields["id"]
        self.file = fields["file"]
        self.find = fields["find"].replace("\\n", "\n")
        self.replace = fields["replace"].replace("\\n", "\n")
        self.what = fields["what"]


def read_faults(path):
    faults, fields, start = [], {}, 0
    lines = path.read_text(encoding="utf-8").splitlines() + [""]
    for number, line in enumerate(lines, 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if fields:
                faults.append(Fault(fields, start))
                fields = {}
            continue
        key, sep, value = line.partition(": ")
        if not sep:
            raise ValueError(f"faults.txt:{number}: expected 'key: value'")
        if not fields:
            start = number
        fields[key] = value
    return faults


def check_applies(tree, fault):
    path = tree / fault.file
    if not path.is_file():
        return f"{fault.file} does not exist"
    count = path.read_text(encoding="utf-8").count(fault.find)
    return None if count == 1 else f"its text occurs {count} times in {fault.file}"


def build(build_dir, log):
    result = subprocess.run(
        ["cmake", "--build", str(build_dir), "--target", *TARGETS],
        stdout=log, stderr=subprocess.STDOUT)
    return result.returncode == 0


def failing_tests(build_dir, log):
    """The names of the tests that failed; ctest stops at the first failure."""
    result = subprocess.run(
        ["ctest", "--test-dir", str(build_dir), "-E", EXCLUDED_TESTS, "--stop-on-failure",
         "--timeout", "60", "-j2", "--output-on-failure"],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    log.write(result.stdout)
    log.flush()
    failed = [match.group(1) for match in FAILED_TEST.finditer(result.stdout)]
    if result.returncode != 0 and not failed:
        failed = ["(ctest)"]
    return failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tree", required=True, type=pathlib.Path,
                        help="a work tree of its own, never the shared one")
    parser.add_argument("--build", required=True, type=pathlib.Path,
                        help="its configured build directory")
    parser.add_argument("--faults", type=pathlib.Path, default=HERE / "faults.txt")
    parser.add_argument("--only", nargs="*", help="ids of the faults to seed, in this order")
    parser.add_argument("--log", type=pathlib.Path, help="build and test output (default: BUILD/faults.log)")
    parser.add_argument("--results", type=pathlib.Path, help="a table of the results (TSV)")
    args = parser.parse_args()

    tree, build_dir = args.tree.resolve(), args.build.resolve()
    if not (build_dir / "CMakeCache.txt").is_file():
        print(f"run.py: {build_dir} is not a configured build directory", file=sys.stderr)
        return 2
    try:
        faults = read_faults(args.faults)
    except (OSError, ValueError) as error:
        print(f"run.py: {error}", file=sys.stderr)
        return 2
    if args.only:
        unknown = set(args.only) - {f.id for f in faults}
        if unknown:
            print(f"run.py: no such fault: {', '.join(sorted(unknown))}", file=sys.stderr)
            return 2
        by_id = {f.id: f for f in faults}
        faults = [by_id[id] for id in args.only]  # in the order given
    problems = [(f.id, check_applies(tree, f)) for f in faults]
    problems = [(id, why) for id, why in problems if why]
    for id, why in problems:
        print(f"run.py: fault {id} does not apply: {why}", file=sys.stderr)
    if problems:
        return 2

    log = open(args.log or build_dir / "faults.log", "w", encoding="utf-8")
    if not build(build_dir, log) or failing_tests(build_dir, log):
        print("run.py: the tree without faults does not build or pass its tests", file=sys.stderr)
        return 2

    rows = []
    for number, fault in enumerate(faults, 1):
        started = time.monotonic()
        path = tree / fault.file
        original = path.read_text(encoding="utf-8")
        log.write(f"\n===== {fault.id}: {fault.what}\n")
        log.flush()
        try:
            path.write_text(original.replace(fault.find, fault.replace), encoding="utf-8")
            if not build(build_dir, log):
                outcome, by = "no-build", ""
            else:
                failed = failing_tests(build_dir, log)
                outcome, by = ("caught", failed[0]) if failed else ("MISSED", "")
        finally:
            path.write_text(original, encoding="utf-8")
        seconds = int(time.monotonic() - started)
        rows.append((fault, outcome, by))
        print(f"{number:3} {fault.id:24} {outcome:8} {seconds:4}s  {by or fault.what}", flush=True)

    build(build_dir, log)  # leaves the tree built as it was
    caught = sum(1 for _, outcome, _ in rows if outcome == "caught")
    seeded = sum(1 for _, outcome, _ in rows if outcome != "no-build")
    print(f"\ncaught {caught} of {seeded} faults ({100 * caught // max(seeded, 1)} %)")
    for fault, outcome, _ in rows:
        if outcome != "caught":
            print(f"  {outcome:8} {fault.id:24} {fault.file}: {fault.what}")
    if args.results:
        with open(args.results, "w", encoding="utf-8") as table:
            table.write("id\tfile\toutcome\tfirst failing test\twhat\n")
            for fault, outcome, by in rows:
                table.write(f"{fault.id}\t{fault.file}\t{outcome}\t{by}\t{fault.what}\n")
    return 0 if caught == seeded else 1


if __name__ == "__main__":
    sys.exit(main())
