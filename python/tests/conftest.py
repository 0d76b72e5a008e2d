import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))


def pytest_configure(config):
    config.addinivalue_line("markers", "memory: the long in-process memory test")
    config.addinivalue_line("markers", "study: studies, with worker processes and a Dask cluster")
