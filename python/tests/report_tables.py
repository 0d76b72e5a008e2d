"""Reads the numbers of a KELDAR report (.kd3o) back, with the precision each was printed to."""

import re

_NUMBER = re.compile(r"-?\d*\.\d+E[+-]\d\d|-?\d+\.\d+")


class Printed:
    """A number as the report printed it: its value and half a unit of its last digit."""

    def __init__(self, text):
        self.text = text
        self.value = float(text)
        mantissa = text.split("E")[0]
        decimals = len(mantissa.split(".")[1])
        exponent = int(text.split("E")[1]) if "E" in text else 0
        self.half_unit = 0.5 * 10.0 ** (exponent - decimals)

    def agrees(self, value):
        return abs(value - self.value) <= self.half_unit * 1.001 + 1e-30


def numbers(line):
    return [Printed(t) for t in _NUMBER.findall(line)]


def result_tables(report_text):
    """The load-settlement table and the load-controlled table (None when absent); a row
    without convergence is (load, None)."""
    lines = report_text.splitlines()
    tables = []
    for i, line in enumerate(lines):
        if "TOP  LOAD     TOP MOVEMENT" not in line:
            continue
        rows = []
        for row in lines[i + 2:]:
            found = numbers(row)
            if "NOT ABLE TO GET CONVERGENCE" in row and len(found) == 1:
                rows.append((found[0], None))
            elif len(found) == 4:
                rows.append(tuple(found))
            else:
                break
        tables.append(rows)
    return tables[0], (tables[1] if len(tables) > 1 else None)


def case_blocks(report_text):
    """Per tip-movement case: node rows (depth, load, movement) and middle rows (depth,
    transfer, load taken, average load, shortening, average movement), from the tip up."""
    lines = report_text.splitlines()
    blocks = []
    for i, line in enumerate(lines):
        if not line.startswith(" DEPTH     LOAD"):
            continue
        nodes, middles = [], []
        for row in lines[i + 3:]:
            found = numbers(row)
            if len(found) == 3:
                nodes.append(found)
            elif len(found) == 6:
                middles.append(found)
            else:
                break
        blocks.append((nodes, middles))
    return blocks
