#!/usr/bin/env python3
"""The rounds of the start-up benchmark (scripts/bench/startup.sh runs this
inside the benchmark's prefix, with a display).

For each number of printers: the prefix's printers are set to that number,
then every round starts the tool, the floor, the floor that compares the
driver before it opens a printer (as the tool does) and the empty program
once each, in an order that rotates from round to round, and times each from
its start to its end (the tool ends itself at its ready main dialog). Wine
and its server run pinned to one processor. Afterwards one more run of the
tool and the floor reports their peak memory, and one of the tool the column
sorts.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

READY = 77  # the benchmark build's exit code at a ready main dialog


def log(text):
    print(text, flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sizes", default="10 100 500 2000")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--sort-rounds", type=int, default=5)
    ap.add_argument("--cpu", default="0")
    ap.add_argument("--dir", required=True, help="Windows folder of the deployed programs")
    args = ap.parse_args()
    sizes = [int(s) for s in args.sizes.split()]
    pin = ["taskset", "-c", args.cpu]
    win = args.dir.rstrip("\\")
    tool = win + "\\KPXSETUP.EXE"
    floor = [win + "\\kpx_bench_floor.exe", win + "\\KPXSETUP.INI"]
    empty = [win + "\\kpx_bench_empty.exe"]
    programs = {"tool": ([tool], READY), "floor": (floor, 0), "floor2": (floor + ["--driver-first"], 0),
                "empty": (empty, 0)}

    def run(cmd, env_extra=None, check=None, capture=False):
        env = dict(os.environ)
        env.update(env_extra or {})
        t0 = time.perf_counter()
        p = subprocess.run(pin + ["wine"] + cmd, env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                           stderr=subprocess.PIPE if capture else subprocess.DEVNULL)
        elapsed = (time.perf_counter() - t0) * 1000.0
        if check is not None and p.returncode != check:
            raise SystemExit("%s ended with code %d, not %d" % (cmd[0], p.returncode, check))
        return elapsed, p

    # One server for the whole run, pinned like every Wine process, and
    # Wine's background processes (desktop, services) started from a pinned
    # process so that they inherit the pinning.
    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], stderr=subprocess.DEVNULL)
    subprocess.run(pin + ["wineserver", "-p"], check=True)
    run(["cmd", "/c", "exit"])

    report_dir = tempfile.mkdtemp(prefix="kpx-bench.")
    results = []
    for n in sizes:
        log("== %d printers of the supported drivers, %d of another ==" % (n, n // 2))
        t0 = time.perf_counter()
        _, p = run([win + "\\kpx_bench_printers.exe", str(n)], capture=True)
        sys.stdout.write(p.stdout.decode(errors="replace"))
        if p.returncode != 0:
            raise SystemExit("setting up the printers failed: " + p.stderr.decode(errors="replace"))
        log("   printers ready in %.0f s" % (time.perf_counter() - t0))

        # A run of each that is not counted (caches, the desktop).
        for name, (cmd, code) in programs.items():
            run(cmd, check=code)

        times = {name: [] for name in programs}
        order = list(programs)
        for r in range(args.rounds):
            k = r % len(order)
            for name in order[k:] + order[:k]:
                cmd, code = programs[name]
                times[name].append(run(cmd, check=code)[0])
            log("   round %d/%d: tool %.0f ms, floor %.0f ms (driver first %.0f ms), empty %.0f ms" %
                (r + 1, args.rounds, times["tool"][-1], times["floor"][-1], times["floor2"][-1],
                 times["empty"][-1]))

        # Memory and the sorts, in runs of their own.
        report = os.path.join(report_dir, "report-%d.txt" % n)
        env = {"KPX_BENCH_REPORT": "Z:" + report.replace("/", "\\")}
        run(programs["tool"][0], env, check=READY)
        run(programs["floor"][0], env, check=0)
        env["KPX_BENCH_SORT"] = str(args.sort_rounds)
        run(programs["tool"][0], env, check=READY)
        lines = open(report).read().splitlines()
        fields = [dict(kv.split("=", 1) for kv in line.split()[1:] if "=" in kv) for line in lines]
        tool_mem = next(f for l, f in zip(lines, fields) if l.startswith("tool"))
        floor_mem = next(f for l, f in zip(lines, fields) if l.startswith("floor"))
        sorts = [f for l, f in zip(lines, fields) if l.startswith("sort")]
        if int(tool_mem["rows"]) != int(floor_mem["listed"]):
            raise SystemExit("the tool lists %s rows, the floor %s printers" % (tool_mem["rows"], floor_mem["listed"]))
        results.append({"n": n, "times": times, "tool_mem": tool_mem, "floor_mem": floor_mem, "sorts": sorts})
        summarise(results)

    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)


def summarise(results):
    def mm(values):
        return min(values), statistics.median(values)

    def ms(v):
        return "%.1f s" % (v / 1000) if v >= 10000 else "%.0f ms" % v

    log("")
    log("Start-up to a ready main dialog, min / median of %d rounds; ratio = (tool - empty) / "
        "(floor - empty), computed in each round, min / median:" % len(results[0]["times"]["tool"]))
    log("| printers of the supported drivers (+ half as many of another) | tool | floor | empty program "
        "| ratio | floor, driver compared first | ratio to it |")
    log("|---|---|---|---|---|---|---|")
    for res in results:
        t = res["times"]

        def ratios(floor):
            return mm([(a - c) / (b - c) for a, b, c in zip(t["tool"], t[floor], t["empty"]) if b > c] or [0])
        log("| %d | %s / %s | %s / %s | %s / %s | %.2f / %.2f | %s / %s | %.2f / %.2f |" % (
            (res["n"],) + tuple(ms(v) for v in mm(t["tool"])) + tuple(ms(v) for v in mm(t["floor"])) +
            tuple(ms(v) for v in mm(t["empty"])) + ratios("floor") + tuple(ms(v) for v in mm(t["floor2"])) +
            ratios("floor2")))
    if len(results) > 1:
        log("")
        log("Growth per printer of the supported drivers (medians, minus the empty program):")
        for a, b in zip(results, results[1:]):
            def med(res, name):
                return statistics.median(res["times"][name]) - statistics.median(res["times"]["empty"])
            dn = b["n"] - a["n"]
            log("  %d -> %d: tool %.2f ms, floor %.2f ms a printer" % (
                a["n"], b["n"], (med(b, "tool") - med(a, "tool")) / dn, (med(b, "floor") - med(a, "floor")) / dn))
    log("")
    log("Peak working set (committed) at the ready dialog / at the floor's end:")
    extra = []
    for res in results:
        tw, fw = int(res["tool_mem"]["peak_ws"]), int(res["floor_mem"]["peak_ws"])
        tc, fc = int(res["tool_mem"]["peak_commit"]), int(res["floor_mem"]["peak_commit"])
        extra.append((res["n"], tw - fw, tc - fc))
        log("  %d: tool %.1f MB (%.1f MB), floor %.1f MB (%.1f MB), tool above floor %.1f MB (%.1f MB)" % (
            res["n"], tw / 2**20, tc / 2**20, fw / 2**20, fc / 2**20, (tw - fw) / 2**20, (tc - fc) / 2**20))
    for (n1, w1, c1), (n2, w2, c2) in zip(extra, extra[1:]):
        log("  %d -> %d: the tool's memory above the floor's grows %.2f KB (%.2f KB committed) a printer" % (
            n1, n2, (w2 - w1) / (n2 - n1) / 1024, (c2 - c1) / (n2 - n1) / 1024))
    log("")
    log("Column sorts in the program, min / median ms (read: one read of the column's texts):")
    for res in results:
        for s in res["sorts"]:
            read = float(s["read_ms"].split("/")[1])
            sort = float(s["sort_ms"].split("/")[1])
            log("  %s rows, column %s: read %s, sort %s (%.2fx the read), repaint after it %s" % (
                s["rows"], s["column"], s["read_ms"], s["sort_ms"], sort / read if read else 0, s["repaint_ms"]))
    log("")


if __name__ == "__main__":
    main()
