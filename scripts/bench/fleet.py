#!/usr/bin/env python3
"""The whole-server benchmark: /printer:* /set:Office for every printer of a
prefix in one run, against /list at the same number of printers and against
one run per printer (/printer:NAME /set:Office, as a script over the printers
would do it before several printers could be named). One run per printer is
timed on a sample of printers and multiplied by the number of printers.

  fleet.py --sizes "500 2000" --rounds 3 --sample 10 --cpu 0 --dir C:\\KPXFleet

Run by scripts/bench/fleet.sh, inside the prefix it sets up."""
import argparse
import os
import statistics
import subprocess
import sys
import time


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sizes", default="500 2000")
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--sample", type=int, default=10)
    ap.add_argument("--cpu", default="0")
    ap.add_argument("--dir", required=True)
    ap.add_argument("--unix-dir", required=True)
    a = ap.parse_args()
    pin = ["taskset", "-c", a.cpu]
    out = os.path.join(a.unix_dir, "out.txt")

    def run(args):
        """Seconds the tool took, and its exit code; its output in out.txt."""
        with open(out, "wb") as f:
            start = time.monotonic()
            p = subprocess.run(pin + ["wine", a.dir + "\\KPXSETUP.EXE"] + args, stdin=subprocess.DEVNULL,
                               stdout=f, stderr=subprocess.DEVNULL)
            return time.monotonic() - start, p.returncode

    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], stderr=subprocess.DEVNULL)
    subprocess.run(pin + ["wineserver", "-p"], check=True)
    rows = []
    for n in [int(s) for s in a.sizes.split()]:
        print(f"-- {n} printers: adding them ...", flush=True)
        subprocess.run(pin + ["wine", a.dir + "\\kpx_bench_printers.exe", str(n)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        lists, alls = [], []
        for r in range(a.rounds):
            seconds, code = run(["/list"])
            assert code == 0, f"/list ended with {code}"
            lists.append(seconds)
            names = [line.split(b"\t")[0].decode("cp932") for line in open(out, "rb").read().split(b"\r\n") if line]
            assert len(names) == n, f"/list gave {len(names)} printers"
            seconds, code = run(["/printer:*", "/set:Office"])
            assert code == 0, f"/printer:* ended with {code}"
            alls.append(seconds)
            print(f"   round {r + 1}: /list {lists[-1]:.1f} s, /printer:* {alls[-1]:.1f} s", flush=True)
        step = max(1, n // a.sample)
        singles = []
        for name in names[::step][:a.sample]:
            seconds, code = run([f"/printer:{name}", "/set:Office"])
            assert code == 0, f"/printer:{name} ended with {code}"
            singles.append(seconds)
        print(f"   one run per printer: {statistics.median(singles):.2f} s each (median of {len(singles)})",
              flush=True)
        # Last, the set taken off every printer again: the records and the files.
        removal, code = run(["/printer:*", "/remove"])
        assert code == 0, f"/printer:* /remove ended with {code}"
        print(f"   /printer:* /remove: {removal:.1f} s", flush=True)
        rows.append((n, statistics.median(lists), alls[0], statistics.median(alls[1:]) if len(alls) > 1 else None,
                     statistics.median(singles), len(singles), removal))

    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    print()
    print("| printers | /list | /printer:* first | per printer | /printer:* again | one run per printer (sample x N) "
          "| faster (first) | /printer:* /remove |")
    print("|---|---|---|---|---|---|---|---|")
    for n, lst, first, again, single, k, removal in rows:
        each = single * n
        again_text = f"{again:.1f} s" if again is not None else "-"
        print(f"| {n} | {lst:.1f} s | {first:.1f} s | {first / n * 1000:.1f} ms | {again_text} | {each:.0f} s "
              f"({single:.2f} s x {n}, timed on {k}) | {each / first:.0f}x | {removal:.1f} s |")
    print("\nFirst: PLOTA2.INI as the printer-adding program writes it (a record for four of every five printers, "
          "two thirds of them another set), so most records change; again: the set already recorded everywhere "
          "(the files are replaced, no record key is written). One run per printer is timed on a sample of "
          "printers spread over the list and multiplied by the number of printers.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
