"""KELDAR from Python: load-settlement analysis of an axially loaded pile.

    import keldar
    project = keldar.load("pile.kd3d")
    project.PileLength = 720.0                    # scalar fields by their project names
    ae = project.table("TblAE2")                  # tables as lists of rows of floats
    project.set_table("TblAE2", ae)
    results = project.run()                       # in-process and in memory: no file written
    for row in results["load_settlement"]["rows"]:
        print(row["top_load"], row["top_movement"])

The results are the JSON document of ``keldar-run --results json`` (docs/results.schema.json)
as Python dicts, lists and floats. A run stopped with a status above 0, or one whose results
are not all finite numbers, raises RunError; its ``results`` attribute holds what was computed,
with the unfinished tables marked ``"complete": False`` and the rows that are not numbers
marked ``"finite": False``.

A name that is not a field, a value of the wrong type and a value that the analysis cannot use
are refused when they are set (AttributeError, TypeError, ValueError), never at run time.
"""

import difflib as _difflib
import errno as _errno
import json as _json
import math as _math
import numbers as _numbers
import os as _os
import warnings as _warnings

from . import _keldar

__all__ = ["Project", "load", "run_file", "describe", "FileError", "RunError",
           "DataFileWarning", "version", "FIELDS", "SETTABLE_FIELDS"]

__version__ = _keldar.__version__  # the KELDAR release
version = _keldar.version  # the engine's version text, as its report prints it
FileError = _keldar.FileError


class DataFileWarning(UserWarning):
    """A data file holds something that the project cannot keep as read (words after a
    record's values, a number that saving would write differently, ...): saving it would
    change what the analysis reads. The same texts are in ``Project.warnings``."""


# How a field's value is checked before it is stored.
_REAL, _POSITIVE, _WHOLE, _COUNT, _FLAG, _TEXT, _UNITS = (
    "real", "positive real", "whole number", "count", "flag", "text", "unit system")

# The scalar fields of a project, by the names the program uses: the kind of value each takes
# (None: set by save(path) only), its unit code (as the tables' columns have them) and what it
# is. The scripting reference and describe() are made from this list.
_FIELD_LIST = (
    ("UnitSystem", _UNITS, "", "1 English (in, lb), 2 SI (m, kN); setting it converts every "
     "number the project holds"),
    ("FileName", None, "", "the data file the project was read from or last saved to"),
    ("Title", _TEXT, "", "project title, the first line of the data file (the analysis keeps "
     "72 characters)"),
    ("QMultiplier", _REAL, "", "Q-multiplier of the Q-w modification factors"),
    ("WMultiplier", _REAL, "", "w-multiplier of the Q-w modification factors"),
    ("OuterDiameter", _POSITIVE, "L", "outer diameter of the pile"),
    ("PileLength", _POSITIVE, "L", "pile length"),
    ("TipArea", _POSITIVE, "L^2", "area of the pile tip"),
    ("Tolerance", _POSITIVE, "L", "convergence tolerance on movement"),
    ("IncrementCount", _COUNT, "", "number of pile increments (the program's window takes "
     "10 to 500)"),
    ("OutputOption", _WHOLE, "", "0: the table along the pile for every case in the report; "
     "above 0: the load-settlement tables only"),
    ("DowndragOn", _FLAG, "", "down-drag from the soil settlement profile (TblSettlement2)"),
    ("TipMovementsOn", _FLAG, "", "the tip movements of TblTipMove instead of the nine "
     "default ones"),
    ("HeadLoadsOn", _FLAG, "", "load-controlled solutions for the loads of TblTopload"),
    ("CurvesGenerated", _FLAG, "", "t-z and Q-w curves generated from the soil layers (D2) "
     "instead of entered (TblTZDepth2, TblQwcurve2)"),
    ("TZFactorsOn", _FLAG, "", "modification factors on the t-z curves (TblTZFactors2)"),
    ("QWFactorsOn", _FLAG, "", "modification factors on the Q-w curve (QMultiplier, "
     "WMultiplier)"),
)
_FIELD_KINDS = {name: kind for name, kind, _, _ in _FIELD_LIST}
FIELDS = tuple(_FIELD_KINDS)
SETTABLE_FIELDS = tuple(name for name, kind in _FIELD_KINDS.items() if kind is not None)


class RunError(RuntimeError):
    """A run that ended with a status above 0, or whose results are not all finite numbers;
    ``status``, ``message`` and ``results``."""

    def __init__(self, status, message, results):
        super().__init__(f"status {status}: {message}")
        self.status = status
        self.message = message
        self.results = results


def _type_name(value):
    return type(value).__name__


def _field_value(name, kind, value):
    """The value to store in field name, or TypeError / ValueError naming the field."""
    if kind is None:
        raise AttributeError(f"{name} cannot be set; save(path) gives the project a new "
                             "file name")
    if kind == _TEXT:
        if not isinstance(value, str):
            raise TypeError(f"{name} takes a str, not {_type_name(value)}")
        return value
    if kind == _FLAG:
        if not isinstance(value, bool) and _type_name(value) != "bool_":
            raise TypeError(f"{name} takes True or False, not {_type_name(value)}")
        return bool(value)
    if isinstance(value, bool) or not isinstance(value, _numbers.Real):
        raise TypeError(f"{name} takes a number, not {_type_name(value)}")
    if kind in (_WHOLE, _COUNT, _UNITS):
        if not isinstance(value, _numbers.Integral):
            raise TypeError(f"{name} takes an int, not {_type_name(value)}")
        value = int(value)
        if kind == _UNITS and value not in (1, 2):
            raise ValueError(f"UnitSystem is 1 (English) or 2 (SI), not {value}")
        if kind == _WHOLE and value < 0:
            raise ValueError(f"{name} cannot be negative ({value})")
        if kind == _COUNT and not 1 <= value <= _keldar.max_increments:
            raise ValueError(f"{name} takes 1 to {_keldar.max_increments}, not {value}")
        return value
    value = float(value)
    if not _math.isfinite(value):
        raise ValueError(f"{name} must be a finite number, not {value}")
    if kind == _POSITIVE and value <= 0:
        raise ValueError(f"{name} must be above 0, not {value}")
    return value


def _cell(value, where):
    """A table cell for the extension: None (NaN or None), int, float or str."""
    if value is None or isinstance(value, str):
        return value
    if isinstance(value, bool) or _type_name(value) == "bool_" or \
            not isinstance(value, _numbers.Real):
        raise ValueError(f"{where} takes a number, not {_type_name(value)}")
    if isinstance(value, _numbers.Integral):
        return int(value)
    value = float(value)
    return None if value != value else value


def _file_error(code, message, path):
    return FileError(code, message, path)


def _readable(path):
    """path as a str naming a readable file, or FileError with the system's error number."""
    if path is None or not isinstance(path, (str, bytes, _os.PathLike)):
        raise TypeError(f"a file name (str or path) was expected, not {_type_name(path)}")
    path = _os.fsdecode(_os.fspath(path))
    if path == "":
        raise _file_error(_errno.ENOENT, "No file name given", path)
    if _os.path.isdir(path):
        raise _file_error(_errno.EISDIR, "A folder, not a data file", path)
    try:
        with open(path, "rb"):
            pass
    except OSError as e:
        raise _file_error(e.errno, e.strerror, path) from None
    return path


def _outcome(outcome, check):
    results = _json.loads(outcome.json)
    # The distributions come as numbers, not through the text (they are most of it).
    results["distributions"] = outcome.distributions()
    if check and (outcome.status > 0 or not outcome.finite):
        raise RunError(outcome.status, outcome.message, results)
    return results


class Project:
    """One project: a data file read and written by the program's own project model.

    ``warnings`` lists what the data file held that the project cannot keep as read (each is
    also issued as a DataFileWarning when the file is loaded); it is empty for a file that
    saving writes back unchanged.

    ``cpt_summary`` is the design summary of a project made by ``keldar.cpt.project`` from a
    cone record (shaft and base capacity, layers, curves), None for any other project."""

    __slots__ = ("_p", "warnings", "cpt_summary")

    def __init__(self, path=None):
        object.__setattr__(self, "_p", _keldar.Project())
        object.__setattr__(self, "warnings", [])
        object.__setattr__(self, "cpt_summary", None)
        if path is not None:
            path = _readable(path)
            try:
                texts = self._p.load(path)
            except FileError as e:
                raise _file_error(_errno.EINVAL, str(e), path) from None
            for text in texts:
                # A heading line, then one line per value that the project cannot keep.
                lines = text.split("\n")
                for line in lines[1:] or lines:
                    self.warnings.append(line)
                    _warnings.warn(f"{path}: {line}", DataFileWarning, stacklevel=4)

    def __getattr__(self, name):
        if name in _FIELD_KINDS:
            return self._p.field(name)
        raise AttributeError(_unknown_field(name))

    def __setattr__(self, name, value):
        if name not in _FIELD_KINDS:
            raise AttributeError(_unknown_field(name))
        self._p.set_field(name, _field_value(name, _FIELD_KINDS[name], value))

    @property
    def UnitSystem(self):
        """1 English (in, lb), 2 SI (m, kN). Setting it converts every number the project holds
        into the other system, as the program's Units command does; only 1 and 2 are taken."""
        return self._p.field("UnitSystem")

    @UnitSystem.setter
    def UnitSystem(self, value):
        self._p.set_field("UnitSystem", _field_value("UnitSystem", _UNITS, value))

    def fields(self):
        """Every scalar field as a dict."""
        return {name: self._p.field(name) for name in FIELDS}

    def table_names(self):
        return self._p.table_names()

    def _checked(self, name, row):
        if not isinstance(name, str):
            raise TypeError(f"a table name (str) was expected, not {_type_name(name)}")
        if name not in self._p.table_names():
            raise KeyError(f"no table {name!r}; the tables are "
                           + ", ".join(self._p.table_names()))
        if row is None:
            return -1
        if isinstance(row, bool) or not isinstance(row, _numbers.Integral):
            raise TypeError(f"row takes an int, not {_type_name(row)}")
        if row < 0:
            raise IndexError(f"Table {name} has no row {row}: rows count from 0")
        return int(row)

    def table(self, name, row=None):
        """Rows of a table (lists of floats; enumerations as int, sub-table cells as None).
        With row: the sub-table of that row (0-based) of D2 (layer data) or TblTZDepth2
        (t-z curve)."""
        return self._p.table(name, self._checked(name, row))

    def array(self, name, row=None):
        """A table as a NumPy array of floats (sub-table cells as NaN); needs NumPy."""
        import numpy
        return numpy.array([[float("nan") if v is None else float(v) for v in r]
                            for r in self.table(name, row)])

    def set_table(self, name, rows, row=None):
        """Replaces a table's rows. Every row has one value per column; None (or NaN) only in
        the cells that hold a sub-table. Accepts lists and NumPy arrays; a value the table
        cannot hold raises ValueError naming the table, row and column, and leaves the
        table as it was."""
        sub = self._checked(name, row)
        if hasattr(rows, "tolist"):
            rows = rows.tolist()
        cells = []
        for r, values in enumerate(rows):
            if isinstance(values, (str, bytes)) or not hasattr(values, "__iter__"):
                raise ValueError(f"Table {name}, row {r}: a row is a list of values, not "
                                 f"{_type_name(values)}")
            cells.append([_cell(v, f"Table {name}, row {r}, column {c}")
                          for c, v in enumerate(values)])
        self._p.set_table(name, cells, sub)

    @property
    def modified(self):
        """True when the project differs from its file: a field or table has changed since it
        was read or saved. Setting a field to the value it holds is no change, as in the
        program's windows."""
        return self._p.modified

    def save(self, path=None):
        """Writes the data file (to path, which becomes the project's file name). A failed
        save raises FileError and leaves the file name as it was."""
        target = self.FileName if path is None else _os.fsdecode(_os.fspath(path))
        try:
            self._p.save("" if path is None else target)
        except FileError as e:
            raise _file_error(_write_error(target), str(e), target) from None

    def run(self, folder=None, check=True, console=False, overwrite=False, at_settlement=None,
            at_load=None, files=False):
        """Runs the analysis in-process. By default the run is made in memory, from the data
        file's text as save() would write it: no file is written. With files=True the project
        is written to a private temporary folder that is removed afterwards, and with folder it
        is written to folder, where the report, plot and notes files stay. In folder, an
        existing data file of the same name that holds something else is replaced only with
        overwrite=True; otherwise FileError names it. The results are the same either way.
        The results summary gives the head load at at_settlement and the head settlement at
        at_load (defaults: 1 in or 0.025 m, and the first pile-head load). Runs of different
        projects may go on at once on different threads."""
        folder = "" if folder is None else _os.fsdecode(_os.fspath(folder))
        if folder and not _os.path.isdir(folder):
            raise _file_error(_errno.ENOTDIR, "No such folder", folder)
        return _outcome(self._p.run(folder, console, overwrite,
                                    _choice("at_settlement", at_settlement),
                                    _choice("at_load", at_load), bool(files)), check)


def _unknown_field(name):
    close = _difflib.get_close_matches(name, FIELDS, n=3)
    hint = ("; did you mean " + " or ".join(close) + "?") if close else \
        "; the fields are " + ", ".join(FIELDS)
    return f"Project has no field {name!r}{hint}"


def _write_error(path):
    folder = _os.path.dirname(path) or "."
    if _os.path.isdir(path):
        return _errno.EISDIR
    if not _os.path.isdir(folder):
        return _errno.ENOENT
    if not _os.access(folder, _os.W_OK) or (_os.path.exists(path) and
                                            not _os.access(path, _os.W_OK)):
        return _errno.EACCES
    return _errno.EIO


def load(path):
    """Reads a data file. A file that cannot be opened or read raises FileError with the
    file's name (``filename``), the system's error number (``errno``; EINVAL for a file
    whose content the reader refuses) and the reader's line-numbered message."""
    return Project(_readable(path))


def run_file(path, check=True, console=False, at_settlement=None, at_load=None):
    """Runs a data file as it stands, writing its report, plot and notes files beside it. A
    folder or a file that cannot be read is not run: nothing is written, and RunError has
    status 11 and a message naming the file, as keldar-run reports it. at_settlement and
    at_load as for Project.run."""
    if path is None or not isinstance(path, (str, bytes, _os.PathLike)):
        raise TypeError(f"a file name (str or path) was expected, not {_type_name(path)}")
    return _outcome(_keldar.run_data_file(_os.fsdecode(_os.fspath(path)), console,
                                          _choice("at_settlement", at_settlement),
                                          _choice("at_load", at_load)), check)


def _choice(name, value):
    """A chosen settlement or load of the results summary; None takes the default."""
    if value is None:
        return float("nan")
    if isinstance(value, bool) or not isinstance(value, _numbers.Real):
        raise TypeError(f"{name}: a number was expected, not {_type_name(value)}")
    if not _math.isfinite(value) or abs(value) > 3.4e38:
        raise ValueError(f"{name}: a finite number was expected, not {value!r}")
    return float(value)


def _field_description(name, kind, unit, text):
    allowed = {_UNITS: "1 or 2", _POSITIVE: "a finite number above 0", _REAL: "a finite number",
               _WHOLE: "an int, 0 or above", _FLAG: "True or False", _TEXT: "a str",
               _COUNT: f"an int from 1 to {_keldar.max_increments}",
               None: "read only"}[kind]
    return {"name": name, "kind": kind or "text", "description": text, "unit": unit,
            "units": tuple(_keldar.unit_label(unit, system) for system in (1, 2)) if unit
            else ("", ""), "allowed": allowed, "settable": kind is not None}


def describe(name=None):
    """What a field or a table holds, as the program declares it: for a table its caption,
    row limits and columns (heading, kind, unit code and unit in each system, the items of a
    choice); for a field its kind, unit and allowed values. Without a name: everything, as
    {"fields": [...], "tables": [...]}."""
    tables = _keldar.Project()
    if name is None:
        return {"fields": [_field_description(*f) for f in _FIELD_LIST],
                "tables": [tables.declaration(t) for t in tables.table_names()]}
    for field in _FIELD_LIST:
        if field[0] == name:
            return _field_description(*field)
    if name in tables.table_names():
        return tables.declaration(name)
    raise KeyError(f"no field or table {name!r}; the fields are {', '.join(FIELDS)}; the "
                   f"tables are {', '.join(tables.table_names())}")
