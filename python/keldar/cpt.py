"""Curves from a cone penetration test: the Unified CPT methods for driven piles.

    from keldar import cpt
    record = cpt.read("cpt-01.gef")               # GEF, AGS4 (SCPT), CSV or tab-separated text
    project = cpt.project(record, diameter=0.762, wall=0.019, length=20.0,
                          water_table=1.0, unit_weight=[(14.0, 17.5), 19.5])
    results = project.run()

    cpt.sand_shaft_friction(qc=39928.0, sigma_v_eff=203.8, diameter=2.44, wall=0.0445, h=40.0)

Stresses in kPa, lengths in m, unit weights in kN/m3. A file that cannot be read raises
CptReadError (a ValueError) naming the file, the line and the reason. The project is an
ordinary keldar.Project with entered curves in S.I. units.
"""

import os as _os
import shutil as _shutil
import tempfile as _tempfile

from . import _cpt
from . import load as _load

__all__ = ["read", "project", "Record", "CptReadError", "sand_shaft_friction",
           "sand_base_resistance", "clay_shaft_friction", "clay_base_resistance",
           "soil_behaviour_index"]

Record = _cpt.Record
CptReadError = _cpt.CptReadError
sand_shaft_friction = _cpt.sand_shaft_friction
sand_base_resistance = _cpt.sand_base_resistance
clay_shaft_friction = _cpt.clay_shaft_friction
clay_base_resistance = _cpt.clay_base_resistance
soil_behaviour_index = _cpt.soil_behaviour_index


def read(path):
    """The CPT record of a GEF, AGS4, CSV or tab-separated file (any path-like)."""
    return _cpt.read(_os.fspath(path))


def _layered(value, what):
    # A number for the whole ground, or [(bottom, value), ..., value] with the last going on below.
    if not isinstance(value, (list, tuple)):
        return [(0.0, value)]
    items = [(float(v[0]), v[1]) if isinstance(v, (list, tuple)) else (0.0, v) for v in value]
    if not items or items[-1][0] != 0.0:
        raise ValueError(f"{what}: the last item is a plain value, going on below")
    return items


def project(record, diameter, length, wall=0.0, closed=False, tension=False, water_table=0.0,
            unit_weight=19.0, layers=None, spacing=1.0, base_average="dutch", modulus=2.1e8,
            title=None, path=None):
    """A keldar.Project of entered curves for the pile at the CPT. A wall of 0 without closed
    is a solid section. layers (sand or clay by hand) are given like unit_weight:
    [(6.0, "sand"), "clay"]; unit_weight="cpt" takes them from qt and fs (Robertson & Cabal
    2010). The project is written to path (.kd3d) and read back as the program
    opens it; without path it goes through a temporary file, and save() then needs a path."""
    from_cone = unit_weight == "cpt"
    weights = [(0.0, 19.0)] if from_cone else [
        (b, float(g)) for b, g in _layered(unit_weight, "unit_weight")]
    kinds = [] if layers is None else _layered(layers, "layers")
    if kinds:
        kinds[-1] = (1e9, kinds[-1][1])
    name = title or ("Pile from CPT " + record.test_id if record.test_id else "Pile from CPT")
    folder = None
    if path is None:
        folder = _tempfile.mkdtemp(prefix="keldar-cpt-")
        path = _os.path.join(folder, "cpt.kd3d")
    try:
        summary = _cpt.make_project(record, _os.fspath(path), float(diameter), float(length),
                                    float(wall), bool(closed or wall <= 0), bool(tension),
                                    float(water_table), weights, from_cone, kinds, float(spacing),
                                    base_average, float(modulus), name)
        result = _load(path)
    finally:
        if folder is not None:
            _shutil.rmtree(folder, ignore_errors=True)
    # A declared attribute, not a field: assigning fields goes through the field check.
    object.__setattr__(result, "cpt_summary", summary)
    return result
