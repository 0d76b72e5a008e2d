#!/usr/bin/python3
"""Runs a second through Python, on one core: Project.run() in memory (the default) and through
files (files=True: a private temporary folder each run), for each project named.

    PYTHONPATH=build/python /usr/bin/python3 python/bench/run_rate_bench.py \\
        [--seconds 3] examples/steel-pipe-clay.kd3d ...

The goal for a typical project is 1 000 runs a second in memory.
"""

import argparse
import os
import time

import keldar


def runs_a_second(project, seconds, **choice):
    for _ in range(20):  # warm the caches and the allocator
        project.run(**choice)
    runs = 0
    start = time.perf_counter()
    cpu = time.process_time()
    while time.perf_counter() - start < seconds:
        project.run(**choice)
        runs += 1
    return runs / (time.perf_counter() - start), runs / (time.process_time() - cpu)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("projects", nargs="+")
    parser.add_argument("--seconds", type=float, default=3.0)
    args = parser.parse_args()
    # One core: the figures are those of one worker of a study.
    os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})
    print(f"{'project':24} {'mode':8} {'runs/s (wall)':>14} {'runs/s (cpu)':>13}")
    for path in args.projects:
        project = keldar.load(path)
        name = os.path.splitext(os.path.basename(path))[0]
        for mode, choice in (("memory", {}), ("files", {"files": True})):
            wall, cpu = runs_a_second(project, args.seconds, **choice)
            print(f"{name:24} {mode:8} {wall:14.0f} {cpu:13.0f}")


if __name__ == "__main__":
    main()
