#!/usr/bin/env python3
"""Mutation check: plants one slip at a time in a copy of the checkout and runs the tests.

    python3 tools/mutants/run.py [LIST.mut ...] [-j 2] [-R REGEX] [--id ID ...] [--hint OUT ...]
                                 [--check] [--mend]

Each list file holds blocks separated by blank lines (see any tools/mutants/*.mut):

    id: calc04-class3-limit
    slip: class-3 pipe limit off by one unit
    file: program/core/Classes.cpp
    find: {3, 0.25},
    replace: {3, 0.26},
    why: (only for an accepted survivor) why this slip cannot change what a user sees

`find` is everything after "find: " up to the end of the line, leading spaces included; it
must occur exactly once in `file`. A mutant whose snippet is missing or ambiguous is reported
and not counted. A mutant that does not compile is counted apart (neither caught nor survived)
and listed, so the list can be mended. A mutant that repeats another's file, find and replace
under a second id is reported and runs once. A `why` on a mutant that is caught no longer
holds and is reported; --mend removes such lines and the repeated mutants from the lists.

The checkout is copied (without build folders and .git) to a scratch folder outside the tree,
configured (unoptimised, for short compiles) and built there once; every mutant then costs an
incremental build and a ctest run that stops at the first failure. With --hint, the test that
caught a mutant in an earlier run is built and run alone first, and the whole build and suite
run only when it passes. The working tree itself is never touched, except that --mend rewrites
the list files named (or tools/mutants/*.mut) when it removes repeated mutants and stale 'why'
lines.
"""

import argparse
import fcntl
import filecmp
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
KEYS = ("id", "slip", "file", "find", "replace", "why")
REQUIRED = ("id", "slip", "file", "find", "replace")


@dataclass
class Mutant:
    source: str  # list file and line, for messages
    list_name: str = ""  # the list file's name, for the figures per list
    span: tuple = (0, 0)  # first and last line of the block in its list (1-based)
    fields: dict = field(default_factory=dict)

    def __getattr__(self, name):
        if name in KEYS:
            return self.fields.get(name, "")
        raise AttributeError(name)


def parse_list(path):
    """Returns (mutants, errors) of one list file."""
    mutants, errors, block = [], [], None
    lines = Path(path).read_text(encoding="utf-8").splitlines()
    for number, line in enumerate(lines, 1):
        where = f"{path}:{number}"
        if not line.strip():
            block = None
            continue
        if line.startswith("#"):
            continue
        key, sep, value = line.partition(":")
        if not sep or key not in KEYS:
            errors.append(f"{where}: not a 'key: value' line: {line!r}")
            continue
        # Exactly one space after the colon belongs to the format; the rest is the value.
        value = value[1:] if value.startswith(" ") else value
        if block is None:
            block = Mutant(where, Path(path).name, (number, number))
            mutants.append(block)
        block.span = (block.span[0], number)
        if key in block.fields:
            errors.append(f"{where}: '{key}' given twice in one mutant")
        block.fields[key] = value
    for m in mutants:
        missing = [k for k in REQUIRED if k not in m.fields]
        if missing:
            errors.append(f"{m.source}: mutant lacks {', '.join(missing)}")
    return [m for m in mutants if all(k in m.fields for k in REQUIRED)], errors


def locate(tree, m):
    """Returns the problem with a mutant's snippet in `tree`, or None when it fits."""
    target = (tree / m.file).resolve()
    if not str(target).startswith(str(tree.resolve()) + os.sep) or not target.is_file():
        return f"file {m.file} does not exist"
    if not m.find:
        return "empty find"
    count = target.read_text(encoding="utf-8").count(m.find)
    if count == 0:
        return "snippet missing"
    if count > 1:
        return f"snippet ambiguous ({count} places)"
    if m.find == m.replace:
        return "replace equals find"
    return None


def run(cmd, cwd, timeout, log):
    """Runs a command; returns (ok, output). A timeout is a failure."""
    try:
        p = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           text=True, errors="replace", timeout=timeout)
        out, ok = p.stdout, p.returncode == 0
    except subprocess.TimeoutExpired as e:
        out = (e.stdout or b"").decode(errors="replace") if isinstance(e.stdout, bytes) \
            else (e.stdout or "")
        out, ok = out + f"\n[timed out after {timeout} s]\n", False
    if log:
        with open(log, "a", encoding="utf-8") as f:
            f.write(f"$ {' '.join(cmd)}\n{out}\n")
    return ok, out


def first_failure(ctest_output):
    """The name of the first failing test in ctest's output, for the report."""
    for line in ctest_output.splitlines():
        m = re.search(r"Test\s+#\d+:\s+(\S+)\s+\.*\**\s*(Failed|Timeout|Exception|Subprocess|"
                      r"\*\*\*)", line)
        if m:
            return m.group(1)
    m = re.search(r"The following tests FAILED:\s*\n\s*\d+\s*-\s*(\S+)", ctest_output)
    return m.group(1) if m else "a test"


SKIP = {".git", "__pycache__", ".cache"}


def sync_tree(src, dst):
    """Makes dst a copy of src without its build folders. Only files whose contents differ are
    written, and they get a new time stamp: an unchanged file is not rebuilt, and a file left
    mutated by an interrupted run is always compiled again."""
    dst.mkdir(parents=True, exist_ok=True)
    wanted = set()
    for entry in os.scandir(src):
        if entry.name in SKIP or (src == ROOT and entry.name.startswith("build")):
            continue
        wanted.add(entry.name)
        target = dst / entry.name
        if entry.is_dir(follow_symlinks=False):
            if target.exists() and not target.is_dir():
                target.unlink()
            sync_tree(Path(entry.path), target)
        elif entry.is_file(follow_symlinks=False):
            if target.is_dir():
                shutil.rmtree(target)
            if not target.exists() or not filecmp.cmp(entry.path, target, shallow=False):
                shutil.copyfile(entry.path, target)
                shutil.copymode(entry.path, target)
    for entry in os.scandir(dst):
        if entry.name not in wanted:
            shutil.rmtree(entry.path) if entry.is_dir(follow_symlinks=False) else os.unlink(
                entry.path)


def linker():
    for name in ("mold", "lld"):
        if shutil.which(f"ld.{name}") or shutil.which(name):
            return [f"-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld={name}"]
    return []


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("lists", nargs="*", help="list files (default: tools/mutants/*.mut)")
    ap.add_argument("-j", "--jobs", type=int, default=2, help="build and test jobs (2)")
    ap.add_argument("-R", "--tests-regex", help="ctest -R filter: run only these tests")
    ap.add_argument("--id", action="append", default=[],
                    help="run only this mutant (repeatable; a trailing * matches a prefix)")
    ap.add_argument("--timeout", type=int, default=120, help="seconds per test (120)")
    ap.add_argument("--build-timeout", type=int, default=1800, help="seconds per build (1800)")
    ap.add_argument("--scratch", type=Path,
                    help="scratch folder (default: /tmp/veltaro-mutants-<hash of checkout>)")
    ap.add_argument("--hint", type=Path, action="append", default=[],
                    help="the output of an earlier run: the test that caught a mutant then is "
                         "built and run alone first (repeatable)")
    ap.add_argument("--check", action="store_true",
                    help="only check the lists' snippets against the checkout; build nothing")
    ap.add_argument("--mend", action="store_true",
                    help="remove repeated mutants and the 'why' of caught ones from the lists")
    args = ap.parse_args()

    lists = [Path(p) for p in args.lists] or sorted((ROOT / "tools" / "mutants").glob("*.mut"))
    mutants, errors = [], []
    for path in lists:
        found, errs = parse_list(path)
        mutants += found
        errors += errs
    seen = {}
    for m in mutants:
        if m.id in seen:
            errors.append(f"{m.source}: id {m.id} already used at {seen[m.id]}")
        seen.setdefault(m.id, m.source)
    # The same slip under two ids would be counted twice: the later one is dropped.
    slips, repeated = {}, []
    for m in mutants:
        first = slips.setdefault((m.file, m.find, m.replace), m)
        if first is not m:
            print(f"repeated mutant: {m.id} ({m.source}) is {first.id} ({first.source})")
            repeated.append(m)
    mutants = [m for m in mutants if m not in repeated]
    if args.id:
        def wanted(m):
            return any(m.id == i or (i.endswith("*") and m.id.startswith(i[:-1]))
                       for i in args.id)
        mutants = [m for m in mutants if wanted(m)]
    for e in errors:
        print(f"list error: {e}")

    # Snippets are checked against the checkout first, so a stale list shows before any build.
    runnable, unusable = [], []
    for m in mutants:
        problem = locate(ROOT, m)
        (unusable if problem else runnable).append((m, problem))
    for m, problem in unusable:
        print(f"not counted  {m.id}: {problem} in {m.file} ({m.source})")
    if args.check or not runnable:
        if args.mend:
            mend_lists(repeated, [])
        print(f"{len(runnable)} mutants fit, {len(unusable)} do not, {len(errors)} list errors, "
              f"{len(repeated)} repeated")
        return 1 if unusable or errors or repeated else 0

    digest = hashlib.sha1(str(ROOT).encode()).hexdigest()[:10]
    scratch = args.scratch or Path("/tmp") / f"veltaro-mutants-{digest}"
    scratch = scratch.resolve()
    if scratch == ROOT or ROOT in scratch.parents:
        sys.exit("the scratch folder must lie outside the checkout")
    scratch.mkdir(parents=True, exist_ok=True)
    lock = open(scratch / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit(f"another run uses {scratch}; wait for it or give --scratch")
    log = scratch / "log.txt"
    print(f"copying the checkout to {scratch}/src (log: {log})", flush=True)
    tree = scratch / "src"
    sync_tree(ROOT, tree)
    log.write_text("")
    build = scratch / "build"
    if not (build / "build.ninja").exists():
        ok, out = run(["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja",
                       # Unoptimised, without debug data or benchmarks: every mutant costs a
                       # compile and several links, and this keeps both short.
                       "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0",
                       "-DVELTARO_WITH_BENCH=OFF"] + linker(), tree, args.build_timeout, log)
        if not ok:
            sys.exit(f"configuring failed:\n{out[-3000:]}")
    build_cmd = ["cmake", "--build", str(build), "-j", str(args.jobs)]
    test_cmd = ["ctest", "--test-dir", str(build), "-j", str(args.jobs), "--stop-on-failure",
                "--timeout", str(args.timeout), "--no-tests=error"]
    if args.tests_regex:
        test_cmd += ["-R", args.tests_regex]

    start = time.time()
    print("building and testing the unchanged copy", flush=True)
    ok, out = run(build_cmd, tree, args.build_timeout, log)
    if not ok:
        sys.exit(f"the unchanged copy does not build:\n{out[-3000:]}")
    ok, out = run(test_cmd, tree, None, log)
    if not ok:
        sys.exit(f"the unchanged copy fails its tests ({first_failure(out)}); fix that first")
    print(f"  green after {time.time() - start:.0f} s", flush=True)
    hints = read_hints(args.hint, test_targets(build)) if args.hint else {}
    # The slow tests last: ctest stops at a failure only after the tests already running end,
    # and most slips fail a quick test.
    slow = slow_tests(build)
    if slow and not args.tests_regex:
        pattern = "^(" + "|".join(re.escape(t) for t in slow) + ")$"
        stages = [test_cmd + ["-E", pattern], test_cmd + ["-R", pattern]]
    else:
        stages = [test_cmd]

    def suite():
        out = ""
        for stage in stages:
            ok, more = run(stage, tree, None, log)
            out += more
            if not ok:
                return False, out
        return True, out

    # Mutants of one file run together: each file is then compiled once more per mutant only.
    order = sorted(range(len(runnable)), key=lambda i: (runnable[i][0].file, i))
    results = {}
    width = len(str(len(order)))
    for n, i in enumerate(order, 1):
        m = runnable[i][0]
        path = tree / m.file
        original = path.read_text(encoding="utf-8")
        problem = locate(tree, m)
        if problem:  # the copy differs from the checkout only if the checkout moved meanwhile
            results[m.id] = ("not counted", problem)
        else:
            t0 = time.time()
            try:
                path.write_text(original.replace(m.find, m.replace, 1), encoding="utf-8")
                built, passed = True, True
                if m.id in hints:
                    # The test that caught it before, alone: its own program is built, and a
                    # failure there settles the verdict. A pass falls back to the whole suite.
                    test, target = hints[m.id]
                    built, out = run(build_cmd + ["--target", target], tree, args.build_timeout,
                                     log)
                    if built:
                        passed, out = run(test_cmd + ["-R", f"^{re.escape(test)}$"], tree, None,
                                          log)
                if built and passed:
                    built, out = run(build_cmd, tree, args.build_timeout, log)
                if not built:
                    results[m.id] = ("no compile", "does not compile")
                else:
                    if passed:
                        passed, out = suite()
                    results[m.id] = ("survived", "") if passed else \
                        ("caught", f"by {first_failure(out)}")
            finally:
                # Written anew (new time stamp), so the next build compiles the original again.
                path.write_text(original, encoding="utf-8")
            results[m.id] += (time.time() - t0,)
        verdict, detail = results[m.id][:2]
        extra = f" ({results[m.id][2]:.0f} s)" if len(results[m.id]) > 2 else ""
        print(f"[{n:>{width}}/{len(order)}] {verdict:<11} {m.id}  {detail}{extra}", flush=True)
        if verdict == "survived":
            print(f"{'':{2 * width + 4}}slip: {m.slip}" + (f"\n{'':{2 * width + 4}}why: {m.why}"
                                                           if m.why else ""), flush=True)
    run(build_cmd, tree, args.build_timeout, log)  # leave the copy built from the original

    count = {v: [m for m, _ in runnable if results[m.id][0] == v]
             for v in ("caught", "no compile", "survived", "not counted")}
    print()
    for m in count["no compile"]:
        print(f"does not compile (mend the list): {m.id} ({m.source})")
    for m in count["survived"]:
        print(f"survived{' (accepted)' if m.why else ''}: {m.id} - {m.slip} ({m.source})")
    stale = [m for m in count["caught"] if m.why]
    for m in stale:
        print(f"caught, so its 'why' no longer holds: {m.id} ({m.source})")
    unexplained = [m for m in count["survived"] if not m.why]
    if args.mend:
        mend_lists(repeated, stale)
    print()
    for name in sorted({m.list_name for m, _ in runnable}) + [None]:
        n = {v: sum(1 for m in ms if name is None or m.list_name == name) for v, ms in count.items()}
        print(f"{name or 'all lists':<16} caught {n['caught']:>3}, survived {n['survived']:>3}, "
              f"not compiling {n['no compile']:>3}, not counted {n['not counted']:>3}")
    print(f"{len(unexplained)} survived without a 'why'; {len(unusable)} do not fit; "
          f"{len(repeated)} repeated; {time.time() - start:.0f} s")
    return 1 if (unexplained or unusable or errors or repeated or stale or count["not counted"]
                 or count["no compile"]) else 0


def slow_tests(build, seconds=3.0):
    """The tests that took longer than `seconds` in the last runs, from ctest's own record."""
    costs = build / "Testing" / "Temporary" / "CTestCostData.txt"
    slow = []
    if costs.exists():
        for line in costs.read_text(errors="replace").splitlines():
            parts = line.split()
            if len(parts) == 3 and float(parts[2]) > seconds:
                slow.append(parts[0])
    return slow


def test_targets(build):
    """Each test's name and the build target of the program that runs it."""
    p = subprocess.run(["ctest", "--test-dir", str(build), "--show-only=json-v1"],
                       stdout=subprocess.PIPE, text=True, check=True)
    targets = {}
    for t in json.loads(p.stdout).get("tests", []):
        command = t.get("command") or []
        # Only programs of this build: a script's test has no target to build alone.
        if command and Path(command[0]).parent.is_relative_to(build):
            targets[t["name"]] = Path(command[0]).name
    return targets


def read_hints(outputs, targets):
    """Mutant id -> (test, target) from earlier runs' "caught ... by TEST" lines, for tests that
    still exist and run one of our own programs."""
    hints = {}
    for path in outputs:
        for line in Path(path).read_text(encoding="utf-8", errors="replace").splitlines():
            m = re.match(r"\[\s*\d+/\d+\]\s+caught\s+(\S+)\s+by (\S+)", line)
            if m and m.group(2) in targets:
                hints[m.group(1)] = (m.group(2), targets[m.group(2)])
    return hints


def mend_lists(repeated, stale):
    """Removes the repeated mutants' blocks and the stale 'why' lines from their list files."""
    drop = {}
    for m in repeated:
        drop.setdefault(m.source.rsplit(":", 1)[0], set()).update(
            range(m.span[0], m.span[1] + 2))  # the block and the blank line after it
    for m in stale:
        path = m.source.rsplit(":", 1)[0]
        lines = Path(path).read_text(encoding="utf-8").splitlines()
        drop.setdefault(path, set()).update(
            n for n in range(m.span[0], m.span[1] + 1) if lines[n - 1].startswith("why:"))
    for path, numbers in drop.items():
        lines = Path(path).read_text(encoding="utf-8").splitlines()
        kept = [line for n, line in enumerate(lines, 1) if n not in numbers]
        Path(path).write_text("\n".join(kept).rstrip("\n") + "\n", encoding="utf-8")
        print(f"mended {path}: {len(lines) - len(kept)} lines removed")


if __name__ == "__main__":
    sys.exit(main())
