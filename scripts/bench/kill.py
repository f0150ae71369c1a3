#!/usr/bin/env python3
"""The interruption probe (run by scripts/bench/kill.sh inside its prefix).
For each size of PLOTA2.INI: one uncut run gives the finished state and the
run's length; then, kills times, the old state is put back, the apply is
started and killed with SIGKILL after a random part of that length, and
every target and PLOTA2.INI is checked: present, and byte for byte the old
file or the finished one. A run after the kill must end with 0 and leave
the finished state, with no file of the temporary pattern beside a target."""
import argparse
import glob
import os
import random
import signal
import subprocess
import sys
import time

KINDS = ["auto", "vivid", "tone", "font"]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sizes", default="200 2000 20000")
    ap.add_argument("--kills", type=int, default=120)
    ap.add_argument("--dir", required=True)
    ap.add_argument("--unix-dir", required=True)
    ap.add_argument("--prefix", required=True)
    a = ap.parse_args()
    system = os.path.join(a.prefix, "drive_c", "windows", "system32")
    driver = os.path.join(system, "spool", "drivers", "w32x86", "3")
    ini = os.path.join(system, "PLOTA2.INI")
    targets = [os.path.join(folder, k + ".kpx") for folder in (system, driver) for k in KINDS]
    command = ["wine", a.dir + "\\KPXSETUP.EXE", "/printer:Plotter 0001", "/set:Office"]
    rng = random.Random(20261208)

    def read(path):
        try:
            with open(path, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def restore(old_ini, old_files):
        for path in glob.glob(os.path.join(system, "~kpx*")) + glob.glob(os.path.join(driver, "~kpx*")):
            os.remove(path)
        with open(ini, "wb") as f:
            f.write(old_ini)
        for path, data in old_files.items():
            with open(path, "wb") as f:
                f.write(data)

    def run(kill_after=None):
        p = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        start = time.monotonic()
        if kill_after is None:
            code = p.wait()
            return code, time.monotonic() - start
        try:
            code = p.wait(timeout=kill_after)
            return code, time.monotonic() - start
        except subprocess.TimeoutExpired:
            os.kill(p.pid, signal.SIGKILL)
            p.wait()
            # The server notices the end and closes the process's handles.
            time.sleep(0.3)
            return None, kill_after

    subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-p"], check=True)
    failures = 0
    for n in [int(s) for s in a.sizes.split()]:
        old_ini = "".join(f"[Filler {i:05d}]\r\nColorProfileSetName=Keep\r\nAuto=keep.kpx\r\n" for i in range(n))
        old_ini = ("[Plotter 0001]\r\nColorProfileSetName=Poster\r\n" + old_ini).encode("cp932")
        old_files = {path: b"old " + os.path.basename(path).encode() * 100000 for path in targets}
        lengths = []
        for _ in range(3):
            restore(old_ini, old_files)
            code, length = run()
            assert code == 0, f"the uncut run ended with {code}"
            lengths.append(length)
        length = min(lengths)
        done_ini = read(ini)
        done_files = {path: read(path) for path in targets}
        cut = missing = torn = 0
        for k in range(a.kills):
            restore(old_ini, old_files)
            code, _ = run(rng.uniform(0, length * 1.1))
            cut += code is None
            for path, old in [(ini, old_ini)] + list(old_files.items()):
                now = read(path)
                done = done_ini if path == ini else done_files[path]
                if now is None:
                    missing += 1
                    print(f"   kill {k + 1}: {path} missing", flush=True)
                elif now != old and now != done:
                    torn += 1
                    print(f"   kill {k + 1}: {path} neither old nor new ({len(now)} bytes)", flush=True)
            code, _ = run()
            if code != 0 or read(ini) != done_ini or any(read(p) != done_files[p] for p in targets):
                failures += 1
                print(f"   kill {k + 1}: the run after it ended with {code} and did not complete the apply", flush=True)
            left = glob.glob(os.path.join(system, "~kpx*")) + glob.glob(os.path.join(driver, "~kpx*"))
            if left:
                failures += 1
                print(f"   kill {k + 1}: left behind {left}", flush=True)
        failures += missing + torn
        print(f"{n} sections: run {length * 1000:.0f} ms, {a.kills} kills ({cut} before the run ended): "
              f"{missing} files missing, {torn} torn", flush=True)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
