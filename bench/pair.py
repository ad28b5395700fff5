#!/usr/bin/env python3
"""Times two commands side by side: each run does both, in alternating order, each after its own
untimed preparing step. Prints the medians and their ratio against a target, then measures each
command's peak memory in one more run of its own, and keeps them all in a JSON file.

    pair.py NAME TARGET RUNS JSON OURS_PREPARE OURS THEIRS_PREPARE THEIRS

Commands are split like a shell line and run without a shell; one that ends in "> FILE" writes its
standard output there."""
import json
import re
import shlex
import statistics
import subprocess
import sys
import time


def run(command, wrapper=()):
    """Wall time in seconds of one run, and what it wrote to standard error when wrapped."""
    target = None
    redirect = re.fullmatch(r"(.*\S)\s+>\s*(\S+)", command)
    if redirect:
        command, target = redirect.group(1), redirect.group(2)
    argv = [*wrapper, *shlex.split(command)]
    out = open(target, "wb") if target else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        status = subprocess.run(argv, stdout=out, stderr=subprocess.PIPE if wrapper else subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
    finally:
        if target:
            out.close()
    if status.returncode != 0:
        sys.exit(f"{command!r} failed with status {status.returncode}")
    return elapsed, status.stderr


def peak(prep, command):
    """The peak resident set in KiB of one run. A process keeps the largest resident set it ever had
    across exec, so it is measured through a small program rather than from this large one."""
    prepare(prep)
    _, report = run(command, ("/usr/bin/time", "-f", "peak %M"))
    return int(report.decode().strip().splitlines()[-1].split()[1])


def prepare(command):
    subprocess.run(["bash", "-c", command], check=True)


def main():
    name, target, runs, path = sys.argv[1], float(sys.argv[2]), max(9, int(sys.argv[3])), sys.argv[4]
    ours, theirs = (sys.argv[5], sys.argv[6]), (sys.argv[7], sys.argv[8])
    times = {"ours": [], "theirs": []}
    # One warm-up of each, then pairs; alternating the order spreads whatever the machine does
    # evenly over both.
    for round in range(runs + 1):
        order = [("ours", ours), ("theirs", theirs)]
        if round % 2:
            order.reverse()
        for side, (prep, command) in order:
            prepare(prep)
            elapsed, _ = run(command)
            if round > 0:
                times[side].append(elapsed)
    mine, reference = statistics.median(times["ours"]), statistics.median(times["theirs"])
    ratio = mine / reference
    verdict = "ok" if ratio <= target else "MISSED"
    print(f"{name:<20} qytxt {mine * 1000:8.1f} ms  reference {reference * 1000:8.1f} ms  "
          f"ratio {ratio:5.2f} (target <= {target:g}, medians of {runs}) {verdict}")
    with open(path, "w") as out:
        json.dump({"name": name, "ours": mine, "theirs": reference, "ratio": ratio, "target": target,
                   "peak_kib": peak(*ours), "reference_peak_kib": peak(*theirs), "runs": runs}, out)


if __name__ == "__main__":
    main()
