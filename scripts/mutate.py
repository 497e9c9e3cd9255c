#!/usr/bin/env python3
"""Mutation score of the unit and scenario tests.

Makes a fixed, seeded sample of single-token mutants of the core (src/
outside src/ui and src/cli): a comparison flipped, an arithmetic or logical
operator swapped, a constant changed, a statement deleted. Each mutant is
built incrementally (the core and the unit and scenario tests only) and the
tests are run against it; a mutant is killed when a test fails, survives when
every test passes, and times out when the tests run far longer than on the
unchanged code. Mutants that do not compile are counted apart.

  scripts/mutate.py [--count 300] [--seed 1] [--jobs 2] [--list]

Work happens in build-mutation/ (a copy of the tracked files per job and its
build); the report goes to build-mutation/report.txt.
"""
import argparse
import os
import hashlib
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build-mutation"
SKIPPED = ("ui", "cli")  # the desktop layer and the command line are not core
TEST_BINARIES = ("unit_tests", "scenario_tests")


@dataclass(frozen=True)
class Mutant:
    path: str  # relative to the repository
    line: int  # 1-based
    col: int  # 0-based, in the line
    old: str
    new: str
    kind: str

    def describe(self):
        shown = lambda s: s.strip() or "(statement)"
        return f"{self.path}:{self.line}: {self.kind}: {shown(self.old)} -> {shown(self.new) if self.new else '(deleted)'}"


# --- Finding the places to mutate ----------------------------------------

def code_mask(text):
    """The text with comments, string and character literals and
    preprocessor lines blanked out (same length), so only code is matched."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if line_start and c == "#":
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                out[k] = " "
            i = j
            continue
        if not c.isspace():
            line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                out[k] = " "
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                if text[k] != "\n":
                    out[k] = " "
            i = j
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.compile(r'R"([^(\s]{0,16})\(').match(text, i)
            end = text.find(")" + m.group(1) + '"', i) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            for k in range(i, j):
                if text[k] != "\n":
                    out[k] = " "
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # digit separator 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            for k in range(i, min(j + 1, n)):
                out[k] = " "
            i = j + 1
        else:
            i += 1
    return "".join(out)


# Binary operators stand between blanks (clang-format); template brackets,
# pointers and references never do.
SWAPS = {
    " < ": (" <= ", "comparison"),
    " <= ": (" < ", "comparison"),
    " > ": (" >= ", "comparison"),
    " >= ": (" > ", "comparison"),
    " == ": (" != ", "comparison"),
    " != ": (" == ", "comparison"),
    " + ": (" - ", "arithmetic"),
    " - ": (" + ", "arithmetic"),
    " * ": (" / ", "arithmetic"),
    " / ": (" * ", "arithmetic"),
    " && ": (" || ", "logical"),
    " || ": (" && ", "logical"),
}
OPERATOR = re.compile("|".join(re.escape(k) for k in sorted(SWAPS, key=len, reverse=True)))
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*(?:[eE][+-]?\d+)?|\d+(?:[eE][+-]?\d+)|\.\d+|\d+)(?![\w.])")
STATEMENT = re.compile(r"^\s{2,}(?:\+\+|--)?[A-Za-z_][\w.:\[\]>-]*(?:\s*(?:[-+*/]?=|\+\+|--)\s*.*|\(.*\));\s*$")
NOT_A_STATEMENT = re.compile(r"^\s*(return|break|continue|case|default|goto|throw|using|typedef|static_assert)\b")


def new_constant(text):
    if re.fullmatch(r"\d+", text):
        return str(int(text) + 1)
    value = float(text)
    return repr(value * 2 if value != 0 else 1.0)


def statement_deletable(code_line):
    if NOT_A_STATEMENT.match(code_line) or not STATEMENT.match(code_line):
        return False
    body = code_line.strip()[:-1]
    return body.count("(") == body.count(")") and "{" not in body and "}" not in body


def find_mutants(path):
    rel = str(path.relative_to(ROOT))
    text = path.read_text(encoding="utf-8")
    masked = code_mask(text)
    found = []
    for number, (line, code) in enumerate(zip(text.split("\n"), masked.split("\n")), start=1):
        if not code.strip():
            continue
        for m in OPERATOR.finditer(code):
            new, kind = SWAPS[m.group(0)]
            found.append(Mutant(rel, number, m.start(), m.group(0), new, kind))
        for m in NUMBER.finditer(code):
            if "[" in code[: m.start()] and "]" in code[m.end():] and code.strip().endswith(";") and "=" not in code:
                continue  # an array's size
            found.append(Mutant(rel, number, m.start(), m.group(0), new_constant(m.group(0)), "constant"))
        if statement_deletable(code):
            found.append(Mutant(rel, number, 0, line, "", "statement"))
    return found


def all_mutants():
    files = sorted(f for f in (ROOT / "src").rglob("*")
                   if f.suffix in (".cpp", ".h") and f.relative_to(ROOT / "src").parts[0] not in SKIPPED)
    mutants = []
    for f in files:
        mutants += find_mutants(f)
    return mutants


def pick(mutants, count, seed):
    """The `count` mutants whose seeded hash is smallest. A mutant's hash
    depends on its file, the text of its line and its change, not on where
    it stands, so an edit elsewhere leaves the sample as it was."""
    texts = {}
    seen = {}

    def key(m):
        if m.path not in texts:
            texts[m.path] = (ROOT / m.path).read_text(encoding="utf-8").split("\n")
        ident = (m.path, texts[m.path][m.line - 1].strip(), m.kind, m.old, m.new)
        seen[ident] = seen.get(ident, 0) + 1  # the same change on a repeated line
        text = f"{seed}|{'|'.join(ident)}|{seen[ident]}"
        return hashlib.sha256(text.encode()).hexdigest()

    return [m for _, m in sorted((key(m), m) for m in mutants)[:count]]


def apply(mutant, tree):
    path = tree / mutant.path
    lines = path.read_text(encoding="utf-8").split("\n")
    line = lines[mutant.line - 1]
    if mutant.kind == "statement":
        lines[mutant.line - 1] = ""
    else:
        assert line[mutant.col:mutant.col + len(mutant.old)] == mutant.old
        lines[mutant.line - 1] = line[:mutant.col] + mutant.new + line[mutant.col + len(mutant.old):]
    original = path.read_text(encoding="utf-8")
    path.write_text("\n".join(lines), encoding="utf-8")
    return path, original


# --- Building and running -------------------------------------------------

def run(cmd, cwd, timeout=None):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


class Job:
    def __init__(self, index):
        self.tree = WORK / f"job{index}" / "tree"
        self.build = WORK / f"job{index}" / "build"

    def prepare(self):
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, capture_output=True,
                               check=True).stdout.decode().split("\0")
        tracked = set(filter(None, files))
        if self.tree.exists():  # a file gone from the repository goes from the copy too
            for stale in [f for f in self.tree.rglob("*") if f.is_file()]:
                if str(stale.relative_to(self.tree)) not in tracked:
                    stale.unlink()
        for rel in sorted(tracked):
            source, target = ROOT / rel, self.tree / rel
            if not source.is_file():
                continue
            target.parent.mkdir(parents=True, exist_ok=True)
            if not target.exists() or target.read_bytes() != source.read_bytes():
                # A fresh time stamp: a file put back to an older text must still rebuild.
                shutil.copyfile(source, target)
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
        # Most of a mutant's time is relinking the tests: lld does it fastest.
        if shutil.which("ld.lld"):
            launcher.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
        if run(["cmake", "-S", str(self.tree), "-B", str(self.build), "-DCMAKE_BUILD_TYPE=Release",
                "-DCMAKE_CXX_FLAGS_RELEASE=-O1", "-DTAMSEL_GUI=OFF", "-DTAMSEL_BENCH=OFF"] + launcher,
               ROOT) != 0:
            sys.exit("mutate: cmake failed in " + str(self.build))
        if not self.compile():
            sys.exit("mutate: the unchanged code does not build in " + str(self.build))

    def compile(self):
        return run(["cmake", "--build", str(self.build), "-j1", "--target", *TEST_BINARIES], ROOT) == 0

    def test(self, timeout):
        for binary in TEST_BINARIES:
            code = run([str(self.build / binary), "--gtest_fail_fast", "--gtest_brief=1"],
                       self.build, timeout)
            if code is None:
                return "timed out"
            if code != 0:
                return "killed"
        return "survived"

    def try_mutant(self, mutant, timeout):
        path, original = apply(mutant, self.tree)
        try:
            if not self.compile():
                return "did not compile"
            return self.test(timeout)
        finally:
            path.write_text(original, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=300, help="mutants in the sample")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample")
    parser.add_argument("--jobs", type=int, default=2, help="mutants built and tested at once")
    parser.add_argument("--list", action="store_true", help="list the sample and stop")
    args = parser.parse_args()

    everything = all_mutants()
    sample = sorted(pick(everything, args.count, args.seed), key=lambda m: (m.path, m.line, m.col))
    print(f"{len(everything)} places to mutate; a sample of {len(sample)} (seed {args.seed})", flush=True)
    if args.list:
        for m in sample:
            print(m.describe())
        return

    WORK.mkdir(exist_ok=True)
    jobs = [Job(k) for k in range(max(1, args.jobs))]
    for job in jobs:
        job.prepare()
    start = time.monotonic()
    if jobs[0].test(timeout=None) != "survived":
        sys.exit("mutate: the tests fail on the unchanged code")
    timeout = 3 * (time.monotonic() - start) + 10

    results = {}
    from concurrent.futures import ThreadPoolExecutor
    from queue import Queue
    free = Queue()
    for job in jobs:
        free.put(job)

    def one(mutant):
        job = free.get()
        try:
            return mutant, job.try_mutant(mutant, timeout)
        finally:
            free.put(job)

    with ThreadPoolExecutor(len(jobs)) as pool:
        for done, (mutant, outcome) in enumerate(pool.map(one, sample), start=1):
            results[mutant] = outcome
            print(f"[{done}/{len(sample)}] {outcome}: {mutant.describe()}", flush=True)
    for job in jobs:  # back to the unchanged code for the next run
        job.compile()

    counts = {k: sum(1 for v in results.values() if v == k)
              for k in ("killed", "survived", "timed out", "did not compile")}
    scored = counts["killed"] + counts["survived"] + counts["timed out"]
    score = 100.0 * (counts["killed"] + counts["timed out"]) / scored if scored else 0.0
    lines = [f"Mutants: {len(sample)} of {len(everything)} places (seed {args.seed})",
             f"killed {counts['killed']}, survived {counts['survived']}, timed out {counts['timed out']},"
             f" did not compile {counts['did not compile']}",
             f"mutation score {score:.1f} % (killed and timed out of those that compiled)",
             "", "Survivors:"]
    lines += [m.describe() for m, v in sorted(results.items(), key=lambda kv: (kv[0].path, kv[0].line))
              if v == "survived"]
    report = "\n".join(lines) + "\n"
    (WORK / "report.txt").write_text(report, encoding="utf-8")
    print("\n" + report)


if __name__ == "__main__":
    main()
