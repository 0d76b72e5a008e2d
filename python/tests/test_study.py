"""Studies: the same table however and wherever the runs go, failed runs kept as rows, a study
that survives a killed worker, and study files refused with their line and key."""

import os
import signal
import subprocess
import sys
import textwrap
from pathlib import Path

import numpy as np
import pytest

import keldar
import pandas
from keldar import study
from keldar.study import draws, inputs, plots, studyfile

pytestmark = pytest.mark.study

EXAMPLES = Path(os.environ["KELDAR_EXAMPLES"])
BASE = str(EXAMPLES / "pipe-pile-clay.kd3d")
# Ten increments: a fifth of the example's runtime, and the numbers still differ between runs.
FAST = {"IncrementCount": 10}
SIDE = ("D2[0][0][5]", "D2[1][0][5]")
STUDY_COMMAND = [sys.executable, str(Path(study.__file__).parents[2] / "keldar-study")]


def monte_carlo(runs=200):
    return study.monte_carlo(BASE, {SIDE[0]: study.lognormal(3.5, 0.9),
                                    SIDE[1]: study.triangular(6.0, 8.0, 11.0)},
                             runs=runs, seed=31, correlation={SIDE: 0.5}, settings=FAST)


@pytest.fixture(scope="module")
def monte_carlo_table():
    return monte_carlo().run(sequential=True, progress=False)


def test_a_sweep_gives_the_same_table_every_time_and_keeps_a_refused_run():
    sweep = study.sweep(BASE, {"PileLength": [600.0, 840.0, -5.0]},
                        links={"TblAE2[-1][0]": "PileLength"}, settings=FAST)
    first = sweep.run(sequential=True, progress=False)
    assert first.equals(sweep.run(sequential=True, progress=False))
    assert first.equals(sweep.run(workers=2, chunk_size=1, progress=False))
    assert list(first["status"]) == ["ok", "ok", "input refused"]
    assert first.loc[2, "message"] == "PileLength must be above 0, not -5.0"
    # A longer pile carries more at the same settlement.
    assert first.loc[1, "capacity_10pct_diameter"] > first.loc[0, "capacity_10pct_diameter"]


def test_a_seeded_monte_carlo_repeats_on_worker_processes(monte_carlo_table):
    assert len(monte_carlo_table) == 200 and (monte_carlo_table["status"] == "ok").all()
    assert monte_carlo_table.equals(monte_carlo().run(workers=2, progress=False))
    assert monte_carlo_table[list(study.OUTPUTS[:4])].nunique().min() > 100


def test_draws_keep_their_distribution_correlation_and_strata():
    dists = [study.normal(10.0, 2.0), study.lognormal(3.5, 0.9), study.uniform(1.0, 2.0),
             study.triangular(0.0, 1.0, 4.0)]
    matrix = draws.correlation_matrix(["a", "b", "c", "d"], {("a", "b"): 0.7})
    for lhs in (False, True):
        values = draws.draw(dists, 4000, seed=5, correlation=matrix, latin_hypercube=lhs)
        assert values.mean(axis=0) == pytest.approx([10.0, 3.5, 1.5, 5 / 3], rel=0.02)
        assert values[:, 1].std() == pytest.approx(0.9, rel=0.05)
        assert np.corrcoef(values[:, 0], values[:, 1])[0, 1] == pytest.approx(0.7, abs=0.04)
        assert abs(np.corrcoef(values[:, 0], values[:, 2])[0, 1]) < 0.05
        assert values[:, 3].min() >= 0.0 and values[:, 3].max() <= 4.0
    # Latin hypercube: each of the n equal-probability bins of the uniform input holds one run.
    strata = draws.draw([study.uniform(0.0, 1.0)], 50, seed=1, latin_hypercube=True)
    assert sorted(np.floor(strata[:, 0] * 50).astype(int)) == list(range(50))


def test_ctrl_c_keeps_the_finished_rows():
    def interrupt(done, total):
        if done >= 2:
            raise KeyboardInterrupt

    table = study.sweep(BASE, {"OuterDiameter": [20.0, 22.0, 24.0, 26.0]}, settings=FAST).run(
        sequential=True, chunk_size=2, progress=interrupt)
    assert list(table["status"]) == ["ok", "ok", "not run", "not run"]


def test_a_local_cluster_gives_the_sequential_table_though_a_worker_is_killed(
        monte_carlo_table):
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, host="127.0.0.1",
                                  dashboard_address=None, processes=True) as cluster, \
            distributed.Client(cluster) as client:
        pids = list(client.run(os.getpid).values())
        killed = []

        def kill_one(done, total):
            if not killed:
                os.kill(pids[0], signal.SIGKILL)
                killed.append(done)

        table = monte_carlo().run(client=client, chunk_size=10, progress=kill_one)
    assert killed and killed[0] < 200
    assert table.equals(monte_carlo_table)


def test_inputs_reach_fields_cells_and_layer_cells_from_either_end():
    project = keldar.load(BASE)
    for name, value in (("PileLength", 700), ("TblAE2[-1][0]", 700.0), ("D2[1][0]", 1),
                        ("D2[-1][1][5]", 12.5), ("TblTopload[0][0]", 1.5e5)):
        inputs.write(project, inputs.parse(name), value)
        assert inputs.read(project, inputs.parse(name)) == value
    assert project.PileLength == 700.0 and isinstance(project.PileLength, float)
    assert project.table("TblAE2")[1][0] == 700.0 and project.table("D2")[1][0] == 1
    assert project.table("D2", row=1)[1][5] == 12.5 and project.table("D2", row=0)[1][5] == 6.0
    for name, words in (("UnitSystem", "cannot be varied"), ("TblAE2[0]", "neither a field"),
                        ("D2[0][2]", "holds a sub-table"), ("TblAE2[0][2]", "has 2 columns"),
                        ("Nothing[0][0]", "no table Nothing")):
        with pytest.raises(ValueError, match=words):
            inputs.read(project, inputs.parse(name))


def test_ranges_include_both_ends():
    assert study.span(480, 1080, step=120) == [480, 600, 720, 840, 960, 1080]
    assert study.span(0.0, 0.3, step=0.1)[-1] == pytest.approx(0.3)
    assert study.span(1.0, 2.0, count=3) == [1.0, 1.5, 2.0]
    with pytest.raises(study.StudyError, match="does not lead"):
        study.span(1.0, 2.0, step=-0.5)


def test_plots_are_written_for_the_outputs_that_have_values(tmp_path):
    rng = np.random.default_rng(3)
    table = pandas.DataFrame({"PileLength": [600.0, 600.0, 720.0, 720.0],
                              "D2[0][0]": [1, 5, 1, 5], "status": ["ok"] * 4})
    for name in study.OUTPUTS:
        table[name] = rng.random(4) * 1e5
    table["first_load_tip_load"] = float("nan")
    units = {"system": 1, "force": "lb", "movement": "in"}
    written = plots.sweep_plots(table, ["PileLength", "D2[0][0]"], str(tmp_path), units)
    assert len(written) == 2 * (len(study.OUTPUTS) - 1)
    assert not any("first_load_tip_load" in path for path in written)
    written = plots.monte_carlo_plots(table, str(tmp_path), units)
    assert all(Path(path).stat().st_size > 1000 for path in written)
    assert Path(written[0]).read_bytes()[:4] == b"\x89PNG" and written[1].endswith(".svg")


def write_study(tmp_path, text):
    path = tmp_path / "study.toml"
    path.write_text(textwrap.dedent(text).replace("BASE", BASE.replace("\\", "/")))
    return path


@pytest.mark.parametrize("text, line, words", [
    ('base = "BASE"\nruns = 3\n[sweep]\nPileLength = [1, 2]\n', 2,
     "runs: unknown key"),
    ('base = "BASE"\n[sweep]\nPileLenght = [600, 700]\n', 3,
     "sweep.PileLenght: 'PileLenght' is neither a field"),
    ('base = "BASE"\n[grid]\nPileLength = [600]\n"TblAE2[5][0]" = [1.0]\n', 4,
     "the table has 2 rows"),
    ('base = "BASE"\n[monte_carlo]\nruns = 10\nseed = 1\n[monte_carlo.inputs]\n'
     'PileLength = {distribution = "normal", mean = 700, sd = -5}\n', 6,
     "monte_carlo.inputs.PileLength.sd: sd must be above 0"),
    ('base = "BASE"\n[monte_carlo]\nruns = 10\nseed = 1\n[monte_carlo.inputs]\n'
     'PileLength = {distribution = "uniform", low = 800, high = 700}\n', 6, "low (800)"),
    ('base = "BASE"\n[monte_carlo]\nruns = 10\nseed = 1\n[monte_carlo.inputs]\n'
     'PileLength = {distribution = "normal", mean = 700, sd = 5}\n'
     'TipArea = {distribution = "normal", mean = 400, sd = 5}\n'
     '[[monte_carlo.correlation]]\ninputs = ["PileLength", "TipArea"]\ncoefficient = 0.5\n'
     '[[monte_carlo.correlation]]\ninputs = ["TipArea", "PileLength"]\ncoefficient = 1.5\n', 13,
     "monte_carlo.correlation.1.coefficient: a correlation coefficient lies between -1 and 1"),
    ('base = "BASE"\n[grid]\nPileLength = {from = 100, to = 1000, count = 200}\n'
     'OuterDiameter = {from = 10, to = 30, step = 0.2}\n', 2, "more than the limit of 10000"),
    ('base = "BASE"\n[sweep]\nPileLength = 600 700\n', 3, "Expected newline"),
])
def test_bad_study_files_are_refused_with_the_line_and_key(tmp_path, text, line, words):
    path = write_study(tmp_path, text)
    with pytest.raises(studyfile.StudyFileError) as refused:
        studyfile.read(path)
    assert f"{path}:{line}" in str(refused.value) or f"line {line}" in str(refused.value)
    assert words in str(refused.value)


def test_keldar_study_writes_the_table_and_refuses_a_large_grid_without_yes(tmp_path):
    grid = write_study(tmp_path, """
        base = "BASE"
        [set]
        IncrementCount = 10
        [grid]
        PileLength = {from = 100, to = 1000, count = 200}
        OuterDiameter = {from = 10, to = 30, step = 0.2}
        """)
    refused = subprocess.run(STUDY_COMMAND + [str(grid)], capture_output=True, text=True)
    assert refused.returncode == 2 and "20200 runs, more than the limit" in refused.stderr
    assert not (tmp_path / "study.csv").exists()

    folder = tmp_path / "batch"
    folder.mkdir()
    (folder / "broken.kd3d").write_text("not a pile\n")
    batch = write_study(tmp_path, """
        [batch]
        files = ["BASE", "batch", "missing.kd3d"]
        """)
    done = subprocess.run(STUDY_COMMAND + [str(batch), "--workers", "1", "--quiet"],
                          capture_output=True, text=True)
    assert done.returncode == 1, done.stderr
    lines = (tmp_path / "study.csv").read_text().splitlines()
    assert lines[0].startswith("run,file,status,engine_status,message,capacity_10pct_diameter")
    assert [line.split(",")[2] for line in lines[1:]] == ["ok", "failed", "failed"]
    assert "missing.kd3d: No such file or directory" in lines[3]


def test_keldar_study_never_writes_its_table_over_a_file_it_reads(tmp_path):
    base = tmp_path / "pile.kd3d"
    base.write_bytes(Path(BASE).read_bytes())
    cone = tmp_path / "cone.csv"
    cone.write_text("depth (m),qc (MPa)\n1,5\n2,6\n")
    sweep = tmp_path / "sweep.toml"
    sweep.write_text('base = "pile.kd3d"\n[sweep]\nPileLength = [600, 720]\n')
    refused = subprocess.run(STUDY_COMMAND + [str(sweep), "--out", str(base)],
                             capture_output=True, text=True)
    assert refused.returncode == 2 and "a .csv file" in refused.stderr
    assert base.read_bytes() == Path(BASE).read_bytes()
    (tmp_path / "table.csv").mkdir()
    refused = subprocess.run(STUDY_COMMAND + [str(sweep), "--out", str(tmp_path / "table.csv")],
                             capture_output=True, text=True)
    assert refused.returncode == 2 and "names a folder" in refused.stderr

    on_cone = tmp_path / "cone.toml"
    on_cone.write_text('[cpt]\nfile = "cone.csv"\ndiameter = 0.5\nwall = 0.02\nlength = 1.5\n'
                       '[sweep]\nPileLength = [1.2, 1.4]\n')
    refused = subprocess.run(STUDY_COMMAND + [str(on_cone), "--out", str(cone), "--quiet"],
                             capture_output=True, text=True)
    assert refused.returncode == 2, refused.stderr
    assert "is a file the study reads; nothing was run" in refused.stderr
    assert cone.read_text() == "depth (m),qc (MPa)\n1,5\n2,6\n"


def test_the_example_study_files_stay_valid():
    scripting = Path(os.environ["KELDAR_SCRIPTING"])
    assert len(studyfile.read(scripting / "pile-length.toml")) == 12
    assert len(studyfile.read(scripting / "side-friction-mc.toml")) == 1000
