"""The inputs a study varies, named as a project names them:

    PileLength          a scalar field (keldar.SETTABLE_FIELDS)
    TblAE2[1][0]        row 1, column 0 of a table, both counted from 0; -1 is the last
    D2[0][1][2]         row 1, column 2 of the sub-table of D2's row 0 (the first layer's data)

A name is checked against the base project before any run, so that a misspelt field or a cell
beyond a table's rows is refused with the name, not found in thousands of failed runs.
"""

import math
import numbers
import re
from dataclasses import dataclass

from .. import SETTABLE_FIELDS

_CELL = re.compile(r"^([A-Za-z_]\w*)((?:\[\s*-?\d+\s*\]){2,3})$")

# Varying the unit system would convert every other number of the project under the study.
_NOT_VARIED = ("UnitSystem", "Title")


@dataclass(frozen=True)
class Target:
    """A scalar field (table is None) or a table cell, with the sub-table row when it has one."""
    name: str
    table: str = None
    sub: int = None
    row: int = 0
    column: int = 0


def parse(name):
    """The Target that name spells, or ValueError saying how targets are written."""
    if not isinstance(name, str):
        raise ValueError(f"an input is named by a str, not {type(name).__name__}")
    name = name.strip()
    if name in _NOT_VARIED:
        raise ValueError(f"{name} cannot be varied in a study")
    if name in SETTABLE_FIELDS:
        return Target(name)
    match = _CELL.match(name)
    if not match:
        raise ValueError(f"{name!r} is neither a field ({', '.join(SETTABLE_FIELDS)}) nor a "
                         "table cell such as TblAE2[1][0] or D2[0][1][2]")
    indices = [int(i) for i in re.findall(r"-?\d+", match.group(2))]
    sub = indices[0] if len(indices) == 3 else None
    return Target(name, match.group(1), sub, indices[-2], indices[-1])


def _rows(project, target):
    if target.sub is None:
        return project.table(target.table)
    top = project.table(target.table)
    if not -len(top) <= target.sub < len(top):
        raise ValueError(f"{target.name}: table {target.table} has {len(top)} rows")
    return project.table(target.table, row=target.sub % len(top))


def _position(rows, target):
    """The (row, column) of target in rows, counted from 0, or ValueError naming the size."""
    if not -len(rows) <= target.row < len(rows):
        raise ValueError(f"{target.name}: the table has {len(rows)} rows")
    row = target.row % len(rows)
    if not -len(rows[row]) <= target.column < len(rows[row]):
        raise ValueError(f"{target.name}: the table has {len(rows[row])} columns")
    return row, target.column % len(rows[row])


def read(project, target):
    """The value target has in project; ValueError when the project has no such cell."""
    if target.table is None:
        return getattr(project, target.name)
    if target.table not in project.table_names():
        raise ValueError(f"{target.name}: no table {target.table}; the tables are "
                         + ", ".join(project.table_names()))
    rows = _rows(project, target)
    row, column = _position(rows, target)
    if rows[row][column] is None:
        raise ValueError(f"{target.name} holds a sub-table, not a number")
    return rows[row][column]


def _plain(value):
    """A drawn or listed value as the project takes it: NumPy scalars as Python numbers, whole
    floats as ints (counts and enumerations take only ints)."""
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        return value
    if isinstance(value, numbers.Integral):
        return int(value)
    value = float(value)
    return int(value) if math.isfinite(value) and value.is_integer() else value


def write(project, target, value):
    """Sets target to value; the project's own checks raise for a value it cannot hold."""
    value = _plain(value)
    if target.table is None:
        if isinstance(value, int) and isinstance(getattr(project, target.name), float):
            value = float(value)
        setattr(project, target.name, value)
        return
    rows = _rows(project, target)
    row, column = _position(rows, target)
    rows[row][column] = value
    if target.sub is None:
        project.set_table(target.table, rows)
    else:
        top = len(project.table(target.table))
        project.set_table(target.table, rows, row=target.sub % top)


# The declaration that a sub-table's cells follow (the sand and clay layer data share columns).
_SUB_TABLES = {"D2": "tblDataClay2", "TblTZDepth2": "TblTZCurves2"}


def _column(target):
    from .. import describe
    table = _SUB_TABLES.get(target.table) if target.sub is not None else target.table
    columns = describe(table)["columns"]
    return columns[target.column % len(columns)]


def value_label(name, value):
    """A value as the program shows it: the item's text for a choice (soil type codes count
    from 1), else the number."""
    try:
        target = parse(name)
        items = _column(target).get("items") if target.table else None
    except (KeyError, ValueError, IndexError):
        items = None
    if items and float(value).is_integer() and 1 <= int(value) <= len(items):
        return items[int(value) - 1]
    return f"{name} = {value:g}"


def label(name, system):
    """An axis label for an input: its name, the column heading of a cell and the unit in
    unit system 1 or 2 (the name alone when the program declares no such column)."""
    from .. import describe
    try:
        target = parse(name)
        if target.table is None:
            heading, units = "", describe(name)["units"]
        else:
            column = _column(target)
            heading, units = column["heading"], column.get("units") or ("", "")
    except (KeyError, ValueError, IndexError):
        return name
    unit = units[system - 1] if system in (1, 2) else ""
    text = f"{name}: {heading}" if heading else name
    return f"{text} ({unit})" if unit else text
