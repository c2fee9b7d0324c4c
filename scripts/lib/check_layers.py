#!/usr/bin/env python3
"""Checks the folder-level include graph of src/ against the layer order of the program.

Every quoted include names a header by its path under src/, so "scan/scan_common.h" included from a file in
src/log is an edge log -> scan. A folder may include only folders below its own layer; a folder missing
from the order, an edge sideways or upwards, and any cycle fail the check. --list prints every edge with
the number of includes that make it.
"""
import argparse
import collections
import pathlib
import re
import sys

# Bottom first. Folders on one line form one layer and must not include each other.
LAYERS = [
    "platform",
    "base",
    "platform/sqlite",
    "platform/std platform/win32",
    "ui",
    "program",
    "codec",
    "lists",
    "scan",
    "log",
    "remedy",
    "settings",
    "startup",
    "session",
    "app/console app/gui",
    "app/gui/journey",
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def Rank():
    return {folder: level for level, line in enumerate(LAYERS) for folder in line.split()}


def Edges(src):
    """Maps (from, to) folder pairs to the places that include across them."""
    edges = collections.defaultdict(list)
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        here = path.parent.relative_to(src).as_posix()
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            there = pathlib.PurePosixPath(target).parent.as_posix()
            if there == ".":
                there = here
            if there != here:
                edges[(here, there)].append(f"{path.relative_to(src.parent).as_posix()}:{number}: {target}")
    return edges


def Cycles(edges):
    """The strongly connected components of more than one folder (Tarjan's algorithm)."""
    graph = collections.defaultdict(set)
    for here, there in edges:
        graph[here].add(there)
    index, low, stack, onStack, found = {}, {}, [], set(), []

    def Visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        onStack.add(node)
        for next in sorted(graph[node]):
            if next not in index:
                Visit(next)
                low[node] = min(low[node], low[next])
            elif next in onStack:
                low[node] = min(low[node], index[next])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                onStack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            Visit(node)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--src", default=str(pathlib.Path(__file__).resolve().parents[2] / "src"))
    parser.add_argument("--list", action="store_true", help="print every folder-level edge")
    args = parser.parse_args()
    src = pathlib.Path(args.src)
    edges = Edges(src)
    rank = Rank()

    if args.list:
        for (here, there), places in sorted(edges.items()):
            print(f"{here} -> {there} ({len(places)})")

    failures = []
    folders = {folder for edge in edges for folder in edge}
    folders |= {p.relative_to(src).as_posix() for p in src.rglob("*") if p.is_dir() and any(p.glob("*.[ch]*"))}
    for folder in sorted(folders - rank.keys()):
        failures.append(f"{folder}: not in the layer order of {pathlib.Path(__file__).name}")
    for (here, there), places in sorted(edges.items()):
        if here in rank and there in rank and rank[there] >= rank[here]:
            failures.append(f"{here} -> {there} goes against the layer order:\n  " + "\n  ".join(places))
    for component in Cycles(edges):
        failures.append("include cycle between " + ", ".join(component))

    for failure in failures:
        print(f"check_layers: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
