# Sourced by the benchmark scripts: where things are, the 1M-file tree
# (built when missing; SPACELENS_BENCH_TREE picks its folder) and a fresh
# build of Spacelens.
here="$(cd "$(dirname "$0")" && pwd)"
top="$(dirname "$here")"
shared="${SPACELENS_SHARED:-$top/../shared}"
tree="${SPACELENS_BENCH_TREE:-/tmp/spacelens-bench-1m}"
if [ ! -d "$tree" ]; then
  echo "Building the benchmark tree in $tree ..." >&2
  python3 "$shared/bench/mktree.py" "$tree" --files 1000000 --seed 1 >&2
fi
"$top/build.sh" >/dev/null
