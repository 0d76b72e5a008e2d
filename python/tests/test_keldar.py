"""The Python module keldar and the results of keldar-run, checked against the reports of the
sample projects and against the project model."""

import csv
import gc
import json
import os
import shutil
import subprocess
import sys
import threading
from pathlib import Path

import pytest

import keldar
from report_tables import case_blocks, result_tables
from schema_check import problems

EXAMPLES = Path(os.environ["KELDAR_EXAMPLES"])
SCHEMA = json.loads((Path(__file__).parents[2] / "docs" / "results.schema.json").read_text())
SAMPLES = sorted(EXAMPLES.glob("*.kd3d"))


def expected_report(sample):
    return (EXAMPLES / "expected" / (sample.stem + ".kd3o")).read_text()


def check_against_report(results, report):
    settlement, controlled = result_tables(report)
    table = results["load_settlement"]
    assert table["complete"] and len(table["rows"]) == len(settlement)
    for row, printed in zip(table["rows"], settlement):
        values = [row["top_load"], row["top_movement"], row["tip_movement"], row["tip_load"]]
        for value, text in zip(values, printed):
            assert text.agrees(value), (value, text.text)

    rows = results["load_controlled"]["rows"]
    assert len(rows) == (len(controlled) if controlled else 0)
    for row, printed in zip(rows, controlled or []):
        assert printed[0].agrees(row["top_load"])
        if printed[1] is None:
            assert not row["converged"] and row["top_movement"] is None
        else:
            assert row["converged"]
            for key, text in zip(("top_movement", "tip_movement", "tip_load"), printed[1:]):
                assert text.agrees(row[key]), (key, row[key], text.text)

    blocks = case_blocks(report)
    if results["input"]["output_option"] == 0:
        assert len(blocks) == len(results["distributions"])
    for (nodes, middles), case in zip(blocks, results["distributions"]):
        assert len(nodes) == len(case["node_depth"]) and len(middles) == len(case["middle_depth"])
        for (depth, load, movement), i in zip(nodes, range(len(nodes))):
            assert depth.agrees(case["node_depth"][i]) and load.agrees(case["node_load"][i])
            assert movement.agrees(case["node_movement"][i])
        keys = ("middle_depth", "transfer", "load_taken", "average_load", "shortening",
                "average_movement")
        for printed, i in zip(middles, range(len(middles))):
            for key, text in zip(keys, printed):
                assert text.agrees(case[key][i]), (key, i, case[key][i], text.text)


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda p: p.stem)
def test_json_of_keldar_run_agrees_with_the_report(sample, tmp_path):
    data = shutil.copy(sample, tmp_path)
    out = tmp_path / "results.json"
    subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "json", "--out", str(out),
                    data], check=True, stdout=subprocess.DEVNULL)
    results = json.loads(out.read_text())
    assert problems(results, SCHEMA) == []
    assert results["status"] == 0 and results["message"] == ""
    check_against_report(results, expected_report(sample))


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda p: p.stem)
def test_results_read_back_from_a_plot_file_agree_with_the_report(sample, tmp_path):
    for ext in (".kd3p", ".kd3o"):
        shutil.copy(EXAMPLES / "expected" / (sample.stem + ext), tmp_path)
    plot = tmp_path / (sample.stem + ".kd3p")
    subprocess.run([os.environ["KELDAR_CONVERT"], "--results", "json", plot], check=True)
    results = json.loads(plot.with_suffix(".json").read_text())
    assert problems(results, SCHEMA) == [] and results["source"] == "plot file"
    settlement, controlled = result_tables(expected_report(sample))
    assert [r["top_load"] for r in results["load_settlement"]["rows"]] == \
        [p[0].value for p in settlement]
    assert [r["converged"] for r in results["load_controlled"]["rows"]] == \
        [p[1] is not None for p in (controlled or [])]


def test_a_cut_off_plot_file_gives_a_stopped_run_not_a_result(tmp_path):
    text = (EXAMPLES / "expected" / "steel-pipe-clay.kd3p").read_text().splitlines()
    plot = tmp_path / "cut.kd3p"
    plot.write_text("\n".join(text[: len(text) - 20]) + "\n")
    run = subprocess.run([os.environ["KELDAR_CONVERT"], "--results", "json", plot],
                         capture_output=True, text=True)
    assert run.returncode == 1
    results = json.loads(plot.with_suffix(".json").read_text())
    assert results["status"] == 19 and "ends early" in results["message"]
    assert not results["load_settlement"]["complete"]


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda p: p.stem)
def test_objects_of_an_in_process_run_agree_with_the_report(sample):
    results = keldar.load(sample).run()
    check_against_report(results, expected_report(sample))


def test_in_process_results_carry_the_summary_with_the_neutral_plane():
    summary = keldar.load(EXAMPLES / "layered-downdrag.kd3d").run()["summary"]
    assert summary["down_drag"] and summary["capacity_10pct_diameter"] is None
    for case in summary["cases"]:
        assert 0 < case["neutral_plane_depth"] < 720
        assert case["drag_load"] == pytest.approx(case["max_axial_load"] - case["head_load"])


def test_the_summary_takes_a_chosen_settlement_and_load_and_refuses_non_numbers():
    project = keldar.load(EXAMPLES / "steel-pipe-clay.kd3d")
    results = project.run(at_settlement=0.5, at_load=100000)
    summary = results["summary"]
    assert summary["chosen_settlement"] == 0.5 and summary["chosen_load"] == 100000.0
    assert summary["settlement_at_chosen_load"] == \
        results["load_controlled"]["rows"][1]["top_movement"]
    for value, error in (("1", TypeError), (True, TypeError), (float("inf"), ValueError)):
        with pytest.raises(error, match="at_load"):
            project.run(at_load=value)


def test_in_process_run_writes_nothing_beside_the_project(tmp_path):
    data = shutil.copy(EXAMPLES / "steel-pipe-clay.kd3d", tmp_path)
    project = keldar.load(data)
    project.run()
    assert sorted(p.name for p in tmp_path.iterdir()) == ["steel-pipe-clay.kd3d"]
    assert not project.modified and project.FileName == str(data)
    project.run(folder=tmp_path / "..")  # asked for: the files stay there
    assert (tmp_path.parent / "steel-pipe-clay.kd3o").exists()


def test_a_change_from_python_equals_the_same_change_through_the_model(tmp_path):
    sample = EXAMPLES / "user-curves-si.kd3d"
    project = keldar.load(sample)
    project.PileLength = 13.25
    ae = project.table("TblAE2")
    ae[1][0] = 6.5
    project.set_table("TblAE2", ae)
    assert project.modified
    project.save(tmp_path / "python.kd3d")
    subprocess.run([os.environ["KELDAR_MODEL_EDIT"], str(sample), str(tmp_path / "model.kd3d"),
                    "13.25", "6.5"], check=True)
    assert (tmp_path / "python.kd3d").read_bytes() == (tmp_path / "model.kd3d").read_bytes()
    assert keldar.load(tmp_path / "python.kd3d").PileLength == 13.25


def test_tables_round_trip_with_sub_tables_and_row_limits(tmp_path):
    project = keldar.load(EXAMPLES / "drilled-shaft-sand.kd3d")
    layers = project.table("D2")
    assert all(row[2] is None for row in layers)  # the layer data sits in sub-tables
    data = project.table("D2", row=0)
    data[1][5] = 123.5
    project.set_table("D2", data, row=0)
    project.save(tmp_path / "p.kd3d")
    assert keldar.load(tmp_path / "p.kd3d").table("D2", row=0)[1][5] == 123.5
    with pytest.raises(ValueError, match="takes 2 to 50 rows, not 1"):
        project.set_table("TblAE2", [[0.0, 1.0]])
    with pytest.raises(ValueError, match="holds sub-tables"):
        project.set_table("D2", [[2, 10.0, 5.0]])
    with pytest.raises(ValueError, match=r"Table D2, row 0, column 0 \(Soil Type\) takes an integer"):
        project.set_table("D2", [[2.5, 10.0, None]])
    project.set_table("D2", [[6.0, 30.0, float("nan")]])  # as a NumPy array gives them
    assert project.table("D2") == [[6, 30.0, None]]
    with pytest.raises(IndexError):
        project.table("D2", row=99)
    with pytest.raises(AttributeError):
        project.NoSuchField


def test_a_bad_file_raises_with_the_readers_line_numbered_message(tmp_path):
    lines = (EXAMPLES / "steel-pipe-clay.kd3d").read_text().splitlines()
    lines[1] = "50 none 1"
    bad = tmp_path / "bad.kd3d"
    bad.write_text("\n".join(lines) + "\n")
    with pytest.raises(keldar.FileError, match=r"Error on Line 2 Item 2"):
        keldar.load(bad)
    with pytest.raises(keldar.RunError) as stop:
        keldar.run_file(bad)
    assert stop.value.status == 14 and stop.value.message.startswith("Line 2 of the data file")
    results = stop.value.results
    assert problems(results, SCHEMA) == []
    assert results["status"] == 14 and not results["load_settlement"]["complete"]
    assert results["load_settlement"]["rows"] == []


def test_a_stopped_run_marks_what_it_computed_as_partial(tmp_path):
    # The Q-w curve's count is cut to nothing: the engine stops while reading the input.
    lines = (EXAMPLES / "steel-pipe-clay.kd3d").read_text().splitlines()
    bad = tmp_path / "short.kd3d"
    bad.write_text("\n".join(lines[: len(lines) // 2]) + "\n")
    subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "csv", str(bad)],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    summary = (tmp_path / "short.summary.csv").read_text().splitlines()
    assert summary[0] == "key,value" and summary[1] == "status,13"
    assert summary[2].startswith("message,")
    assert "load_settlement_complete,0" in summary
    assert (tmp_path / "short.load-settlement.csv").read_text().count("\n") == 1


def test_batch_run_continues_past_a_failed_file(tmp_path):
    for name in ("steel-pipe-clay.kd3d", "user-curves-si.kd3d"):
        shutil.copy(EXAMPLES / name, tmp_path)
    (tmp_path / "a-broken.kd3d").write_text("title only\n")
    run = subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "json", tmp_path],
                         capture_output=True, text=True)
    assert run.returncode == 1
    lines = run.stdout.splitlines()
    assert len(lines) == 3 and "a-broken.kd3d: status 13," in lines[0]
    assert "steel-pipe-clay.kd3d: status 0, 10 cases, head load" in lines[1]
    assert "(1 not converged)" in lines[2]
    assert json.loads((tmp_path / "user-curves-si.json").read_text())["status"] == 0


# One entered curve peaking at 50 psi at 0.0001 in and falling to 10 psi at 0.0002 in, on a
# 1200 in pile of AE = 1E10 lb in ten increments: the falling branch makes one increment of
# each case jump to and fro without settling.
BRITTLE = """Brittle curve
10 1 1
1
1
1 0 4
0 0
50 0.0001
10 0.0002
10 10
2
1E10 0
1E10 1200
2
0 0
1000 1
1E-5 1200 12 113.1
3
0.00001 0.00002 0.00005
0
0
0
0
"""


def test_unconverged_cases_are_marked_in_json_csv_and_the_summary(tmp_path):
    data = tmp_path / "brittle.kd3d"
    data.write_text(BRITTLE)
    run = subprocess.run([os.environ["KELDAR_RUN"], "--results", "json", data],
                         capture_output=True, text=True, check=True)
    assert "3 cases, head load" in run.stdout
    assert "(3 cases not converged: see the run notes)" in run.stdout
    results = json.loads((tmp_path / "brittle.json").read_text())
    assert problems(results, SCHEMA) == [] and results["status"] == 0
    rows = results["load_settlement"]["rows"]
    assert [(r["converged"], r["unconverged_increments"]) for r in rows] == [(False, 1)] * 3
    assert all(r["top_movement"] is not None for r in rows)
    assert (tmp_path / "brittle.kd3r").read_text().count("NOT CONVERGED: case") == 3
    assert results["warnings"] == []
    subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "csv", data], check=True)
    table = list(csv.reader((tmp_path / "brittle.load-settlement.csv").open()))
    assert table[0][-1] == "unconverged_increments"
    assert [row[-1] for row in table[1:]] == ["1", "1", "1"]
    # The same pile with AE = 1E5 lb converges, on a head movement of twice its length.
    data.write_text(BRITTLE.replace("1E10", "1E5"))
    subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "json", data], check=True)
    results = json.loads((tmp_path / "brittle.json").read_text())
    assert problems(results, SCHEMA) == []
    assert [w["quantity"] for w in results["warnings"]] == ["axial strain"] * 3


def test_range_warnings_of_a_sample_are_in_the_json(tmp_path):
    results = keldar.run_file(shutil.copy(EXAMPLES / "drilled-shaft-sand.kd3d", tmp_path))
    assert problems(results, SCHEMA) == []
    assert [(w["quantity"], w["layer"], w["row"]) for w in results["warnings"]] == \
        [("tip curve", 2, 4)]
    assert "1.46 times the ultimate tip load" in results["warnings"][0]["message"]


@pytest.mark.memory
def test_a_thousand_in_process_runs_leave_memory_flat():
    def resident_kb():
        with open("/proc/self/statm") as statm:
            return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024

    project = keldar.load(EXAMPLES / "steel-pipe-clay.kd3d")
    for _ in range(100):
        project.run()
    before = resident_kb()
    for _ in range(900):
        project.run()
    assert resident_kb() - before < 2048


def test_the_parametric_study_example_writes_its_table(tmp_path):
    script = Path(os.environ["KELDAR_SCRIPTING"]) / "pile_length_study.py"
    subprocess.run([sys.executable, script, "--lengths", "600", "900", "--out",
                    tmp_path / "study"], check=True, stdout=subprocess.DEVNULL)
    with open(tmp_path / "study.csv") as table:
        rows = list(csv.reader(table))
    assert rows[0][0] == "pile_length_in" and len(rows) == 3
    loads = [[float(v) for v in row[1:]] for row in rows[1:]]
    # A longer pile carries more at the same settlement, whatever the method.
    assert all(longer > shorter > 0 for shorter, longer in zip(loads[0], loads[1]))


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda p: p.stem)
def test_a_run_in_memory_gives_the_results_of_a_run_on_files(sample, tmp_path):
    project = keldar.load(sample)
    in_memory = project.run()
    assert project.run(files=True) == in_memory
    assert project.run(folder=tmp_path) == in_memory
    assert sorted(p.suffix for p in tmp_path.iterdir()) == [".kd3d", ".kd3o", ".kd3p", ".kd3r"]
    # The distributions, made as numbers, are those of the JSON text of keldar-run.
    out = tmp_path / "results.json"
    subprocess.run([os.environ["KELDAR_RUN"], "--quiet", "--results", "json", "--out", str(out),
                    tmp_path / sample.name], check=True, stdout=subprocess.DEVNULL)
    assert json.loads(out.read_text()) == in_memory


def test_runs_from_several_threads_at_once_give_the_results_of_runs_alone():
    projects = [keldar.load(EXAMPLES / name) for name in ("steel-pipe-clay.kd3d",
                                                          "user-curves-si.kd3d")]
    alone = [p.run() for p in projects]
    found = {0: [], 1: []}

    def work(i):
        for n in range(6):
            found[i].append(projects[i].run(files=n % 3 == 0))

    threads = [threading.Thread(target=work, args=(i,)) for i in (0, 1)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert all(r == alone[i] for i in (0, 1) for r in found[i])


def test_one_release_version_for_module_and_tools():
    for tool in ("KELDAR_RUN", "KELDAR_CONVERT"):
        shown = subprocess.run([os.environ[tool], "--version"], check=True, capture_output=True,
                               text=True).stdout.split()
        assert shown[-1] == keldar.__version__


def test_two_projects_in_one_process_keep_their_own_tables(tmp_path):
    sample = EXAMPLES / "layered-downdrag.kd3d"

    # A new soil type takes its layer data table from the project's templates.
    def edit_save_run(project, name):
        layers = project.table("D2")
        layers[1][0] = 6
        project.set_table("D2", layers)
        data = project.table("D2", row=1)
        data[0][0] += 1.0
        project.set_table("D2", data, row=1)
        project.save(tmp_path / name)
        return project.run()

    alone = edit_save_run(keldar.Project(sample), "alone.kd3d")
    gc.collect()
    kept, dropped = keldar.Project(sample), keldar.Project(sample)
    del dropped
    gc.collect()
    assert edit_save_run(kept, "kept.kd3d") == alone
    assert (tmp_path / "kept.kd3d").read_bytes() == (tmp_path / "alone.kd3d").read_bytes()
