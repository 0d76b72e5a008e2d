"""keldar.cpt: the readers, the element functions and a project made from a CPT and run."""

import math
import os
from pathlib import Path

import pytest

import keldar
from keldar import cpt

EXAMPLES = Path(os.environ.get("KELDAR_EXAMPLES", Path(__file__).parents[2] / "examples")) / "cpt"


def test_sand_element_functions_give_the_published_checks():
    # OpenSees TzSandCPT / QbSandCPT documentation: 84.3 and 63.2 kPa, qb0.1 7.629 (MPa).
    args = dict(qc=39928.0, sigma_v_eff=203.8, diameter=2.44, wall=0.0445, h=40.0)
    assert round(cpt.sand_shaft_friction(**args), 1) == 84.3
    assert round(cpt.sand_shaft_friction(tension=True, **args), 1) == 63.2
    assert cpt.sand_base_resistance(50000.0, 2.44, 0.0445) / 1000 == pytest.approx(7.629, abs=1e-3)
    # A larger cone makes a thinner plug: a higher Are, a higher base resistance.
    assert cpt.sand_base_resistance(50000.0, 2.44, 0.0445, d_cpt=0.0437) > 7629.7
    assert cpt.clay_base_resistance(2000.0, 0.6, 0.0) == pytest.approx(1600.0)
    assert cpt.soil_behaviour_index(100.0, 30.0, 150.0, 80.0) is None
    assert cpt.soil_behaviour_index(800.0, 30.0, 150.0, 80.0)["ic"] == pytest.approx(3.179, abs=1e-3)
    with pytest.raises(ValueError):
        cpt.sand_shaft_friction(qc=1.0, sigma_v_eff=1.0, diameter=0.5, wall=0.3, h=1.0)


def test_read_reports_file_line_and_reason(tmp_path):
    record = cpt.read(EXAMPLES / "onshore-sand.tsv")
    assert record.test_id == "CPT-T3"
    assert record.dropped_rows == 1
    assert len(record) == len(record.qt) == 690
    assert math.isnan(record.u2[0])
    bad = tmp_path / "bad.csv"
    bad.write_text("depth [m],qc [MPa]\n1,2\n0.5,3\n")
    with pytest.raises(cpt.CptReadError, match=r"bad\.csv: line 3: the depth does not increase"):
        cpt.read(bad)


def test_project_from_a_record_runs(tmp_path):
    depth = [i * 0.05 for i in range(301)]
    record = cpt.Record(depth, [12000.0] * len(depth))
    project = cpt.project(record, diameter=0.5, length=12.0, closed=True, wall=0.012,
                          water_table=1.0, unit_weight=[(1.0, 18.0), 20.0],
                          path=tmp_path / "uniform.kd3d")
    assert isinstance(project, keldar.Project)
    assert project.CurvesGenerated is False
    assert project.UnitSystem == 2
    assert len(project.table("TblTZDepth2")) == 13
    assert "Shaft capacity" in project.cpt_summary
    results = project.run()
    assert results["status"] == 0
    assert len(results["load_settlement"]["rows"]) == 15


def test_project_refuses_a_pile_below_the_cpt():
    record = cpt.Record([0.0, 5.0], [5000.0, 6000.0])
    with pytest.raises(ValueError, match="the CPT ends at 5 m, above the pile tip at 8 m"):
        cpt.project(record, diameter=0.5, length=8.0, closed=True)


def test_project_that_cannot_be_saved_raises_os_error():
    record = cpt.Record([0.0, 10.0], [5000.0, 6000.0])
    with pytest.raises(OSError):
        cpt.project(record, diameter=0.5, length=8.0, closed=True,
                    path="/nonexistent-folder/pile.kd3d")


def test_unit_weights_from_the_cone_lower_the_stresses_of_a_loose_sand():
    depth = [i * 0.05 for i in range(301)]
    record = cpt.Record(depth, [3000.0] * len(depth), fs=[15.0] * len(depth))
    by_hand = cpt.project(record, diameter=0.5, length=12.0, closed=True, unit_weight=20.0)
    from_cone = cpt.project(record, diameter=0.5, length=12.0, closed=True, unit_weight="cpt")
    # γ = 9.81 (0.27 log 0.5 + 0.36 log 30 + 1.236) = 16.45 kN/m3 < 20: less dilation, lower τf.
    assert from_cone.table("TblTZDepth2", 6)[-1][0] < \
        by_hand.table("TblTZDepth2", 6)[-1][0]
