#!/usr/bin/env python3
"""Measures the three programs against standard tools and a 256-byte copy floor.

bench.py BIN FLOOR WORK: BIN holds the release programs, FLOOR the floor program, WORK is an
empty folder for the inputs. Prints a table of medians and ratios, peak memory and system
call counts.
"""
import os
import random
import re
import statistics
import subprocess
import sys
import time

RUNS = 5
LINES = 1_000_000
FILES = 100_000

bin_dir, floor, work = sys.argv[1:4]


def prog(name):
    return os.path.join(bin_dir, name)


def timed(argv, cwd, stdout=None):
    """Wall time and peak resident memory (KiB) of one run, the memory as GNU time reports it."""
    if isinstance(argv, str):
        argv = ["sh", "-c", argv]
    report = os.path.join(work, "time.txt")
    start = time.perf_counter()
    with open(stdout or os.devnull, "wb") as out:
        status = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report, *argv], cwd=cwd, stdout=out,
                                stderr=subprocess.DEVNULL).returncode
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {argv}")
    with open(report) as f:
        return elapsed, int(f.read().split()[-1])


def median_time(argv, cwd, stdout=None):
    return statistics.median(timed(argv, cwd, stdout)[0] for _ in range(RUNS))


def syscalls(argv, cwd):
    """read and write calls of one run, by strace."""
    out = subprocess.run(["strace", "-f", "-c", "-e", "trace=read,write", *argv], cwd=cwd,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    counts = {"read": 0, "write": 0}
    for line in out.splitlines():
        m = re.match(r"\s*[\d.]+\s+[\d.]+\s+\d+\s+(\d+)\s+(?:\d+\s+)?(read|write)$", line)
        if m:
            counts[m.group(2)] = int(m.group(1))
    return counts


def write_lines(path, lines):
    with open(path, "wb") as f:
        f.write(b"".join(line + b"\r\n" for line in lines))


def make_inputs():
    rng = random.Random(7)
    words = [b"Song", b"Intro", b"Live", b"Remix", b"Finale", b"Night", b"Blue", b"50% Off"]
    names = []
    for i in range(LINES):
        title = b" ".join(rng.choice(words) for _ in range(rng.randint(1, 4)))
        names.append(b"%02d - %s %d.mp3" % (i % 100, title, i))
    big, small = os.path.join(work, "big"), os.path.join(work, "small")
    for folder, count in ((big, LINES), (small, 10)):
        os.makedirs(folder)
        write_lines(os.path.join(folder, "liste.txt"), names[:count])
        write_lines(os.path.join(folder, "liste-s.txt"), [b"%d::%s" % (1486966880 + 2 * i, n) for i, n in enumerate(names[:count])])
        write_lines(os.path.join(folder, "neu.txt"), [b"X\\New %d.mp3" % i for i in range(count)])
    mp3 = os.path.join(work, "mp3")
    os.makedirs(mp3)
    for i in range(FILES):
        path = os.path.join(mp3, "%06d Track.mp3" % i)
        open(path, "wb").close()
        os.utime(path, (1_500_000_000 + 60 * i, 1_500_000_000 + 60 * i))
    for i in range(FILES // 100):
        open(os.path.join(mp3, "cover %d.jpg" % i), "wb").close()
        open(os.path.join(mp3, ".hidden %d.mp3" % i), "wb").close()
    return big, small, mp3


def same(a, b):
    with open(a, "rb") as x, open(b, "rb") as y:
        return x.read() == y.read()


def main():
    big, small, mp3 = make_inputs()
    rows = []

    # stamplist against find and the directory floor.
    t = median_time([prog("stamplist")], mp3)
    find = "find . -maxdepth 1 -type f -iname '*.mp3' ! -name '.*' -printf '%T@::%f\\n'"
    t_peer = median_time(find, mp3, os.path.join(work, "find.txt"))
    t_floor = median_time([floor, "dir", os.path.join(work, "floor-dir.txt")], mp3)
    rows.append(("stamplist, 100,000 files", t, "find", t_peer, t_floor, "", ("stamplist", mp3, [], "liste.tmp")))

    # stampcut against sed.
    t = median_time([prog("stampcut")], big)
    t_peer = median_time("sed 's/^[^:]*:://' liste-s.txt", big, os.path.join(work, "sed.txt"))
    check = "equal" if same(os.path.join(big, "liste.txt"), os.path.join(work, "sed.txt")) else "DIFFERENT"
    t_floor = median_time([floor, "copy", "liste-s.txt", os.path.join(work, "copy.txt")], big)
    rows.append(("stampcut, 1,000,000 lines", t, "sed", t_peer, t_floor, check, ("stampcut", big, [], "liste.txt")))

    # batchgen in three modes; renumm against awk.
    awk = "awk -v start=1 -v width=3 -f %s liste.txt" % os.path.join(os.path.dirname(os.path.abspath(__file__)), "renumm.awk")
    t_copy = median_time([floor, "copy", "liste.txt", os.path.join(work, "copy.txt")], big)
    for mode in (["renumm", "1", "3"], ["autorenumm", "3"], ["rename"]):
        t = median_time([prog("batchgen"), *mode], big)
        peer, t_peer, check = "", None, ""
        if mode[0] == "renumm":
            peer, t_peer = "awk", median_time(awk, big, os.path.join(work, "awk.txt"))
            check = "equal" if same(os.path.join(big, "renhlp-b.bat"), os.path.join(work, "awk.txt")) else "DIFFERENT"
        rows.append(("batchgen %s, 1,000,000 lines" % mode[0], t, peer, t_peer, t_copy, check, ("batchgen", big, mode, "renhlp-b.bat")))

    print("| program | median s | peer | peer s | ours/peer | 256-byte floor s | ours/floor | output |")
    print("|---|---|---|---|---|---|---|---|")
    for name, t, peer, t_peer, t_floor, check, _ in rows:
        ratio = "%.2f" % (t / t_peer) if t_peer else ""
        print("| %s | %.3f | %s | %s | %s | %.3f | %.2f | %s |" % (
            name, t, peer, "%.3f" % t_peer if t_peer else "", ratio, t_floor, t / t_floor, check))

    print()
    print("| program | peak KiB, big input | peak KiB, 10 lines | difference KiB | reads | bytes read / 256 | writes | bytes written / 256 |")
    print("|---|---|---|---|---|---|---|---|")
    for name, _, _, _, _, _, (program, folder, args, output) in rows:
        argv = [prog(program), *args]
        peak_big = max(timed(argv, folder)[1] for _ in range(3))
        # The small folder holds the 10-line lists and no MP3 file.
        peak_small = max(timed(argv, small)[1] for _ in range(3))
        calls = syscalls(argv, folder)
        read_bytes = sum(os.path.getsize(os.path.join(folder, f)) for f in
                         {"stamplist": [], "stampcut": ["liste-s.txt"]}.get(program, ["liste.txt"] + (["neu.txt"] if "rename" in args else [])))
        written = os.path.getsize(os.path.join(folder, output))
        print("| %s | %d | %d | %d | %d | %d | %d | %d |" % (
            name, peak_big, peak_small, peak_big - peak_small, calls["read"], -(-read_bytes // 256),
            calls["write"], -(-written // 256)))


main()
