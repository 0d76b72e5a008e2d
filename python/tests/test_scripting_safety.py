"""What a script can get wrong, and what the module does about it: no user file replaced, no
mistyped name or unusable value taken, every table reachable, every error naming its place."""

import json
import math
import os
import shutil
from pathlib import Path

import pytest

import keldar

EXAMPLES = Path(os.environ["KELDAR_EXAMPLES"])
SAMPLE = EXAMPLES / "steel-pipe-clay.kd3d"


def edited_copy(tmp_path, name, old, new):
    """The sample with one line replaced (the files have CR LF line ends)."""
    lines = SAMPLE.read_bytes().split(b"\r\n")
    at = lines.index(old.encode())
    lines[at] = new.encode()
    path = tmp_path / name
    path.write_bytes(b"\r\n".join(lines))
    return path


def test_a_run_into_the_projects_folder_never_replaces_a_different_file(tmp_path):
    data = shutil.copy(SAMPLE, tmp_path)
    original = Path(data).read_bytes()
    project = keldar.load(data)
    project.run(folder=tmp_path)  # the same content: nothing to lose
    project.PileLength = 540.0
    with pytest.raises(keldar.FileError) as refused:
        project.run(folder=tmp_path)
    assert refused.value.filename == str(tmp_path / "steel-pipe-clay.kd3d")
    assert Path(data).read_bytes() == original and project.modified
    project.run(folder=tmp_path, overwrite=True)  # asked for: the project's own file is saved
    assert keldar.load(data).PileLength == 540.0 and not project.modified


def test_a_misspelled_field_is_refused_with_the_closest_names():
    project = keldar.load(SAMPLE)
    with pytest.raises(AttributeError, match="did you mean PileLength"):
        project.PileLenght = 720
    with pytest.raises(AttributeError, match="FileName cannot be set"):
        project.FileName = "other.kd3d"
    project.OutputOption = 1  # listed as settable, and it is
    assert project.OutputOption == 1 and "FileName" not in keldar.SETTABLE_FIELDS


@pytest.mark.parametrize("name, other", [
    ("DowndragOn", lambda value: not value),
    ("UnitSystem", lambda value: 3 - value),
    ("PileLength", lambda value: value + 1),
    ("IncrementCount", lambda value: value + 1),
    ("Title", lambda value: value + " (changed)"),
])
def test_a_field_set_marks_the_project_modified_when_it_changes_as_the_windows_do(name, other):
    project = keldar.load(SAMPLE)
    value = getattr(project, name)
    setattr(project, name, value)
    assert not project.modified
    setattr(project, name, other(value))
    assert project.modified and getattr(project, name) == other(value)


def test_the_field_list_names_each_field_the_module_reads_and_whether_it_is_set():
    assert keldar._keldar.scalar_fields() == [
        (name, name in keldar.SETTABLE_FIELDS) for name in keldar.FIELDS]


@pytest.mark.parametrize("name, value, error, text", [
    ("UnitSystem", 3, ValueError, "1 \\(English\\) or 2 \\(SI\\), not 3"),
    ("UnitSystem", 0, ValueError, "not 0"),
    ("UnitSystem", -7, ValueError, "not -7"),
    ("PileLength", 0.0, ValueError, "PileLength must be above 0"),
    ("OuterDiameter", -16, ValueError, "OuterDiameter must be above 0"),
    ("TipArea", float("nan"), ValueError, "TipArea must be a finite number"),
    ("Tolerance", float("inf"), ValueError, "Tolerance must be a finite number"),
    ("QMultiplier", float("-inf"), ValueError, "QMultiplier must be a finite number"),
    ("PileLength", "720", TypeError, "PileLength takes a number, not str"),
    ("HeadLoadsOn", 1, TypeError, "HeadLoadsOn takes True or False"),
    ("IncrementCount", 50.5, TypeError, "IncrementCount takes an int"),
    ("IncrementCount", 0, ValueError, "IncrementCount takes 1 to 1000, not 0"),
    ("Title", 5, TypeError, "Title takes a str"),
])
def test_a_value_the_analysis_cannot_use_is_refused_when_set(name, value, error, text):
    project = keldar.load(SAMPLE)
    before = project.fields()
    with pytest.raises(error, match=text):
        setattr(project, name, value)
    assert project.fields() == before and not project.modified


def test_set_table_takes_a_full_row_of_usable_values_or_changes_nothing():
    project = keldar.load(SAMPLE)
    ae = project.table("TblAE2")
    bad = {
        "row 0, column 1 .* needs a value": [[0.0, float("nan")], ae[1]],
        "row 1, column 0 .* needs a value": [ae[0], [None, 5.0]],
        "has 2 columns; row 0 has 1 values": [[0.0], ae[1]],
        "has 2 columns; row 1 has 0 values": [ae[0], []],
        "row 1, column 1 .* takes a finite number": [ae[0], [540.0, float("inf")]],
        "row 0, column 0 .* takes a number, not a text": [["0", 1.0], ae[1]],
        "row 0, column 1 takes a number, not bool": [[0.0, True], ae[1]],
    }
    for text, rows in bad.items():
        with pytest.raises(ValueError, match="Table TblAE2, " + text if "column" in text
                           and "columns" not in text else text):
            project.set_table("TblAE2", rows)
        assert project.table("TblAE2") == ae
    with pytest.raises(ValueError, match=r"Table D2, row 0, column 0 \(Soil Type\) takes 1 to 6, "
                                         "not 7"):
        project.set_table("D2", [[7, 10.0, None]])


def test_numpy_scalars_of_every_type_behave_alike():
    numpy = pytest.importorskip("numpy")
    project = keldar.load(SAMPLE)
    ae = project.table("TblAE2")
    for kind in (numpy.float16, numpy.float32, numpy.float64, numpy.int8, numpy.int32,
                 numpy.int64, numpy.uint16):
        project.set_table("TblAE2", [[kind(0), kind(100)], [kind(10), kind(120)]])
        assert project.table("TblAE2") == [[0.0, 100.0], [10.0, 120.0]], kind
        project.PileLength = kind(100)
        assert project.PileLength == 100.0
    for nan in (numpy.float32("nan"), numpy.float64("nan"), numpy.float16("nan")):
        with pytest.raises(ValueError, match="row 0, column 1"):
            project.set_table("TblAE2", [[0.0, nan], ae[1]])
    with pytest.raises(ValueError, match="must be a finite number"):
        project.PileLength = numpy.float32("inf")
    project.set_table("TblAE2", numpy.array(ae))
    assert project.table("TblAE2") == ae


def test_results_that_are_not_numbers_are_marked_and_raise():
    project = keldar.load(SAMPLE)
    project.PileLength = 1e30
    with pytest.raises(keldar.RunError) as stop:
        project.run()
    results = stop.value.results
    assert stop.value.status == 0 and "10 rows of results are not finite" in stop.value.message
    assert all(row["finite"] is False for row in results["load_settlement"]["rows"])
    assert results["load_settlement"]["rows"][0]["tip_movement"] == 0.005  # kept as it is
    assert project.run(check=False)["message"] == stop.value.message


def test_words_the_analysis_does_not_use_give_a_warning(tmp_path):
    data = edited_copy(tmp_path, "sep.kd3d", "100000", "100 000")
    with pytest.warns(keldar.DataFileWarning, match='Line 56: "000" follows the values'):
        project = keldar.load(data)
    assert len(project.warnings) == 1 and "000" in project.warnings[0]


def test_every_table_can_be_read_written_and_read_back(tmp_path):
    project = keldar.load(EXAMPLES / "drilled-shaft-sand.kd3d")
    for name in project.table_names():
        rows = project.table(name)
        project.set_table(name, rows)
        assert project.table(name) == rows, name
        assert project.array(name).shape[0] == len(rows) if _has_numpy() else True
    project.set_table("TblTopload", [[1000.0], [2000.0]])
    project.set_table("TblTipMove", [[0.01], [0.02], [0.5]])
    project.HeadLoadsOn = True
    project.TipMovementsOn = True
    project.save(tmp_path / "p.kd3d")
    again = keldar.load(tmp_path / "p.kd3d")
    assert again.table("TblTopload") == [[1000.0], [2000.0]]
    assert again.table("TblTipMove") == [[0.01], [0.02], [0.5]]


def _has_numpy():
    try:
        import numpy  # noqa: F401
    except ImportError:
        return False
    return True


def test_every_number_form_the_engine_reads_opens(tmp_path):
    data = edited_copy(tmp_path, "forms.kd3d", "1E-5 600 16 201.06", "1D-5,600, 16 ,201.06")
    project = keldar.load(data)
    assert (project.Tolerance, project.PileLength, project.TipArea) == (1e-5, 600.0, 201.06)
    assert project.warnings == [] and not project.modified
    project.save(tmp_path / "saved.kd3d")
    assert (tmp_path / "saved.kd3d").read_bytes() == SAMPLE.read_bytes()


def test_a_folder_or_a_missing_file_is_not_run_and_nothing_is_written(tmp_path):
    folder = tmp_path / "adir"
    folder.mkdir()
    for path, why in ((folder, "it is a folder"), (tmp_path / "missing.kd3d", "no such file")):
        with pytest.raises(keldar.RunError) as stop:
            keldar.run_file(path)
        assert stop.value.status == 11 and str(path) in stop.value.message
        assert why in stop.value.message
    assert sorted(p.name for p in tmp_path.iterdir()) == ["adir"]


def test_errors_name_the_file_the_field_the_table_and_the_row(tmp_path, capfd):
    with pytest.raises(keldar.FileError) as missing:
        keldar.load(tmp_path / "none.kd3d")
    assert missing.value.filename == str(tmp_path / "none.kd3d") and missing.value.errno == 2
    with pytest.raises(TypeError):
        keldar.load(None)
    with pytest.raises(keldar.FileError):
        keldar.load("")
    project = keldar.load(SAMPLE)
    with pytest.raises(KeyError, match="TblAE2"):
        project.table("TblAE")
    with pytest.raises(IndexError, match="no row -2"):
        project.table("D2", row=-2)
    name = project.FileName
    with pytest.raises(keldar.FileError) as failed:
        project.save(tmp_path / "no-folder" / "p.kd3d")
    assert failed.value.filename == str(tmp_path / "no-folder" / "p.kd3d")
    assert project.FileName == name
    broken = tmp_path / "broken.kd3d"
    broken.write_text("title only\n")
    with pytest.raises(keldar.RunError):
        keldar.run_file(broken)
    out, err = capfd.readouterr()
    assert out == "" and err == ""


def test_reals_in_the_results_are_floats_whole_or_not():
    results = keldar.load(SAMPLE).run()
    rows = results["load_controlled"]["rows"]
    assert [row["top_load"] for row in rows] == [50000.0, 100000.0, 150000.0]
    assert all(isinstance(row[key], float) for row in rows for key in ("top_load", "tip_load"))
    assert isinstance(results["input"]["pile_length"], float)


def test_describe_gives_what_the_tables_and_fields_hold():
    layers = keldar.describe("D2")
    project = keldar.load(EXAMPLES / "drilled-shaft-sand.kd3d")
    assert len(layers["columns"]) == len(project.table("D2")[0])
    assert layers["caption"] == "Soil Layers" and (layers["min_rows"], layers["max_rows"]) == (1, 30)
    assert layers["columns"][0]["items"][5] == "Driven Pile in Sand (API)"
    assert keldar.describe("TipArea")["units"] == ("in^2", "m^2")
    assert [f["name"] for f in keldar.describe()["fields"]] == list(keldar.FIELDS)
    with pytest.raises(KeyError, match="TblAE2"):
        keldar.describe("TblAE")


def test_the_scripting_reference_is_what_the_declarations_give():
    import keldar.reference
    docs = Path(__file__).parents[2] / "docs"
    schema = json.loads((docs / "results.schema.json").read_text())
    assert (docs / "scripting-reference.md").read_text() == keldar.reference.markdown(schema), \
        "regenerate: python3 -m keldar.reference docs/results.schema.json " \
        "> docs/scripting-reference.md"
    text = (docs / "scripting-reference.md").read_text()
    for table in keldar.describe()["tables"]:
        assert f"### {table['name']}: {table['caption']}" in text
