#!/usr/bin/env python3
"""The closing summary of bench/run: every job's ratio and peak memory at each text size, and
whether its time grows in step with the size from the smallest text to the largest.

    summary.py TIMINGS_FOLDER SIZE...     (one folder of JSON files per size, as bench/pair.py wrote)"""
import json
import os
import sys

KIB_LIMITS = {"merge": 16 * 1024}  # the merge holds no input; the others at most 32 MiB
DEFAULT_KIB_LIMIT = 32 * 1024
# Time per byte may grow this much from the smallest text to the largest and still count as linear.
LINEAR_SLACK = 1.25


def load(folder, size):
    path = os.path.join(folder, size)
    jobs = {}
    # In the order the jobs ran.
    files = sorted((name for name in os.listdir(path) if name.endswith(".json")),
                   key=lambda name: os.path.getmtime(os.path.join(path, name)))
    for name in files:
        if name.endswith(".json"):
            result = json.load(open(os.path.join(path, name)))
            jobs[result["name"]] = result
    return int(open(os.path.join(path, "bytes")).read()), jobs


def main():
    folder, sizes = sys.argv[1], sys.argv[2:]
    loaded = {size: load(folder, size) for size in sizes}
    missed = 0
    print("Summary")
    for size in sizes:
        total, jobs = loaded[size]
        print(f"  {size} MB text ({total} bytes)")
        for name, job in jobs.items():
            limit = KIB_LIMITS.get(name, DEFAULT_KIB_LIMIT)
            ratio_ok = job["ratio"] <= job["target"]
            peak_ok = job["peak_kib"] <= limit
            missed += (not ratio_ok) + (not peak_ok)
            print(f"    {name:<20} ratio {job['ratio']:5.2f} (<= {job['target']:g}) {'ok' if ratio_ok else 'MISSED':<6}"
                  f"  peak {job['peak_kib'] / 1024:6.1f} MiB (<= {limit // 1024}) {'ok' if peak_ok else 'MISSED'}")
    if len(sizes) > 1:
        small, large = sizes[0], sizes[-1]
        (small_bytes, small_jobs), (large_bytes, large_jobs) = loaded[small], loaded[large]
        grown = large_bytes / small_bytes
        print(f"  Time from {small} MB to {large} MB ({grown:.2f} times the bytes)")
        for name, job in large_jobs.items():
            if name not in small_jobs:
                continue
            times = job["ours"] / small_jobs[name]["ours"]
            linear = times <= grown * LINEAR_SLACK
            missed += not linear
            print(f"    {name:<20} {small_jobs[name]['ours'] * 1000:8.1f} ms -> {job['ours'] * 1000:8.1f} ms: "
                  f"{times:5.2f} times {'linear' if linear else 'MISSED: grows faster than the text'}")
    print(f"  {missed} target(s) missed" if missed else "  every target met")


if __name__ == "__main__":
    main()
