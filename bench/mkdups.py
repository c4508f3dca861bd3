#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Build a tree to time the search for copies: files of real (random) data,
not sparse or zero-filled ones, which would all be equal. 20,000 files of
1 KB to 50 MB (most small, a long tail), about a tenth of them copies of
others in other folders, and some of equal size but other content; a few GB.

  mkdups.py DEST [--files 20000] [--seed 1]
"""
import argparse, os, random

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--files", type=int, default=20000)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    folders = [os.path.join(a.dest, "d%02d" % i, "e%02d" % j) for i in range(20) for j in range(10)]
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
    made, total = [], 0
    originals = a.files * 9 // 10
    for n in range(originals):
        size = min(50 << 20, max(1024, int(rng.lognormvariate(10.5, 2.0))))
        # A few of the same size as one before, of other content.
        if made and rng.random() < 0.02:
            size = os.path.getsize(rng.choice(made))
        path = os.path.join(rng.choice(folders), "f%06d.bin" % n)
        with open(path, "wb") as f:
            f.write(rng.randbytes(size))
        made.append(path)
        total += size
    for n in range(a.files - originals):
        source = rng.choice(made)
        path = os.path.join(rng.choice(folders), "copy%06d.bin" % n)
        with open(source, "rb") as f, open(path, "wb") as g:
            data = f.read()
            g.write(data)
        total += len(data)
    print("files %d bytes %d" % (a.files, total))

main()
