"""The scripting reference, made from the program's own declarations: the project fields of
this package, the tables as the program declares them, and the results schema.

    python3 -m keldar.reference docs/results.schema.json > scripting-reference.md
"""

import json
import sys

from . import describe

_HEAD = """# KELDAR scripting reference

Made by `python3 -m keldar.reference docs/results.schema.json` from the project fields of the
Python module, the program's table declarations and the results schema; a test keeps this file
equal to what they give. Names are those of `keldar.load(...)` projects (`project.PileLength`,
`project.table("D2")`), `keldar.describe(name)` gives the same in Python, and the results are
those of `project.run()`, `keldar-run --results json` and `keldar-convert --results json`.
Units: English (system 1) / SI (system 2); a blank unit is a pure number.

`project.run(folder=None, check=True, console=False, overwrite=False, at_settlement=None,
at_load=None, files=False)` runs in memory by default, from the data file's text as `save()`
would write it, and writes no file; `files=True` runs through the files in a private temporary
folder, `folder=PATH` through the files in that folder, where they stay. The results are the
same either way.
"""


def _cell(text):
    return str(text).replace("|", "\\\\|")


def _units(entry):
    english, si = entry.get("units", ("", ""))
    return f"{english} / {si}" if english or si else ""


def _fields(fields):
    lines = ["## Project fields", "",
             "| Field | Value | Unit | Description |", "|---|---|---|---|"]
    for f in fields:
        lines.append(f"| `{f['name']}` | {f['allowed']} | {_units(f)} | "
                     f"{_cell(f['description'])} |")
    return lines


def _column_values(column):
    if column["kind"] == "choice":
        return "; ".join(f"{i} {item}" for i, item in enumerate(column["items"], 1))
    if column["kind"] == "sub-table":
        return "None (a sub-table: `table(name, row=i)`)"
    if column["kind"] == "integer":
        return f"{column['minimum']} to {column['maximum']}"
    return "a finite number" if column["kind"] == "number" else "a str"


def _tables(tables):
    lines = ["## Tables", "",
             "`project.table(name)` gives the rows, `set_table(name, rows)` replaces them: one "
             "value per column in every row, within the row limits. Hidden columns are kept "
             "with the values the program gives them."]
    for t in tables:
        lines += ["", f"### {t['name']}: {t['caption']}", "",
                  f"Rows: {t['min_rows']} to {t['max_rows']}.", "",
                  "| Column | Heading | Kind | Unit | Values |", "|---|---|---|---|---|"]
        for c in t["columns"]:
            heading = _cell(" ".join(c["heading"].split())) + ("" if c["shown"] else " (hidden)")
            lines.append(f"| {c['index']} | {heading} | {c['kind']} | {_units(c)} | "
                         f"{_cell(_column_values(c))} |")
    return lines


def _resolve(schema, root):
    while "$ref" in schema:
        target = root
        for part in schema["$ref"].lstrip("#/").split("/"):
            target = target[part]
        merged = {k: v for k, v in schema.items() if k != "$ref"}
        schema = {**target, **merged}
    return schema


def _type(schema):
    if "const" in schema:
        return json.dumps(schema["const"])
    if "enum" in schema:
        return " or ".join(json.dumps(v) for v in schema["enum"])
    types = schema.get("type", "")
    types = " or ".join(types) if isinstance(types, list) else types
    if types == "array" and "items" in schema:
        return "array of " + _type(schema["items"])
    return types


def _keys(schema, root, path, lines):
    schema = _resolve(schema, root)
    if path:
        lines.append(f"| `{path}` | {_cell(_type(schema))} | "
                     f"{_cell(schema.get('description', ''))} |")
    if "items" in schema and "properties" in _resolve(schema["items"], root):
        schema = _resolve(schema["items"], root)
        path += "[]"
    for key, sub in schema.get("properties", {}).items():
        _keys(sub, root, f"{path}.{key}" if path else key, lines)


def _results(schema):
    lines = ["## Results", "", _cell(schema["description"]), "",
             "| Key | Type | Description |", "|---|---|---|"]
    _keys(schema, schema, "", lines)
    return lines


def markdown(schema):
    """The reference as Markdown text."""
    everything = describe()
    parts = [_HEAD] + _fields(everything["fields"]) + [""] + _tables(everything["tables"]) + \
        [""] + _results(schema)
    return "\n".join(parts) + "\n"


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as schema_file:
        sys.stdout.write(markdown(json.load(schema_file)))
