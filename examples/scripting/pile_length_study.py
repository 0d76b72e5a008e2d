#!/usr/bin/python3
"""Parametric study: pile-head load at a given settlement against pile length, for two t-z and
Q-w curve methods of a driven pile in clay.

    PYTHONPATH=build/python /usr/bin/python3 examples/scripting/pile_length_study.py \\
        [--project examples/pipe-pile-clay.kd3d] [--settlement 0.5] [--out study]

Writes OUT.csv (one row per pile length, one column per method) and, where Matplotlib is
installed, OUT.png. The project is never changed on disk: every run is made in memory.
"""

import argparse
import csv
from pathlib import Path

import keldar

# Soil type codes of the two driven-pile methods for clay.
METHODS = {1: "Driven Pile in Clay (Coyle & Reese)", 5: "Driven Pile in Clay (API)"}


def load_at_settlement(rows, settlement):
    """Head load at a head movement, interpolated linearly in the load-settlement rows; None
    when the cases do not reach that movement."""
    points = sorted((r["top_movement"], r["top_load"]) for r in rows if r["top_movement"] > 0)
    for (w0, q0), (w1, q1) in zip(points, points[1:]):
        if w0 <= settlement <= w1:
            return q0 + (q1 - q0) * (settlement - w0) / (w1 - w0)
    return None


def set_method(project, code):
    layers = project.table("D2")
    project.set_table("D2", [[code, row[1], None] for row in layers])


def set_length(project, length):
    project.PileLength = length
    # The stiffness is given from the head down to the tip.
    ae = project.table("TblAE2")
    ae[-1][0] = length
    project.set_table("TblAE2", ae)


def study(project_file, settlement, lengths):
    project = keldar.load(project_file)
    project.HeadLoadsOn = False  # only the load-settlement curve is needed
    table = []
    for length in lengths:
        row = [length]
        for code in METHODS:
            set_method(project, code)
            set_length(project, length)
            results = project.run()
            row.append(load_at_settlement(results["load_settlement"]["rows"], settlement))
        table.append(row)
    return table, project.UnitSystem


def write_csv(path, table, units):
    length, force = ("in", "lb") if units == 1 else ("m", "kN")
    with open(path, "w", newline="") as out:
        writer = csv.writer(out)
        writer.writerow([f"pile_length_{length}"] +
                        [f"head_load_{force} {name}" for name in METHODS.values()])
        for row in table:
            writer.writerow(["" if v is None else repr(v) for v in row])


def write_chart(path, table, units, settlement):
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        return False
    length, force = ("in", "lb") if units == 1 else ("m", "kN")
    figure, axes = plt.subplots(figsize=(6, 4))
    for i, name in enumerate(METHODS.values(), start=1):
        points = [(row[0], row[i]) for row in table if row[i] is not None]
        axes.plot([p[0] for p in points], [p[1] for p in points], marker="o", label=name)
    axes.set_xlabel(f"Pile length ({length})")
    axes.set_ylabel(f"Head load at {settlement} {length} settlement ({force})")
    axes.grid(True)
    axes.legend()
    figure.tight_layout()
    figure.savefig(path, dpi=100)
    return True


def main():
    here = Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--project", default=here.parent / "pipe-pile-clay.kd3d")
    parser.add_argument("--settlement", type=float, default=0.5)
    parser.add_argument("--lengths", type=float, nargs="+",
                        default=[480, 600, 720, 840, 960, 1080])
    parser.add_argument("--out", default="pile-length-study")
    args = parser.parse_args()

    table, units = study(args.project, args.settlement, args.lengths)
    write_csv(args.out + ".csv", table, units)
    print(f"wrote {args.out}.csv")
    if write_chart(args.out + ".png", table, units, args.settlement):
        print(f"wrote {args.out}.png")


if __name__ == "__main__":
    main()
