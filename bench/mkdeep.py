#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Build a chain of nested folders far deeper than a path may be long, made
relative to descriptors:

  mkdeep.py DEST --depth 10000 [--width 3] [--links 3000]

--width gives every level that many folders, the chain going on in the
first (a comb); --links puts that many files in the deepest folder, each
with a second name at the top.
"""
import argparse, os

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--depth", type=int, required=True)
    ap.add_argument("--width", type=int, default=1)
    ap.add_argument("--links", type=int, default=0)
    a = ap.parse_args()
    os.makedirs(a.dest)
    top = os.open(a.dest, os.O_RDONLY | os.O_DIRECTORY)
    fd = os.dup(top)
    for _ in range(a.depth):
        for side in range(1, a.width):
            os.mkdir("s%d" % side, dir_fd=fd)
        os.mkdir("d", dir_fd=fd)
        below = os.open("d", os.O_RDONLY | os.O_DIRECTORY, dir_fd=fd)
        os.close(fd)
        fd = below
    for n in range(a.links):
        f = os.open("f%d" % n, os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd)
        os.write(f, b"x" * 100)
        os.close(f)
        os.link("f%d" % n, "g%d" % n, src_dir_fd=fd, dst_dir_fd=top)
    print("folders %d" % (a.depth * a.width + 1))

if __name__ == "__main__":
    main()
