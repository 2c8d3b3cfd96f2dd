#!/usr/bin/env python3
"""Plants each fault of tests/mutations.txt, one at a time, in a scratch copy of the tree,
rebuilds incrementally, runs the named test areas and tells whether they caught it.

Usage: scripts/mutate.py [--list FILE] [--scratch DIR] [--only TEXT]
"""
import argparse
import filecmp
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults, block = [], {}
    with open(path, encoding="utf-8") as f:
        for raw in f.read().splitlines() + [""]:
            line = raw.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                if block:
                    faults.append(block)
                    block = {}
                continue
            key, _, value = line.partition(": ")
            block[key.strip()] = value
    for fault in faults:
        missing = {"name", "file", "find", "replace", "tests"} - fault.keys()
        if missing:
            sys.exit(f"mutate: fault {fault.get('name', '?')!r} lacks {sorted(missing)}")
        fault["tests"] = fault["tests"].split()
    return faults


def run(cmd, cwd, log):
    with open(log, "ab") as out:
        return subprocess.call(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT) == 0


def sync_tree(scratch):
    # The scratch copy follows the working tree, without build folders and git's data. Only
    # files whose bytes differ are copied, so the scratch build stays incremental.
    for folder, dirs, files in os.walk(ROOT):
        relative = os.path.relpath(folder, ROOT)
        if relative == ".":
            dirs[:] = [d for d in dirs if not d.startswith(("build", ".git", ".cache"))]
        os.makedirs(os.path.join(scratch, relative), exist_ok=True)
        for name in files:
            source = os.path.join(folder, name)
            target = os.path.join(scratch, relative, name)
            if not os.path.exists(target) or not filecmp.cmp(source, target, shallow=False):
                shutil.copy2(source, target)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", default=os.path.join(ROOT, "tests", "mutations.txt"))
    parser.add_argument("--scratch", default="/tmp/almanor-mutate")
    parser.add_argument("--only", default="", help="run only faults whose name contains this")
    args = parser.parse_args()

    faults = [f for f in read_faults(args.list) if args.only in f["name"]]
    tree = os.path.join(args.scratch, "tree")
    build = os.path.join(args.scratch, "build")
    log = os.path.join(args.scratch, "mutate.log")
    sync_tree(tree)
    open(log, "w").close()
    configure = ["cmake", "-S", tree, "-B", build, "-DCMAKE_BUILD_TYPE=Debug",
                 "-DALMANOR_BENCH=OFF", "-DALMANOR_SANITIZE=OFF"]
    if shutil.which("ninja"):
        configure += ["-G", "Ninja"]
    if shutil.which("ccache"):
        configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
    # Only the test areas the chosen faults name are built, so a short list is checked quickly.
    areas = sorted({area for fault in faults for area in fault["tests"]})
    all_targets = ["--target", *[f"test_{area}" for area in areas]] if areas else []
    if not run(configure, tree, log) or not run(["cmake", "--build", build, *all_targets],
                                                 tree, log):
        sys.exit(f"mutate: the unchanged tree does not build; see {log}")

    caught = 0
    for number, fault in enumerate(faults, 1):
        path = os.path.join(tree, fault["file"])
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if fault["find"] not in original:
            print(f"{number:3} STALE   {fault['name']}: text not found in {fault['file']}")
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(fault["find"], fault["replace"], 1))
        try:
            targets = [f"test_{area}" for area in fault["tests"]]
            if not run(["cmake", "--build", build, "--target", *targets], tree, log):
                verdict = "caught (does not build)"
            else:
                regex = "^(" + "|".join(fault["tests"]) + ")$"
                passed = run(["ctest", "--test-dir", build, "-R", regex, "--timeout", "300"],
                             tree, log)
                verdict = "MISSED" if passed else "caught"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        caught += verdict.startswith("caught")
        print(f"{number:3} {verdict:7} {fault['name']}", flush=True)

    # Put the scratch build back in step with the unchanged tree for the next run.
    run(["cmake", "--build", build, *all_targets], tree, log)
    total = len(faults)
    score = 100.0 * caught / total if total else 0.0
    print(f"score: {caught} of {total} faults caught ({score:.0f} %)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
