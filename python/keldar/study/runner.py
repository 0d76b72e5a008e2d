"""A study's runs in chunks: in this process, in worker processes on this machine, or as tasks
of a Dask cluster. A chunk carries everything its runs need (the base data file's text, the
inputs and their values), so a worker needs only the keldar package, not the study's files.
"""

import os
import signal
import tempfile
import warnings
from dataclasses import dataclass, field

from .. import load
from . import inputs as _inputs

# Summary numbers kept per run (docs/results.schema.json, summary).
SUMMARY_OUTPUTS = ("capacity_10pct_diameter", "davisson_capacity", "load_at_chosen_settlement",
                   "settlement_at_chosen_load")
# The load-controlled solution at the first pile-head load: how the working load is carried.
FIRST_LOAD_OUTPUTS = {"first_load_tip_load": "tip_load", "first_load_side_share": "side_share"}
OUTPUTS = SUMMARY_OUTPUTS + tuple(FIRST_LOAD_OUTPUTS)

# The status of a run's row.
OK = "ok"
FAILED = "failed"            # the engine stopped with a status above 0
NOT_FINITE = "not finite"    # results that are not numbers: input beyond what can be computed
REFUSED = "input refused"    # the project would not take a value (a length of 0 or below)
NOT_RUN = "not run"          # the study was stopped first


@dataclass
class Chunk:
    """Consecutive runs of a study: first is the number of the first run. For a varied base,
    values holds one tuple per run; for a batch, files holds (name, text) per run."""
    first: int
    base: bytes = None
    names: tuple = ()
    links: tuple = ()
    values: list = field(default_factory=list)
    files: list = field(default_factory=list)
    at_settlement: float = None
    at_load: float = None

    def __len__(self):
        return len(self.files) if self.base is None else len(self.values)


def row(status, message, engine_status=None, outputs=None):
    """One run's results as a row of the study's table."""
    outputs = outputs or {}
    return {"status": status, "engine_status": engine_status, "message": message,
            **{name: outputs.get(name) for name in OUTPUTS}}


def outputs_of(results):
    summary = results.get("summary") or {}
    values = {name: summary.get(name) for name in SUMMARY_OUTPUTS}
    loads = summary.get("head_load_cases") or []
    for name, key in FIRST_LOAD_OUTPUTS.items():
        values[name] = loads[0].get(key) if loads else None
    return values


def _run(project, chunk):
    try:
        results = project.run(check=False, at_settlement=chunk.at_settlement,
                              at_load=chunk.at_load)
    except Exception as e:  # one run that cannot be made must not lose the chunk's others
        return row(FAILED, f"{type(e).__name__}: {e}"), None
    status = results["status"]
    if status > 0:
        kind = FAILED
    elif results["message"]:
        kind = NOT_FINITE
    else:
        kind = OK
    return row(kind, results["message"], status, outputs_of(results)), results.get("units")


def _project_from_text(folder, name, text):
    path = os.path.join(folder, os.path.basename(name) or "base.kd3d")
    with open(path, "wb") as out:
        out.write(text)
    # What a data file holds that the project cannot keep was reported when the study was made.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        return load(path)


def _varied_run(project, targets, links, values, chunk):
    by_name = dict(zip(chunk.names, values))
    try:
        for target, value in zip(targets, values):
            _inputs.write(project, target, value)
        for target, source in links:
            _inputs.write(project, target, by_name[source])
    except (TypeError, ValueError) as e:
        return row(REFUSED, str(e)), None
    return _run(project, chunk)


def run_chunk(chunk):
    """The rows of a chunk's runs in order, and the units of the first run that read them."""
    rows, units = [], None
    with tempfile.TemporaryDirectory(prefix="keldar-study-") as folder:
        if chunk.base is not None:
            project = _project_from_text(folder, "base.kd3d", chunk.base)
            targets = [_inputs.parse(name) for name in chunk.names]
            links = [(_inputs.parse(target), source) for target, source in chunk.links]
            for values in chunk.values:
                result, run_units = _varied_run(project, targets, links, values, chunk)
                rows.append(result)
                units = units or run_units
        for name, text in chunk.files:
            if isinstance(text, str):
                rows.append(row(FAILED, text))
                continue
            try:
                result, run_units = _run(_project_from_text(folder, name, text), chunk)
            except OSError as e:
                result, run_units = row(FAILED, str(e)), None
            rows.append(result)
            units = units or run_units
    return rows, units


def _ignore_interrupts():
    # Ctrl+C is the study's to handle: a worker finishes its chunk and is stopped by the pool.
    signal.signal(signal.SIGINT, signal.SIG_IGN)


def in_this_process(chunks):
    for index, chunk in enumerate(chunks):
        yield index, run_chunk(chunk)


def in_processes(chunks, workers):
    """Chunks on a pool of worker processes, yielded as they finish."""
    import concurrent.futures as cf
    import multiprocessing
    # Forked workers: a fresh interpreter (spawn) would run the user's script again on import,
    # and a script without a main guard would start the study inside every worker.
    context = multiprocessing.get_context("fork" if os.name == "posix" else None)
    pool = cf.ProcessPoolExecutor(max_workers=workers, initializer=_ignore_interrupts,
                                  mp_context=context)
    try:
        futures = {pool.submit(run_chunk, chunk): index for index, chunk in enumerate(chunks)}
        for future in cf.as_completed(futures):
            yield futures[future], future.result()
    finally:
        pool.shutdown(wait=False, cancel_futures=True)


def on_cluster(chunks, client):
    """Chunks as tasks of a Dask cluster, yielded as they finish. A worker lost mid-chunk has
    its chunk run again on another (the scheduler's own rule); retries covers a chunk that
    raised."""
    from distributed import as_completed
    futures = client.map(run_chunk, chunks, pure=False, retries=2)
    index = {future.key: i for i, future in enumerate(futures)}
    try:
        for future in as_completed(futures):
            yield index[future.key], future.result()
    finally:
        client.cancel(futures)


def cluster_threads(client):
    return sum(w.get("nthreads", 1) for w in client.scheduler_info()["workers"].values()) or 1
