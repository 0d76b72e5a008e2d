"""Study files: a study described in TOML, read with Python's tomllib.

    base = "pile.kd3d"                  # or [cpt]: file = "cpt.gef" and keldar.cpt.project's
    at_settlement = 0.5                 #   keywords (diameter, length, wall, ...)
    [set]                               # changes made to the base before the study
    HeadLoadsOn = false
    [links]                             # cells that take a varied input's value in every run
    "TblAE2[-1][0]" = "PileLength"
    [grid]                              # or [sweep], [monte_carlo] or [batch]
    PileLength = {from = 480, to = 960, count = 5}
    OuterDiameter = [18, 24]

A monte_carlo table holds runs, seed, latin_hypercube (optional) and an inputs table of
{distribution = "normal", mean = .., sd = ..} and the like; [[monte_carlo.correlation]] tables
hold inputs = [a, b] and coefficient. A batch holds files = [...] (files or folders). Paths are
relative to the study file. Whatever is refused is named by its line and key.
"""

import os
import re
import tomllib

from . import LIMIT, StudyError, batch, grid, monte_carlo, span, sweep
from .draws import DrawError, distribution

KINDS = ("sweep", "grid", "monte_carlo", "batch")
_TOP_KEYS = ("base", "cpt", "at_settlement", "at_load", "set", "links") + KINDS
_MONTE_CARLO_KEYS = ("runs", "seed", "latin_hypercube", "inputs", "correlation")
_RANGE_KEYS = ("from", "to", "count", "step")
# Where StudyError keys from the study's constructors already start at the top of the file.
_TOP_SECTIONS = ("base", "set", "links", "sweep", "grid", "batch", "cpt")


class StudyFileError(ValueError):
    """A study file that cannot be read or used: the file, line and key, and why."""


# ---- Where a key is written: its line ----

_KEY_PART = r'\s*(?:"(?:[^"\\]|\\.)*"|\'[^\']*\'|[A-Za-z0-9_-]+)\s*'
_DOTTED = re.compile(rf"^({_KEY_PART}(?:\.{_KEY_PART})*)")


def _key_parts(dotted):
    parts = re.findall(r'"((?:[^"\\]|\\.)*)"|\'([^\']*)\'|([A-Za-z0-9_-]+)', dotted)
    return [a or b or c for a, b, c in parts]


def _key_lines(text):
    """{key path: line} for every table header and key = value line; an array of tables'
    entries are counted from 0 in the path."""
    lines, header, counts = {}, [], {}
    for number, line in enumerate(text.splitlines(), start=1):
        stripped = line.strip()
        array = stripped.startswith("[[")
        if stripped.startswith("["):
            match = _DOTTED.match(stripped.strip("[]").strip())
            if not match:
                continue
            header = _key_parts(match.group(1))
            if array:
                count = counts[tuple(header)] = counts.get(tuple(header), -1) + 1
                header = header + [count]
            lines.setdefault(tuple(header), number)
            continue
        match = _DOTTED.match(stripped)
        if match and stripped[match.end():].startswith("="):
            lines.setdefault(tuple(header + _key_parts(match.group(1))), number)
    return lines


def _where(text, key):
    """The line of the longest written prefix of key, or None."""
    lines = _key_lines(text)
    for n in range(len(key), 0, -1):
        if tuple(key[:n]) in lines:
            return lines[tuple(key[:n])]
    return None


def _error(path, text, key, message):
    line = _where(text, key)
    name = ".".join(str(k) for k in key)
    # Messages from the project name the input themselves; the key says it once.
    if key and message.startswith(f"{key[-1]}: "):
        message = message[len(str(key[-1])) + 2:]
    place = f"{path}:{line}" if line else path
    return StudyFileError(f"{place}: {name}: {message}" if name else f"{place}: {message}")


# ---- The values ----

class _Refused(Exception):
    def __init__(self, key, message):
        super().__init__(message)
        self.key = tuple(key)


def _unknown(table, known, key):
    for name in table:
        if name not in known:
            raise _Refused(key + (name,), f"unknown key; the keys here are {', '.join(known)}")


def _number(value, key):
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise _Refused(key, f"a number was expected, not {value!r}")
    return value


def _values(given, key):
    """A list of values, or a range {from, to, count | step}."""
    if isinstance(given, list):
        if not given:
            raise _Refused(key, "the list of values is empty")
        for v in given:
            if not isinstance(v, bool):
                _number(v, key)
        return given
    if isinstance(given, dict):
        _unknown(given, _RANGE_KEYS, key)
        for name in ("from", "to"):
            if name not in given:
                raise _Refused(key, f"a range needs from, to and count or step; {name} is missing")
            _number(given[name], key + (name,))
        try:
            return span(given["from"], given["to"], given.get("count"), given.get("step"))
        except StudyError as e:
            raise _Refused(key + e.key, str(e)) from None
    raise _Refused(key, "a list of values or a range {from, to, count or step} was expected")


def _distributions(table, key):
    if not isinstance(table, dict) or not table:
        raise _Refused(key, "a table of inputs and their distributions was expected")
    result = {}
    for name, given in table.items():
        if not isinstance(given, dict) or "distribution" not in given:
            raise _Refused(key + (name,), 'a table such as {distribution = "normal", mean = 1, '
                                          'sd = 0.1} was expected')
        parameters = {k: v for k, v in given.items() if k != "distribution"}
        try:
            result[name] = distribution(given["distribution"], **parameters)
        except DrawError as e:
            raise _Refused(key + (name, e.key or "distribution"), str(e)) from None
    return result


def _correlation(entries, names, key):
    if not isinstance(entries, list):
        raise _Refused(key, "[[monte_carlo.correlation]] tables were expected")
    pairs = {}
    for i, entry in enumerate(entries):
        here = key + (i,)
        _unknown(entry, ("inputs", "coefficient"), here)
        pair = entry.get("inputs")
        if not (isinstance(pair, list) and len(pair) == 2 and pair[0] != pair[1]):
            raise _Refused(here + ("inputs",), "two different inputs were expected")
        for name in pair:
            if name not in names:
                raise _Refused(here + ("inputs",), f"{name} is not one of the drawn inputs")
        rho = _number(entry.get("coefficient"), here + ("coefficient",))
        if not -1 < rho < 1:
            raise _Refused(here + ("coefficient",),
                           f"a correlation coefficient lies between -1 and 1, not {rho}")
        pairs[tuple(pair)] = rho
    return pairs


def _relative(folder, path, key):
    if not isinstance(path, str) or not path:
        raise _Refused(key, "a file name was expected")
    return os.path.join(folder, os.path.expanduser(path))


def _study(data, folder, limit):
    _unknown(data, _TOP_KEYS, ())
    kinds = [k for k in KINDS if k in data]
    if len(kinds) != 1:
        raise _Refused((), "a study holds one of [sweep], [grid], [monte_carlo] or [batch]"
                       + (f", not {' and '.join(kinds)}" if kinds else ""))
    kind = kinds[0]
    choices = {}
    for name in ("at_settlement", "at_load"):
        if name in data:
            choices[name] = float(_number(data[name], (name,)))
    if kind == "batch":
        _unknown(data["batch"], ("files",), ("batch",))
        files = data["batch"].get("files")
        if not isinstance(files, list) or not files:
            raise _Refused(("batch", "files"), "a list of data files and folders was expected")
        paths = [_relative(folder, f, ("batch", "files")) for f in files]
        return kind, lambda: batch(paths, **choices), paths
    if ("base" in data) == ("cpt" in data):
        raise _Refused(("base",), "a study takes a base data file or a [cpt] table, one of them")
    options = dict(choices, settings=data.get("set"), links=data.get("links"))
    if "base" in data:
        options["base"] = _relative(folder, data["base"], ("base",))
        inputs_read = [options["base"]]
    else:
        cpt = dict(data["cpt"])
        cpt["file"] = _relative(folder, cpt.get("file"), ("cpt", "file"))
        options.update(base=None, cpt=cpt)
        inputs_read = [cpt["file"]]
    for name in ("set", "links", kind):
        if name in data and not isinstance(data[name], dict):
            raise _Refused((name,), f"a table [{name}] was expected")
    section = data[kind]
    if kind in ("sweep", "grid"):
        inputs = {name: _values(given, (kind, name)) for name, given in section.items()}
        make = sweep if kind == "sweep" else grid
        if kind == "grid":
            options["limit"] = limit
        return kind, lambda: make(inputs=inputs, **options), inputs_read
    _unknown(section, _MONTE_CARLO_KEYS, (kind,))
    for name in ("runs", "seed"):
        if name not in section:
            raise _Refused((kind, name), "missing")
    runs = section["runs"]
    if limit is not None and isinstance(runs, int) and runs > limit:
        raise _Refused((kind, "runs"), f"{runs} runs, more than the limit of {limit}; ask for "
                                       "them with --yes")
    inputs = _distributions(section.get("inputs"), (kind, "inputs"))
    correlation = _correlation(section.get("correlation", []), inputs, (kind, "correlation"))
    lhs = section.get("latin_hypercube", False)
    if not isinstance(lhs, bool):
        raise _Refused((kind, "latin_hypercube"), "true or false was expected")
    return kind, lambda: monte_carlo(inputs=inputs, runs=runs, seed=section["seed"],
                                     correlation=correlation, latin_hypercube=lhs,
                                     **options), inputs_read


def read(path, limit=LIMIT):
    """The Study that the file at path describes; StudyFileError naming the line and key of
    anything refused. limit: the most runs a study may have (None: any number)."""
    try:
        with open(path, "rb") as f:
            raw = f.read()
        text = raw.decode("utf-8")
        data = tomllib.loads(text)
    except OSError as e:
        raise StudyFileError(f"{path}: {e.strerror}") from None
    except UnicodeDecodeError:
        raise StudyFileError(f"{path}: not a UTF-8 text file") from None
    except tomllib.TOMLDecodeError as e:
        raise StudyFileError(f"{path}: {e}") from None
    folder = os.path.dirname(os.path.abspath(path))
    try:
        kind, make, inputs_read = _study(data, folder, limit)
        study = make()
        # The files the study reads, so that nothing it writes can take their place.
        study.input_files = [os.path.abspath(p) for p in inputs_read]
        return study
    except _Refused as e:
        raise _error(path, text, e.key, str(e)) from None
    except DrawError as e:
        raise _error(path, text, (kind, "correlation"), str(e)) from None
    except StudyError as e:
        key = e.key if not e.key or e.key[0] in _TOP_SECTIONS else (kind,) + e.key
        raise _error(path, text, key, str(e)) from None
    except (OSError, TypeError, ValueError) as e:
        # The base or CPT file cannot be read, or keldar.cpt.project refused its keywords.
        raise _error(path, text, ("cpt",) if "cpt" in data else ("base",), str(e)) from None
