"""Monte Carlo draws: the four distributions, correlated pairs and Latin hypercube sampling.

Every draw comes from one NumPy Generator seeded by the study, in the order the inputs are
listed, so a study gives the same values on any machine and however its runs are spread out.

Correlation is imposed through normal scores (a Gaussian copula): correlated standard normals
are turned into probabilities and each input takes the value at its own probability. For two
normal inputs the coefficient is the correlation of the values; for the other distributions it
is that of their normal scores, which is close to the rank correlation. With Latin hypercube
sampling each input's values are stratified (one in each of n equal-probability bins) and then
placed in the order of the correlated scores (Iman & Conover 1982), which keeps the strata.
"""

import math
from dataclasses import dataclass
from statistics import NormalDist

import numpy as np

DISTRIBUTIONS = {
    "normal": ("mean", "sd"),
    "lognormal": ("mean", "sd"),
    "uniform": ("low", "high"),
    "triangular": ("low", "mode", "high"),
}

_UNIT_NORMAL = NormalDist()
# Probabilities kept off 0 and 1, where the normal and lognormal inverses are infinite.
_TINY = 1e-12


class DrawError(ValueError):
    """A distribution or correlation that cannot be drawn from; key names the parameter."""

    def __init__(self, message, key=None):
        super().__init__(message)
        self.key = key


@dataclass(frozen=True)
class Distribution:
    kind: str
    parameters: tuple

    def values_at(self, p):
        """The values at probabilities p (the inverse of the cumulative distribution)."""
        p = np.clip(p, _TINY, 1.0 - _TINY)
        if self.kind == "normal":
            mean, sd = self.parameters
            return mean + sd * _normal_scores(p)
        if self.kind == "lognormal":
            # Mean and standard deviation of the value itself, as soil data are quoted.
            mean, sd = self.parameters
            s2 = math.log1p((sd / mean) ** 2)
            return np.exp(math.log(mean) - s2 / 2 + math.sqrt(s2) * _normal_scores(p))
        if self.kind == "uniform":
            low, high = self.parameters
            return low + (high - low) * p
        low, mode, high = self.parameters
        split = (mode - low) / (high - low)
        below = low + np.sqrt(p * (high - low) * (mode - low))
        above = high - np.sqrt((1 - p) * (high - low) * (high - mode))
        return np.where(p < split, below, above)


def _normal_scores(p):
    return np.array([_UNIT_NORMAL.inv_cdf(float(x)) for x in np.ravel(p)]).reshape(np.shape(p))


def _probabilities(z):
    return np.array([_UNIT_NORMAL.cdf(float(x)) for x in np.ravel(z)]).reshape(np.shape(z))


def _finite(value, key):
    if isinstance(value, bool) or not isinstance(value, (int, float)) or \
            not math.isfinite(value):
        raise DrawError(f"{key} must be a finite number, not {value!r}", key)
    return float(value)


def distribution(kind, **parameters):
    """A checked Distribution: normal(mean, sd), lognormal(mean, sd) of the value itself,
    uniform(low, high), triangular(low, mode, high)."""
    if kind not in DISTRIBUTIONS:
        raise DrawError(f"unknown distribution {kind!r}; the distributions are "
                        + ", ".join(DISTRIBUTIONS), "distribution")
    names = DISTRIBUTIONS[kind]
    for key in parameters:
        if key not in names:
            raise DrawError(f"{kind} takes {', '.join(names)}, not {key}", key)
    for key in names:
        if key not in parameters:
            raise DrawError(f"{kind} needs {', '.join(names)}; {key} is missing", key)
    values = tuple(_finite(parameters[key], key) for key in names)
    if kind in ("normal", "lognormal") and values[1] <= 0:
        raise DrawError(f"sd must be above 0, not {values[1]:g}", "sd")
    if kind == "lognormal" and values[0] <= 0:
        raise DrawError(f"a lognormal mean must be above 0, not {values[0]:g}", "mean")
    if kind == "uniform" and not values[0] < values[1]:
        raise DrawError(f"low ({values[0]:g}) must be below high ({values[1]:g})", "high")
    if kind == "triangular" and not (values[0] <= values[1] <= values[2] and
                                     values[0] < values[2]):
        raise DrawError(f"triangular needs low <= mode <= high and low < high, not "
                        f"{values[0]:g}, {values[1]:g}, {values[2]:g}", "mode")
    return Distribution(kind, values)


def correlation_matrix(names, pairs):
    """The correlation matrix of names from {(a, b): coefficient}; DrawError for a name that is
    not drawn, a coefficient outside -1 to 1 or a set of pairs that no draw can have."""
    index = {name: i for i, name in enumerate(names)}
    matrix = np.eye(len(names))
    for (a, b), rho in pairs.items():
        for name in (a, b):
            if name not in index:
                raise DrawError(f"{name} is correlated but not drawn", "inputs")
        if a == b:
            raise DrawError(f"{a} is correlated with itself", "inputs")
        rho = _finite(rho, "coefficient")
        if not -1.0 < rho < 1.0:
            raise DrawError(f"a correlation coefficient lies between -1 and 1 (not {rho:g})",
                            "coefficient")
        matrix[index[a], index[b]] = matrix[index[b], index[a]] = rho
    if np.linalg.eigvalsh(matrix).min() <= 1e-10:
        raise DrawError("the correlation coefficients contradict each other (the matrix is not "
                        "positive definite)", "coefficient")
    return matrix


def draw(distributions, runs, seed, correlation=None, latin_hypercube=False):
    """runs x len(distributions) values, one column per distribution in order."""
    rng = np.random.Generator(np.random.PCG64(seed))
    k = len(distributions)
    scores = rng.standard_normal((runs, k))
    if correlation is not None:
        scores = scores @ np.linalg.cholesky(correlation).T
    if latin_hypercube:
        # One value in each of the runs equal-probability bins, in the order of the scores.
        strata = (np.arange(runs)[:, None] + rng.random((runs, k))) / runs
        ranks = np.argsort(np.argsort(scores, axis=0), axis=0)
        p = np.take_along_axis(strata, ranks, axis=0)
    else:
        p = _probabilities(scores)
    return np.column_stack([d.values_at(p[:, j]) for j, d in enumerate(distributions)]) \
        if k else np.empty((runs, 0))
