"""Parametric and Monte Carlo studies: many runs of one base project with varied inputs, or a
batch of data files, gathered into one pandas DataFrame.

    from keldar import study
    s = study.grid("pile.kd3d", {"PileLength": study.span(480, 960, count=5),
                                 "OuterDiameter": [18.0, 24.0]},
                   links={"TblAE2[-1][0]": "PileLength"}, at_settlement=0.5)
    table = s.run()                               # all cores of this machine
    s.plot(table, "plots")                        # PNG and SVG per output

    mc = study.monte_carlo("pile.kd3d", {"D2[0][0][1]": study.lognormal(3.5, 0.7),
                                         "D2[0][1][1]": study.lognormal(6.0, 1.2)},
                           runs=1000, seed=7, correlation={("D2[0][0][1]", "D2[0][1][1]"): 0.6})
    table = mc.run(client="tcp://scheduler:8786")  # or a dask.distributed.Client

Inputs are named as keldar.study.inputs describes (a field, TABLE[row][column] or
D2[layer][row][column]). A run whose value the project refuses, whose engine stops or whose
results are not numbers is a row with that status and message, never dropped; the table keeps
the order of the runs however they were spread over processes or machines.
"""

import itertools
import math
import os
import shutil
import sys
import tempfile

import numpy as np

from .. import load
from . import draws as _draws
from . import inputs as _inputs
from . import runner as _runner
from .draws import DrawError, distribution
from .progress import TerminalProgress

__all__ = ["Study", "StudyError", "DrawError", "sweep", "grid", "monte_carlo", "batch", "span",
           "normal", "lognormal", "uniform", "triangular", "OUTPUTS", "LIMIT"]

OUTPUTS = _runner.OUTPUTS
# Studies above this many runs are refused unless asked for (grid(limit=None), --yes): a grid
# of a few inputs multiplies quickly.
LIMIT = 10_000
# Runs per task at most: large enough that sending a task costs little against running it.
_CHUNK = 250


class StudyError(ValueError):
    """A study that cannot be made; key names what is wrong (a tuple of keys) when known."""

    def __init__(self, message, key=()):
        super().__init__(message)
        self.key = tuple(key)


def normal(mean, sd):
    return distribution("normal", mean=mean, sd=sd)


def lognormal(mean, sd):
    """Mean and standard deviation of the value itself (not of its logarithm)."""
    return distribution("lognormal", mean=mean, sd=sd)


def uniform(low, high):
    return distribution("uniform", low=low, high=high)


def triangular(low, mode, high):
    return distribution("triangular", low=low, mode=mode, high=high)


def span(start, stop, count=None, step=None):
    """Evenly spaced values from start to stop, both included: count of them, or step apart
    (stop is included when a whole number of steps reaches it)."""
    if (count is None) == (step is None):
        raise StudyError("a range takes count or step, one of them", ("count",))
    if count is not None:
        if isinstance(count, bool) or not isinstance(count, int) or count < 2:
            raise StudyError(f"count must be a whole number of 2 or more, not {count!r}",
                             ("count",))
        return [float(v) for v in np.linspace(start, stop, count)]
    if not step or (stop - start) / step < 0:
        raise StudyError(f"a step of {step!r} does not lead from {start!r} to {stop!r}",
                         ("step",))
    n = int(math.floor((stop - start) / step + 1e-9)) + 1
    return [start + i * step for i in range(n)]


class Study:
    """The runs of a study: the base project's text and, per run, the values of the varied
    inputs (a batch: the data files). ``inputs`` shows them as a DataFrame before running."""

    def __init__(self, kind, base, names=(), values=None, files=(), links=None,
                 at_settlement=None, at_load=None):
        self.kind = kind
        self.base = base
        self.names = tuple(names)
        self.values = [] if values is None else [tuple(v) for v in values]
        self.files = list(files)
        self.links = dict(links or {})
        self.at_settlement = at_settlement
        self.at_load = at_load

    def __len__(self):
        return len(self.files) if self.kind == "batch" else len(self.values)

    @property
    def inputs(self):
        import pandas
        if self.kind == "batch":
            return pandas.DataFrame({"file": [name for name, _ in self.files]})
        return pandas.DataFrame(self.values, columns=list(self.names))

    def _chunks(self, size):
        common = dict(at_settlement=self.at_settlement, at_load=self.at_load)
        if self.kind == "batch":
            return [_runner.Chunk(first, files=self.files[first:first + size], **common)
                    for first in range(0, len(self), size)]
        return [_runner.Chunk(first, self.base, self.names, tuple(self.links.items()),
                              self.values[first:first + size], **common)
                for first in range(0, len(self), size)]

    def run(self, workers=None, client=None, sequential=False, progress=None, chunk_size=None):
        """Runs the study and returns its table: one row per run in run order, with the
        inputs, status, engine_status, message and the OUTPUTS. By default on all cores of
        this machine (workers processes); sequential=True in this process; client (a
        dask.distributed.Client or a scheduler address) on a Dask cluster. progress: a
        callable (done, total), True for a line on the terminal, None for one when standard
        error is a terminal. Ctrl+C stops the study: the finished rows are kept, the others
        have status "not run"."""
        if progress is None:
            progress = sys.stderr.isatty()
        reporter = TerminalProgress() if progress is True else (progress or None)
        own_client = None
        if isinstance(client, str):
            from distributed import Client
            client = own_client = Client(client)
        try:
            if client is not None:
                parallel = _runner.cluster_threads(client)
            else:
                parallel = 1 if sequential else (workers or os.cpu_count() or 1)
            size = chunk_size or min(_CHUNK, max(1, math.ceil(len(self) / (4 * parallel))))
            chunks = self._chunks(size)
            if client is not None:
                finished = _runner.on_cluster(chunks, client)
            elif sequential:
                finished = _runner.in_this_process(chunks)
            else:
                finished = _runner.in_processes(chunks, parallel)
            rows, units = self._collect(chunks, finished, reporter)
        finally:
            if own_client is not None:
                own_client.close()
        return self._table(rows, units)

    def _collect(self, chunks, finished, reporter):
        rows = [None] * len(self)
        units, done = None, 0
        try:
            for index, (chunk_rows, chunk_units) in finished:
                first = chunks[index].first
                rows[first:first + len(chunk_rows)] = chunk_rows
                units = units or chunk_units
                done += len(chunk_rows)
                if reporter:
                    reporter(done, len(self))
        except KeyboardInterrupt:
            if hasattr(reporter, "stopped"):
                reporter.stopped(done, len(self))
        finally:
            finished.close()
        return [r or _runner.row(_runner.NOT_RUN, "") for r in rows], units

    def _table(self, rows, units):
        import pandas
        results = pandas.DataFrame(rows, columns=list(_runner.row("", "")))
        results[list(OUTPUTS)] = results[list(OUTPUTS)].astype(float)
        results["engine_status"] = results["engine_status"].astype("Int64")
        table = pandas.concat([self.inputs, results], axis=1)
        table.index.name = "run"
        table.attrs["units"] = units
        return table

    def plot(self, table, folder):
        """Writes the study's plots (PNG and SVG) into folder; returns the files written."""
        from . import plots
        os.makedirs(folder, exist_ok=True)
        units = table.attrs.get("units")
        if self.kind == "monte carlo":
            return plots.monte_carlo_plots(table, folder, units)
        if self.kind in ("sweep", "grid"):
            return plots.sweep_plots(table, list(self.names), folder, units)
        return []


def _base_project(base, cpt, settings):
    """The base project's data file text with the fixed settings applied, and the project."""
    folder = tempfile.mkdtemp(prefix="keldar-study-")
    try:
        path = os.path.join(folder, "base.kd3d")
        if cpt is not None:
            from .. import cpt as _cpt
            options = dict(cpt)
            record = _cpt.read(options.pop("file"))
            project = _cpt.project(record, path=path, **options)
        else:
            if base is None:
                raise StudyError("a study needs a base data file (or a CPT file)", ("base",))
            project = load(base)
        for name, value in (settings or {}).items():
            _checked_target(project, name, ("set", name))
            try:
                _inputs.write(project, _inputs.parse(name), value)
            except (TypeError, ValueError) as e:
                raise StudyError(str(e), ("set", name)) from None
        project.save(path)
        with open(path, "rb") as data:
            return data.read(), project
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def _checked_target(project, name, key):
    try:
        target = _inputs.parse(name)
        _inputs.read(project, target)
    except ValueError as e:
        raise StudyError(str(e), key) from None
    return target


def _varied(kind, base, names, values, links, at_settlement, at_load, cpt=None, settings=None,
            section="inputs"):
    text, project = _base_project(base, cpt, settings)
    for name in names:
        _checked_target(project, name, (section, name))
    for target, source in (links or {}).items():
        _checked_target(project, target, ("links", target))
        if source not in names:
            raise StudyError(f"{target} follows {source!r}, which the study does not vary",
                             ("links", target))
    return Study(kind, text, names, values, (), links, at_settlement, at_load)


def _lists(inputs, section):
    lists = {}
    for name, values in inputs.items():
        values = list(values) if isinstance(values, (list, tuple, np.ndarray, range)) else None
        if not values:
            raise StudyError(f"{name} needs a non-empty list of values", (section, name))
        lists[name] = values
    if not lists:
        raise StudyError("no input is varied", (section,))
    return lists


def sweep(base, inputs, links=None, at_settlement=None, at_load=None, **options):
    """One run per position in the lists of inputs ({name: values}), which are taken together
    and so must be equally long."""
    lists = _lists(inputs, "sweep")
    lengths = {len(v) for v in lists.values()}
    if len(lengths) > 1:
        raise StudyError("the lists of a sweep are taken together and must be equally long "
                         f"(they have {', '.join(str(len(v)) for v in lists.values())} values)",
                         ("sweep",))
    return _varied("sweep", base, list(lists), list(zip(*lists.values())), links, at_settlement,
                   at_load, section="sweep", **options)


def grid(base, inputs, links=None, at_settlement=None, at_load=None, limit=LIMIT, **options):
    """One run per combination of the inputs' values ({name: values}); the last input varies
    fastest. More than limit runs raise StudyError (limit=None: no limit)."""
    lists = _lists(inputs, "grid")
    runs = math.prod(len(v) for v in lists.values())
    if limit is not None and runs > limit:
        raise StudyError(f"the grid has {runs} runs, more than the limit of {limit}; ask for "
                         "them with --yes (limit=None in Python)", ("grid",))
    return _varied("grid", base, list(lists), list(itertools.product(*lists.values())), links,
                   at_settlement, at_load, section="grid", **options)


def monte_carlo(base, inputs, runs, seed, correlation=None, latin_hypercube=False, links=None,
                at_settlement=None, at_load=None, **options):
    """runs draws of the inputs ({name: Distribution}) from a generator seeded by seed;
    correlation {(name, name): coefficient}; latin_hypercube stratifies each input."""
    if isinstance(runs, bool) or not isinstance(runs, int) or runs < 1:
        raise StudyError(f"runs must be a whole number of 1 or more, not {runs!r}", ("runs",))
    if isinstance(seed, bool) or not isinstance(seed, int) or seed < 0:
        raise StudyError(f"seed must be a whole number of 0 or more, not {seed!r}", ("seed",))
    if not inputs:
        raise StudyError("no input is drawn", ("inputs",))
    names = list(inputs)
    for name, d in inputs.items():
        if not isinstance(d, _draws.Distribution):
            raise StudyError(f"{name} needs a distribution (study.normal(...), ...)",
                             ("inputs", name))
    matrix = _draws.correlation_matrix(names, correlation) if correlation else None
    values = _draws.draw(list(inputs.values()), runs, seed, matrix, latin_hypercube)
    return _varied("monte carlo", base, names, values.tolist(), links, at_settlement, at_load,
                   **options)


def _data_files(item):
    if os.path.isdir(item):
        return sorted(os.path.join(item, f) for f in os.listdir(item) if f.endswith(".kd3d"))
    return [item]


def batch(files, at_settlement=None, at_load=None):
    """One run per data file: files lists files and folders (every .kd3d in a folder). A file
    that cannot be read is a failed row of its own."""
    if isinstance(files, (str, os.PathLike)):
        files = [files]
    paths = [p for item in files for p in _data_files(os.fspath(item))]
    if not paths:
        raise StudyError("the batch holds no data file", ("batch",))
    texts = []
    for path in paths:
        try:
            with open(path, "rb") as data:
                texts.append((path, data.read()))
        except OSError as e:
            # A text instead of the file's bytes: the run's row fails with it.
            texts.append((path, f"{path}: {e.strerror}"))
    return Study("batch", None, (), None, texts, None, at_settlement, at_load)
