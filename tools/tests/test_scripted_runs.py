"""keldar-run and keldar-convert as a script drives them: outputs that would replace a data
file or each other, missing files, results that are not numbers, words the analysis passes
over, the number forms it reads, and an output folder apart from the data."""

import json
import os
import shutil
import subprocess
from pathlib import Path

import pytest

EXAMPLES = Path(os.environ["KELDAR_EXAMPLES"])
SAMPLE = EXAMPLES / "steel-pipe-clay.kd3d"
RUN = os.environ["KELDAR_RUN"]
CONVERT = os.environ["KELDAR_CONVERT"]


def run(*args, cwd):
    return subprocess.run([RUN, "--quiet", *map(str, args)], cwd=cwd, capture_output=True,
                          text=True)


def edited_copy(folder, name, old, new):
    """The sample with one line replaced (the files have CR LF line ends)."""
    lines = SAMPLE.read_bytes().split(b"\r\n")
    lines[lines.index(old.encode())] = new.encode()
    path = folder / name
    path.write_bytes(b"\r\n".join(lines))
    return path


def test_an_output_that_names_an_input_or_another_output_is_refused(tmp_path):
    shutil.copy(SAMPLE, tmp_path / "victim.kd3d")
    original = SAMPLE.read_bytes()
    for out in ("victim.kd3d", "victim.kd3o", "./victim.kd3p"):
        refused = run("--results", "json", "--out", out, "victim.kd3d", cwd=tmp_path)
        assert refused.returncode == 2 and out.lstrip("./") in refused.stderr
    assert (tmp_path / "victim.kd3d").read_bytes() == original
    for folder in ("a", "b"):
        (tmp_path / folder).mkdir()
        shutil.copy(SAMPLE, tmp_path / folder / "p.kd3d")
    (tmp_path / "out").mkdir()
    for options in (["--results", "json", "--out", "out"], ["--output-dir", "out"]):
        refused = run(*options, "a/p.kd3d", "b/p.kd3d", cwd=tmp_path)
        assert refused.returncode == 2 and "would be written twice" in refused.stderr
    assert refused.stdout == "" and not any((tmp_path / "out").iterdir())
    assert sorted(p.name for p in (tmp_path / "a").iterdir()) == ["p.kd3d"]


def test_a_missing_file_is_not_run_and_leaves_nothing(tmp_path):
    result = run("missing.kd3d", cwd=tmp_path)
    assert result.returncode == 1
    assert 'status 11, The data file "missing.kd3d" cannot be opened: there is no such file' \
        in result.stdout
    assert list(tmp_path.iterdir()) == []


def test_results_that_are_not_numbers_end_with_status_1_and_are_marked(tmp_path):
    edited_copy(tmp_path, "huge.kd3d", "1E-5 600 16 201.06", "1E-5 1E30 16 201.06")
    result = run("--results", "json", "huge.kd3d", cwd=tmp_path)
    assert result.returncode == 1
    assert "huge.kd3d: status 0, 10 rows of results are not finite numbers" in result.stdout
    results = json.loads((tmp_path / "huge.json").read_text())
    rows = results["load_settlement"]["rows"]
    assert results["status"] == 0 and results["message"].startswith("10 rows")
    assert all(row["finite"] is False and row["top_movement"] is None for row in rows)
    assert [row["tip_movement"] for row in rows][:2] == [0.005, 0.01]  # finite values stay


def test_words_after_a_records_values_are_listed_and_refused_when_strict(tmp_path):
    edited_copy(tmp_path, "sep.kd3d", "100000", "100 000")
    listed = run("sep.kd3d", cwd=tmp_path)
    assert listed.returncode == 0
    assert "sep.kd3d: not used, after a record's values: line 56: 000" in listed.stderr
    strict = run("--strict", "sep.kd3d", cwd=tmp_path)
    assert strict.returncode == 1
    assert 'status 14, Line 56 of the data file: "000" after the values' in strict.stdout


def test_every_number_form_the_engine_reads_converts(tmp_path):
    data = edited_copy(tmp_path, "forms.kd3d", "1E-5 600 16 201.06", "1D-5,600, 16 ,201.06")
    converted = subprocess.run([CONVERT, data, tmp_path / "out.kd3d"], capture_output=True,
                               text=True)
    assert converted.returncode == 0, converted.stderr
    assert (tmp_path / "out.kd3d").read_bytes() == SAMPLE.read_bytes()


def test_results_of_a_plot_file_hold_its_counts_and_never_replace_its_files(tmp_path):
    for ext in (".kd3p", ".kd3o"):
        shutil.copy(EXAMPLES / "expected" / ("steel-pipe-clay" + ext), tmp_path)
    plot = tmp_path / "steel-pipe-clay.kd3p"
    subprocess.run([CONVERT, "--results", "json", plot], check=True)
    results = json.loads((tmp_path / "steel-pipe-clay.json").read_text())
    assert results["input"] == {"increments": 50, "tip_movements": 10}
    for out in ("steel-pipe-clay.kd3o", "steel-pipe-clay.kd3p", "."):
        refused = subprocess.run([CONVERT, "--results", "json", plot, tmp_path / out],
                                 capture_output=True, text=True)
        assert refused.returncode == 2, out
    assert (tmp_path / "steel-pipe-clay.kd3p").read_bytes() == \
        (EXAMPLES / "expected" / "steel-pipe-clay.kd3p").read_bytes()


def test_whole_reals_are_written_as_reals(tmp_path):
    shutil.copy(SAMPLE, tmp_path)
    run("--results", "json", "steel-pipe-clay.kd3d", cwd=tmp_path)
    text = (tmp_path / "steel-pipe-clay.json").read_text()
    assert '{"top_load": 50000.0, "converged": true' in text
    loads = [row["top_load"] for row in json.loads(text)["load_controlled"]["rows"]]
    assert all(isinstance(load, float) for load in loads)


def test_an_output_folder_takes_every_file_and_the_data_folder_none(tmp_path):
    data = tmp_path / "in"
    data.mkdir()
    shutil.copy(SAMPLE, data)
    (tmp_path / "out").mkdir()
    result = run("--output-dir", "out", "--results", "csv", "in", cwd=tmp_path)
    assert result.returncode == 0, result.stdout
    assert [p.name for p in data.iterdir()] == ["steel-pipe-clay.kd3d"]
    written = sorted(p.name for p in (tmp_path / "out").iterdir())
    assert written[:4] == ["steel-pipe-clay.case-summary.csv", "steel-pipe-clay.distribution.csv",
                           "steel-pipe-clay.kd3o", "steel-pipe-clay.kd3p"]
    assert len(written) == 10
    missing = run("--output-dir", "nowhere", "in", cwd=tmp_path)
    assert missing.returncode == 2 and "nowhere" in missing.stderr


def test_the_summary_takes_the_chosen_settlement_and_load_in_json_and_csv(tmp_path):
    shutil.copy(SAMPLE, tmp_path)
    chosen = ("--at-settlement", "0.5", "--at-load", "100000")
    run("--results", "json", *chosen, "steel-pipe-clay.kd3d", cwd=tmp_path)
    results = json.loads((tmp_path / "steel-pipe-clay.json").read_text())
    summary = results["summary"]
    assert summary["chosen_settlement"] == 0.5 and summary["chosen_load"] == 100000.0
    # 100000 lb is the second pile-head load: a computed point of the curve.
    assert summary["settlement_at_chosen_load"] == \
        results["load_controlled"]["rows"][1]["top_movement"]
    run("--results", "csv", *chosen, "steel-pipe-clay.kd3d", cwd=tmp_path)
    keys = dict(line.split(",", 1) for line in
                (tmp_path / "steel-pipe-clay.summary.csv").read_text().splitlines())
    for key in ("capacity_10pct_diameter", "davisson_capacity", "load_at_chosen_settlement"):
        assert float(keys[key]) == summary[key]
    cases = (tmp_path / "steel-pipe-clay.case-summary.csv").read_text().splitlines()
    assert cases[0].startswith("kind,case,converged,head_load_lb,head_settlement_in,")
    assert len(cases) == 1 + len(summary["cases"]) + len(summary["head_load_cases"])
    for value in ("0,5", "nan", "1e40"):
        refused = run("--results", "json", "--at-load", value, "steel-pipe-clay.kd3d",
                      cwd=tmp_path)
        assert refused.returncode == 2 and "--at-load takes a finite number" in refused.stderr
