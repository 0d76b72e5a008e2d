"""A study's progress on the terminal: runs done, runs a second and the time left."""

import sys
import time


def _clock(seconds):
    seconds = int(round(seconds))
    return f"{seconds // 3600}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"


class TerminalProgress:
    """Called with (runs done, runs in all) after each chunk; rewrites one line of stream."""

    def __init__(self, stream=None):
        self.stream = stream or sys.stderr
        self.start = time.monotonic()

    def __call__(self, done, total):
        elapsed = max(time.monotonic() - self.start, 1e-9)
        rate = done / elapsed
        left = (total - done) / rate if rate > 0 else 0.0
        self.stream.write(f"\r{done}/{total} runs  {rate:.0f} runs/s  {_clock(left)} left ")
        if done == total:
            self.stream.write("\n")
        self.stream.flush()

    def stopped(self, done, total):
        self.stream.write(f"\nStopped: {done} of {total} runs finished\n")
        self.stream.flush()
