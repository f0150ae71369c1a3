#!/usr/bin/env python3
"""Counts the GoogleTest cases of a test run from the result files that each
test process wrote (scripts/wine-run.sh), since a ctest entry may hold a whole
suite. Prints one closing line: "cases: N passed, N failed[, N skipped]".

A test process that left no results (it crashed, hung until ctest's timeout
or never started) or that ended with a failing exit code although its cases
passed (a crash on the way out) is named on a line of its own and counted as
one failed case, so that such a failure never hides behind a clean count. The
run file beside each result file (NAME.xml -> NAME.run) holds the process's
command and, once it has ended, its exit code."""
import pathlib
import sys
import xml.etree.ElementTree as ET


def read_run(path):
    """The command and the exit code (None when the process never returned)
    from the run file of the result file at path; (None, None) without one."""
    run = path.with_suffix(".run")
    if not run.exists():
        return None, None
    command, code = None, None
    for line in run.read_text(errors="replace").splitlines():
        if line.startswith("command "):
            command = line[len("command "):]
        elif line.startswith("exit "):
            code = int(line[len("exit "):])
    return command, code


def entry_name(command, path):
    """The program and its case filter: what tells the ctest entry."""
    if not command:
        return path.name.split(".")[0]
    words = command.split()
    program = pathlib.PurePath(words[0]).name if words else path.name
    filters = [w for w in words[1:] if w.startswith("--gtest_filter=")]
    return program + (" " + filters[0] if filters else "")


def count(results_dir):
    passed = failed = skipped = 0
    broken = []  # (entry, why)
    for path in sorted(pathlib.Path(results_dir).glob("*.xml")):
        command, code = read_run(path)
        listing = command is not None and "--gtest_list_tests" in command
        cases = []
        if path.stat().st_size > 0:
            try:
                cases = list(ET.parse(path).iter("testcase"))
            except ET.ParseError:
                cases = None  # cut off while it was written
        if listing:
            continue  # a listing names cases it did not run
        if command is None and not cases:
            continue  # no run file: a file of an older wrapper, nothing to say
        run_failed = 0
        for case in cases or []:
            if case.get("status") is None:
                continue
            if case.find("failure") is not None:
                run_failed += 1
            elif case.get("result") == "skipped" or case.find("skipped") is not None:
                skipped += 1
            elif case.get("status") == "run":
                passed += 1
        failed += run_failed
        name = entry_name(command, path)
        if not cases:
            why = "no results" if code is None else f"no results, exit code {code}"
            broken.append((name, why + " (crashed, hung or timed out before its cases were written)"))
            failed += 1
        elif command is not None and code is None:
            broken.append((name, "results written but the process never returned (killed or hung on exit)"))
            failed += 1
        elif code not in (None, 0) and run_failed == 0:
            broken.append((name, f"all cases passed but the process ended with exit code {code}"))
            failed += 1
    return passed, failed, skipped, broken


def main():
    passed, failed, skipped, broken = count(sys.argv[1])
    for name, why in broken:
        print(f"FAILED entry: {name}: {why}")
    line = f"cases: {passed} passed, {failed} failed"
    print(line + (f", {skipped} skipped" if skipped else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
