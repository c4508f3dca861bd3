#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Build a folder holding one very wide folder: 100,000 empty sub-folders
(and a few files), to time expanding it in the window.

  mkwide.py DEST [--folders 100000]
"""
import argparse, os

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--folders", type=int, default=100000)
    a = ap.parse_args()
    wide = os.path.join(a.dest, "wide")
    os.makedirs(wide, exist_ok=True)
    for i in range(a.folders):
        os.makedirs(os.path.join(wide, "f%06d" % i), exist_ok=True)
    for i in range(10):
        with open(os.path.join(a.dest, "file%d.txt" % i), "w") as f:
            f.write("x" * (i * 1000))
    print("folders %d" % (a.folders + 1))

if __name__ == "__main__":
    main()
