"""keldar-study STUDY.toml: runs the study a study file describes and writes its table as CSV
and, when asked, its plots.

Exit status: 0 every run gave results; 1 a run failed, was refused or was not run (Ctrl+C);
2 a usage error or a study file that is refused (its line and key named)."""

import argparse
import os
import sys

from .. import __version__
from . import LIMIT
from .progress import TerminalProgress
from .runner import OK
from .studyfile import StudyFileError, read


def _arguments():
    parser = argparse.ArgumentParser(
        prog="keldar-study",
        description="Runs a parametric, Monte Carlo or batch study of KELDAR pile projects.",
        epilog="Exit status: 0 every run gave results, 1 a run failed or was not run, 2 usage "
               "error or a refused study file.")
    parser.add_argument("study", metavar="STUDY.toml", help="the study file")
    parser.add_argument("--out", metavar="CSV",
                        help="the results table (default: STUDY.csv beside the study file)")
    parser.add_argument("--plots", metavar="DIR", help="write the plots (PNG and SVG) into DIR")
    parser.add_argument("--scheduler", metavar="tcp://HOST:8786",
                        help="run on the Dask cluster of this scheduler")
    parser.add_argument("--workers", metavar="N", type=int,
                        help="worker processes on this machine (default: one per core)")
    parser.add_argument("--yes", action="store_true",
                        help=f"run a study of more than {LIMIT} runs")
    parser.add_argument("--quiet", action="store_true", help="no progress line")
    parser.add_argument("--version", action="version",
                        version=f"keldar-study (KELDAR) {__version__}")
    return parser


def _same_file(a, b):
    if os.path.exists(a) and os.path.exists(b):
        return os.path.samefile(a, b)
    return os.path.realpath(a) == os.path.realpath(b)


def main(argv=None):
    parser = _arguments()
    args = parser.parse_args(argv)
    if args.workers is not None and args.workers < 1:
        parser.error("--workers takes 1 or more")
    if args.scheduler and args.workers:
        parser.error("--workers is for this machine; a cluster's workers are its own")
    out = args.out or os.path.splitext(args.study)[0] + ".csv"
    if os.path.abspath(out) == os.path.abspath(args.study):
        parser.error("--out may not be the study file")
    # Checked before the runs, which may take hours, not after them.
    folder = os.path.dirname(os.path.abspath(out))
    if not os.path.isdir(folder) or not os.access(folder, os.W_OK):
        parser.error(f"--out: cannot write into {folder}")
    if os.path.isdir(out):
        parser.error(f"--out names a folder, not a file: {out}")
    if not out.lower().endswith(".csv"):
        parser.error(f"--out names the results table, a .csv file, not {out}")
    try:
        study = read(args.study, None if args.yes else LIMIT)
    except StudyFileError as e:
        print(f"keldar-study: {e}", file=sys.stderr)
        return 2
    # A CSV cone record or a data file the study reads is never replaced by its table.
    if any(_same_file(out, path) for path in study.input_files):
        print(f"keldar-study: --out {out} is a file the study reads; nothing was run",
              file=sys.stderr)
        return 2
    progress = False if args.quiet else TerminalProgress()
    try:
        table = study.run(workers=args.workers, client=args.scheduler, progress=progress)
    except (ImportError, OSError) as e:
        # No Dask, or no scheduler at that address: nothing was run.
        print(f"keldar-study: {args.scheduler}: {e}", file=sys.stderr)
        return 2
    try:
        table.to_csv(out)
    except OSError as e:
        print(f"keldar-study: {out}: {e.strerror or e}", file=sys.stderr)
        return 1
    counts = table["status"].value_counts()
    print(f"{len(table)} runs: " + ", ".join(f"{n} {status}" for status, n in counts.items())
          + f"; wrote {out}")
    if args.plots:
        for path in study.plot(table, args.plots):
            print(f"wrote {path}")
    return 0 if (table["status"] == OK).all() else 1


if __name__ == "__main__":
    sys.exit(main())
