#!/usr/bin/env python3
"""Counts the GoogleTest cases of a test run from the result files that each
test process wrote (scripts/wine-run.sh), since a ctest entry may hold a whole
suite. Prints one closing line: "cases: N passed, N failed[, N skipped]"."""
import pathlib
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
for path in sorted(pathlib.Path(sys.argv[1]).glob("*.xml")):
    if path.stat().st_size == 0:
        continue  # a process that ended before writing (listing, crash)
    for case in ET.parse(path).iter("testcase"):
        if case.get("status") is None:
            continue  # a listing (--gtest_list_tests) names cases it did not run
        if case.find("failure") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        elif case.get("status") == "run":
            passed += 1
line = f"cases: {passed} passed, {failed} failed"
print(line + (f", {skipped} skipped" if skipped else ""))
