"""Plots of a study's table with Matplotlib (Agg, no display needed), as PNG and SVG: each output
against the varied input for a sweep or a grid, and for a Monte Carlo study each output's
histogram and empirical distribution with its 5 %, 50 % and 95 % values marked."""

import os

import numpy as np

from .inputs import label as input_label
from .inputs import value_label
from .runner import OK, OUTPUTS

PERCENTILES = (5, 50, 95)


def _pyplot():
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    return plt


def _label(name, units):
    unit = output_unit(name, units)
    return f"{name} ({unit})" if unit else name


def output_unit(name, units):
    """The unit of an output in the units of the runs ({} when no run read them)."""
    if not units:
        return ""
    if name.endswith("share"):
        return ""
    return units["movement"] if name.startswith("settlement") else units["force"]


def _outputs_with_values(table):
    done = table[table["status"] == OK]
    return done, [name for name in OUTPUTS if done[name].notna().any()]


def _number_text(value):
    return f"{value:.0f}" if abs(value) >= 1e4 else f"{value:.4g}"


def _readable_axis(axes):
    # Loads in lb run to six figures: a common power of ten keeps the tick labels apart.
    axes.ticklabel_format(axis="x", style="sci", scilimits=(-3, 4), useMathText=True)


def _save(figure, folder, stem, written):
    for ext in ("png", "svg"):
        path = os.path.join(folder, f"{stem}.{ext}")
        figure.savefig(path, dpi=100)
        written.append(path)


def sweep_plots(table, varied, folder, units=None):
    """One figure per output: the output against the first varied input, one line for each
    combination of the others. Returns the files written."""
    plt = _pyplot()
    done, outputs = _outputs_with_values(table)
    x, others = varied[0], list(varied[1:])
    written = []
    for name in outputs:
        figure, axes = plt.subplots(figsize=(6.4, 4.2))
        # One key names a column, several a tuple of columns.
        by = others[0] if len(others) == 1 else others
        groups = done.groupby(by, sort=True) if others else [((), done)]
        for key, group in groups:
            group = group.sort_values(x)
            key = key if isinstance(key, tuple) else (key,)
            label = ", ".join(value_label(n, v) for n, v in zip(others, key))
            axes.plot(group[x], group[name], marker="o", label=label or None)
        axes.set_xlabel(input_label(x, (units or {}).get("system")))
        axes.set_ylabel(_label(name, units))
        axes.ticklabel_format(axis="y", style="sci", scilimits=(-3, 4), useMathText=True)
        axes.grid(True, alpha=0.4)
        if others:
            axes.legend(fontsize="small")
        figure.tight_layout()
        _save(figure, folder, name, written)
        plt.close(figure)
    return written


def monte_carlo_plots(table, folder, units=None):
    """One figure per output: histogram and empirical CDF side by side, the 5 %, 50 % and 95 %
    values marked on both. Returns the files written."""
    plt = _pyplot()
    done, outputs = _outputs_with_values(table)
    written = []
    for name in outputs:
        values = np.sort(done[name].dropna().to_numpy(dtype=float))
        marks = np.percentile(values, PERCENTILES)
        figure, (hist, cdf) = plt.subplots(1, 2, figsize=(10, 4))
        hist.hist(values, bins="auto", color="#4c72b0", alpha=0.8)
        hist.set_ylabel("runs")
        cdf.step(values, np.arange(1, len(values) + 1) / len(values), where="post")
        cdf.set_ylabel("fraction of runs at or below")
        cdf.set_ylim(0, 1)
        for axes in (hist, cdf):
            axes.set_xlabel(_label(name, units))
            axes.grid(True, alpha=0.4)
            _readable_axis(axes)
            for value in marks:
                axes.axvline(value, color="#c44e52", linestyle="--", linewidth=1)
        for p, value in zip(PERCENTILES, marks):
            # The upper label goes left of its line, where the curve has already passed.
            left = p > 50
            cdf.annotate(f"{p} %: {_number_text(value)}", (value, p / 100),
                         xytext=(-4 if left else 4, 0), textcoords="offset points",
                         fontsize="small", va="center", ha="right" if left else "left")
        figure.suptitle(f"{name}: {len(values)} runs")
        figure.tight_layout()
        _save(figure, folder, name, written)
        plt.close(figure)
    return written
