#!/usr/bin/env python3
"""Builds a reproducible synthetic tree for the benchmarks.

    make_tree.py ROOT ENTRIES [--seed N] [--matching SHARE]

Creates ROOT (which must not exist yet) holding exactly ENTRIES files and folders below it:
top-level subtrees 3 to 6 folders deep, 8 to 30 files per folder, about one entry in five a
file ending in ".tif" (or SHARE of the files matching "tif": 0.4 for a tree full of scans), some names with blanks, &, %, parentheses and umlauts, some names
differing from a neighbour only in letter case, and some folders whose names end in ".tif".
No hidden names and no links, so find, fd and the program list the same entries. The same
ENTRIES and seed give the same tree, byte for byte.
"""

import argparse
import os
import random
import sys

# Name patterns; {n} is a number unique within the folder. Files that match ".tif" are one
# entry in five of the whole tree; the rest spread over look-alikes that must not match.
MATCHING_FILES = [
    "IMG_{n:05d}.tif",
    "scan {n}.tif",
    "Grüße & Co {n}.tif",
    "100% fertig {n}.tif",
    "(Kopie) {n}.tif",
    "a;b=c {n}.tif",
]
OTHER_FILES = [
    "IMG_{n:05d}.jpg",
    "IMG_{n:05d}.TIF",
    "notiz {n}.txt",
    "plan {n}.tar.gz",
    "README{n}",
    "Übersicht {n}.pdf",
    "tif{n}",
    "x.tif.{n}",
    "Bericht {n}.final.tif",
]
FOLDERS = [
    "dir{n}",
    "Ordner {n}",
    "2024 März {n}",
    "R&D {n}",
    "old{n}.tif",
    "DIR{n}",
]


def touch(path):
    os.close(os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("entries", type=int)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--matching", type=float, default=0.11,
                        help="share of the files drawn from the matching patterns")
    args = parser.parse_args()

    if os.path.exists(args.root):
        sys.exit(f"{args.root} exists already; remove it or pick another folder")
    os.makedirs(args.root)
    rng = random.Random(args.seed)
    budget = args.entries
    created = 0

    def take():
        nonlocal created
        if created >= budget:
            return False
        created += 1
        return True

    def fill(folder, depth, max_depth):
        files = rng.randint(8, 30)
        for n in range(files):
            if not take():
                return
            # One entry in five overall is a matching file; folders are about one in twelve,
            # and look-alikes such as "x.tif.1" match too.
            pattern = (rng.choice(MATCHING_FILES) if rng.random() < args.matching
                       else rng.choice(OTHER_FILES))
            name = pattern.format(n=n)
            touch(os.path.join(folder, name))
            # Now and then a neighbour whose name differs only in letter case.
            if rng.random() < 0.03 and name.lower() != name and take():
                touch(os.path.join(folder, name.lower()))
        if depth >= max_depth:
            return
        for n in range(rng.randint(2, 4)):
            if not take():
                return
            name = rng.choice(FOLDERS).format(n=n)
            path = os.path.join(folder, name)
            os.mkdir(path)
            fill(path, depth + 1, max_depth)

    top = 0
    while created < budget:
        if not take():
            break
        path = os.path.join(args.root, f"Teil {top:04d}")
        os.mkdir(path)
        fill(path, 1, rng.randint(3, 6))
        top += 1
    print(f"{args.root}: {created} entries")


if __name__ == "__main__":
    main()
