#!/usr/bin/env python3
"""Mutation check: does a slip in the code fail a test?

Applies simple slips one at a time to lines of src/ (the lines changed since a
git revision, or every line of the folders given), rebuilds incrementally in a
build folder of its own, and runs the tests from the quickest to the slowest,
stopping at the first that fails. A slip no test catches survives; each
survivor is printed with its place. A slip that does not compile counts for
neither side.

The slips: a comparison turned around (< and >) or made strict or lax (<= and
<, >= and >), == and != swapped, + 1 or - 1 dropped, + 1 added to a bound, the
x and y of a line swapped, a ! dropped, && and || swapped, true and false
swapped.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))

# Lines that are not code a slip could be made in.
SKIP = re.compile(r'^\s*(//|#|\*|/\*)|static_assert|^\s*$')

# Each slip: a name and a function from a line to the lines it makes.
def _sub_each(pattern, repl):
    def make(line):
        out = []
        for m in re.finditer(pattern, line):
            out.append(line[:m.start()] + m.expand(repl) + line[m.end():])
        return out
    return make


def _code_part(line):
    """The line without a trailing comment and with string literals blanked,
    so that slips land in code only."""
    cut = line.find("//")
    code = line if cut < 0 else line[:cut]
    return re.sub(r'"(\\.|[^"\\])*"', lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', code)


def _swap_xy(line):
    words = re.compile(r'\b(x|y|X|Y|dx|dy|Pixel_x|Pixel_y|pixelX|pixelY|currentX|currentY|earlierX|earlierY)\b')
    other = {"x": "y", "y": "x", "X": "Y", "Y": "X", "dx": "dy", "dy": "dx", "Pixel_x": "Pixel_y",
             "Pixel_y": "Pixel_x", "pixelX": "pixelY", "pixelY": "pixelX", "currentX": "currentY",
             "currentY": "currentX", "earlierX": "earlierY", "earlierY": "earlierX"}
    code = _code_part(line)
    if not words.search(code):
        return []
    swapped = words.sub(lambda m: other[m.group(1)], line[:len(code)]) + line[len(code):]
    return [swapped] if swapped != line else []


SLIPS = [
    ("< turned to >", _sub_each(r'(?<=[\w)\]]) < (?=[\w(])', " > ")),
    ("> turned to <", _sub_each(r'(?<=[\w)\]]) > (?=[\w(])', " < ")),
    ("<= made <", _sub_each(r' <= ', " < ")),
    (">= made >", _sub_each(r' >= ', " > ")),
    ("< made <=", _sub_each(r'(?<=[\w)\]]) < (?=[\w(])', " <= ")),
    ("> made >=", _sub_each(r'(?<=[\w)\]]) > (?=[\w(])', " >= ")),
    ("== to !=", _sub_each(r' == ', " != ")),
    ("!= to ==", _sub_each(r' != ', " == ")),
    ("+ 1 dropped", _sub_each(r' \+ 1\b', "")),
    ("- 1 dropped", _sub_each(r' - 1\b', "")),
    ("+ 1 added to a bound", _sub_each(r'(?<=[\w)\]]) (<|<=) (\w[\w.()>-]*)(?=[;)])', r" \1 \2 + 1")),
    ("x and y swapped", _swap_xy),
    ("! dropped", _sub_each(r'!(?=[\w(])', "")),
    ("&& to ||", _sub_each(r' && ', " || ")),
    ("|| to &&", _sub_each(r' \|\| ', " && ")),
    ("true to false", _sub_each(r'\btrue\b', "false")),
    ("false to true", _sub_each(r'\bfalse\b', "true")),
]


def mutants_of(path, number, line):
    if SKIP.search(line) or "#include" in line:
        return []
    code = _code_part(line)
    out = []
    for name, make in SLIPS:
        for mutated in make(code):
            out.append((path, number, name, line, mutated + line[len(code):]))
    return out


def changed_lines(base, folders):
    """(path, line number) of lines of src/ added or changed since `base`."""
    diff = subprocess.run(["git", "diff", "-U0", base, "--", *folders], cwd=ROOT, capture_output=True,
                          text=True, check=True).stdout
    lines, path = [], None
    for row in diff.splitlines():
        if row.startswith("+++ "):
            path = row[6:] if row.startswith("+++ b/") else None
        m = re.match(r'^@@ -\S+ \+(\d+)(?:,(\d+))? @@', row)
        if m and path and path.endswith((".cpp", ".h")):
            start, count = int(m.group(1)), int(m.group(2) or "1")
            lines += [(path, n) for n in range(start, start + count)]
    return lines


def all_lines(folders):
    out = []
    for folder in folders:
        for top, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if name.endswith(".cpp"):
                    rel = os.path.relpath(os.path.join(top, name), ROOT)
                    with open(os.path.join(ROOT, rel), encoding="latin-1") as f:
                        out += [(rel, n + 1) for n in range(len(f.readlines()))]
    return out


# The tests in stages, quickest first: each stage builds what it runs, so a
# slip the model's tests catch costs no link of the window tests.
STAGES = [
    (["test_model", "test_map", "test_game_generator", "test_platform_settings"],
     [["tests/test_model"], ["tests/map/test_map"], ["tests/gen/test_game_generator"],
      ["tests/platform/test_platform_settings"]]),
    (["trevanor-dump", "trevanor-gen"], [None]),  # the dump's golden output (ctest)
    (["test_forms"], [["tests/forms/test_forms"]]),
    (["test_bounded", "bounded_measure"], [["tests/bounded/test_bounded"]]),
]


def run(cmd, timeout, env=None):
    try:
        return subprocess.run(cmd, cwd=ROOT, capture_output=True, timeout=timeout, env=env).returncode
    except subprocess.TimeoutExpired:
        return 124


def build(folder, targets):
    return run(["cmake", "--build", folder, "-j2", "--target", *targets], 3600) == 0


def verdict(build_dir, test_timeout):
    """Builds and runs stage after stage: "caught" at the first failing test,
    "does not compile" when a stage does not build, else "SURVIVED"."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C")
    for targets, programs in STAGES:
        if not build(build_dir, targets):
            return "does not compile"
        for program in programs:
            if program is None:
                cmd = ["ctest", "--test-dir", build_dir, "-R", "golden|sample_history|trevanor_gen", "--stop-on-failure"]
            else:
                cmd = [os.path.join(build_dir, program[0]), "--gtest_fail_fast", "--gtest_brief=1"]
            if run(cmd, test_timeout, env) != 0:
                return "caught"
    return "SURVIVED"


def main():
    # Stopped from outside, the slip made last is taken back all the same (the finally below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("base", nargs="?", default="HEAD~1", help="git revision: slips go into the lines changed since")
    parser.add_argument("--all", nargs="+", metavar="FOLDER", help="every line of these folders instead (src/model src/map)")
    parser.add_argument("--build", default="build-mutation")
    parser.add_argument("--most", type=int, default=0, help="at most this many slips, drawn at random (0: all)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--timeout", type=int, default=600, help="seconds for one test program")
    args = parser.parse_args()

    places = all_lines(args.all) if args.all else changed_lines(args.base, ["src"])
    texts = {}
    mutants = []
    for path, number in places:
        if path not in texts:
            with open(os.path.join(ROOT, path), encoding="latin-1") as f:
                texts[path] = f.read().split("\n")
        if number <= len(texts[path]):
            mutants += mutants_of(path, number, texts[path][number - 1])
    if args.most and len(mutants) > args.most:
        mutants = sorted(random.Random(args.seed).sample(mutants, args.most), key=lambda m: (m[0], m[1]))
    print(f"{len(mutants)} slips in {len({m[0] for m in mutants})} files", flush=True)

    build_dir = os.path.join(ROOT, args.build)
    if verdict(build_dir, args.timeout) != "SURVIVED":
        sys.exit("the tests do not pass without slips: nothing to measure")
    killed, survived, stillborn = 0, [], 0
    started = time.time()
    for k, (path, number, name, original, mutated) in enumerate(mutants, 1):
        full = os.path.join(ROOT, path)
        lines = list(texts[path])
        lines[number - 1] = mutated
        with open(full, "w", encoding="latin-1") as f:
            f.write("\n".join(lines))
        try:
            result = verdict(build_dir, args.timeout)
        finally:
            with open(full, "w", encoding="latin-1") as f:
                f.write("\n".join(texts[path]))
        if result == "caught":
            killed += 1
        elif result == "SURVIVED":
            survived.append((path, number, name, original.strip(), mutated.strip()))
        else:
            stillborn += 1
        print(f"[{k}/{len(mutants)}] {path}:{number} {name}: {result}", flush=True)
    build(build_dir, [t for targets, _ in STAGES for t in targets])  # back to the code as it is

    counted = killed + len(survived)
    print(f"\n{killed} of {counted} slips caught ({100 * killed / max(counted, 1):.0f} %), "
          f"{stillborn} did not compile, {time.time() - started:.0f} s")
    for path, number, name, original, mutated in survived:
        print(f"survived: {path}:{number}: {name}\n    {original}\n    {mutated}")


if __name__ == "__main__":
    main()
