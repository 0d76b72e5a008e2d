#!/usr/bin/python3
"""Benchmark: the Monte Carlo study of examples/scripting/side-friction-mc.toml at 10 000 runs,
on 1 and on 2 worker processes of this machine, and the ratio of the times (best of --repeat).

    cmake --build build --target keldar_study_bench
    PYTHONPATH=build/python /usr/bin/python3 build/bench/study_bench.py [--runs N]
"""

import argparse
import os
import tempfile
import time
from pathlib import Path

from keldar.study import studyfile

STUDY = Path(__file__).resolve().parents[2] / "examples" / "scripting" / "side-friction-mc.toml"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=10_000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--study", default=os.environ.get("KELDAR_STUDY_BENCH", STUDY))
    args = parser.parse_args()
    source = Path(args.study)
    # The same study with more runs, written elsewhere: its base named from the example's folder.
    text = source.read_text().replace("runs = 1000", f"runs = {args.runs}")
    text = text.replace('base = "../', f'base = "{source.parents[1].as_posix()}/')
    with tempfile.TemporaryDirectory() as folder:
        copy = Path(folder) / source.name
        copy.write_text(text)
        study = studyfile.read(copy, limit=None)
    # The machine may be shared: each count of workers is timed repeat times, alternating, and
    # the best time kept (what the runs cost when nothing else wants the cores).
    print(f"load average at the start: {os.getloadavg()[0]:.1f}")
    times = {1: [], 2: []}
    for _ in range(args.repeat):
        for workers in times:
            start = time.perf_counter()
            table = study.run(workers=workers, progress=False)
            times[workers].append(time.perf_counter() - start)
            if not (table["status"] == "ok").all():
                raise SystemExit(f"runs failed on {workers} workers")
    for workers, measured in times.items():
        best = min(measured)
        print(f"{len(study)} runs on {workers} worker process{'es' if workers > 1 else ''}: "
              f"{best:.1f} s ({len(study) / best:.0f} runs/s; of "
              + ", ".join(f"{t:.1f}" for t in measured) + " s)")
    print(f"ratio 1 / 2 workers: {min(times[1]) / min(times[2]):.2f}")

if __name__ == "__main__":
    main()
