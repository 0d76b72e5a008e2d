"""KELDAR from Python: load-settlement analysis of an axially loaded pile.

    import keldar
    project = keldar.load("pile.kd3d")
    project.PileLength = 720.0                    # scalar fields by their project names
    ae = project.table("TblAE2")                  # tables as lists of rows of floats
    project.set_table("TblAE2", ae)
    results = project.run()                       # in-process, in a private temporary folder
    for row in results["load_settlement"]["rows"]:
        print(row["top_load"], row["top_movement"])

The results are the JSON document of ``keldar-run --results json`` (docs/results.schema.json)
as Python dicts, lists and floats. A run stopped with a status above 0 raises RunError; its
``results`` attribute holds what was computed before the stop, with the unfinished tables
marked ``"complete": False``.
"""

import json as _json
import os as _os

from . import _keldar

__all__ = ["Project", "load", "run_file", "FileError", "RunError", "version"]

__version__ = _keldar.__version__  # the KELDAR release
version = _keldar.version  # the engine's version text, as its report prints it
FileError = _keldar.FileError

# Scalar fields of a project, by the names the program uses.
FIELDS = (
    "UnitSystem", "FileName", "Title", "QMultiplier", "WMultiplier", "OuterDiameter",
    "PileLength", "TipArea", "Tolerance", "IncrementCount", "OutputOption", "DowndragOn",
    "TipMovementsOn", "HeadLoadsOn", "CurvesGenerated", "TZFactorsOn", "QWFactorsOn",
)


class RunError(RuntimeError):
    """A run that ended with a status above 0; ``status``, ``message`` and ``results``."""

    def __init__(self, status, message, results):
        super().__init__(f"status {status}: {message}")
        self.status = status
        self.message = message
        self.results = results


def _cell(value):
    # NaN (a sub-table cell of an array) and None leave the cell as it is.
    if value is None or (isinstance(value, float) and value != value):
        return None
    if isinstance(value, (int, str)) and not isinstance(value, bool):
        return value
    return float(value)


def _outcome(outcome, check):
    results = _json.loads(outcome.json)
    if check and outcome.status > 0:
        raise RunError(outcome.status, outcome.message, results)
    return results


class Project:
    """One project: a data file read and written by the program's own project model."""

    def __init__(self, path=None):
        object.__setattr__(self, "_p", _keldar.Project())
        object.__setattr__(self, "warnings", [])
        if path is not None:
            self.warnings.extend(self._p.load(_os.fspath(path)))

    def __getattr__(self, name):
        if name in FIELDS:
            return self._p.field(name)
        raise AttributeError(name)

    def __setattr__(self, name, value):
        if name in FIELDS:
            self._p.set_field(name, value)
        else:
            object.__setattr__(self, name, value)

    def fields(self):
        """Every scalar field as a dict."""
        return {name: self._p.field(name) for name in FIELDS}

    def table_names(self):
        return self._p.table_names()

    def table(self, name, row=None):
        """Rows of a table (lists of floats; enumerations as int, sub-table cells as None).
        With row: the sub-table of that row (0-based) of D2 (layer data) or TblTZDepth2
        (t-z curve)."""
        return self._p.table(name, -1 if row is None else row)

    def array(self, name, row=None):
        """A table as a NumPy array of floats (sub-table cells as NaN); needs NumPy."""
        import numpy
        return numpy.array([[float("nan") if v is None else float(v) for v in r]
                            for r in self.table(name, row)])

    def set_table(self, name, rows, row=None):
        """Replaces a table's rows; None leaves a cell as it is. Accepts NumPy arrays."""
        rows = [[_cell(v) for v in r] for r in (rows.tolist() if hasattr(rows, "tolist") else rows)]
        self._p.set_table(name, rows, -1 if row is None else row)

    @property
    def modified(self):
        return self._p.modified

    def save(self, path=None):
        """Writes the data file (to path, which becomes the project's file name)."""
        self._p.save("" if path is None else _os.fspath(path))

    def run(self, folder=None, check=True, console=False):
        """Runs the analysis in-process. The project is written to folder (report, plot and
        notes files stay there) or to a private temporary folder that is removed afterwards."""
        folder = "" if folder is None else _os.fspath(folder)
        return _outcome(self._p.run(folder, console), check)


def load(path):
    """Reads a data file; raises FileError with the reader's line-numbered message."""
    return Project(path)


def run_file(path, check=True, console=False):
    """Runs a data file as it stands, writing its report, plot and notes files beside it."""
    return _outcome(_keldar.run_data_file(_os.fspath(path), console), check)
