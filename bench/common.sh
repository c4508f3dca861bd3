# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the benchmark scripts: where things are, the benchmark trees
# (each built when missing) and a fresh build of Spacelens.
#   bench_tree SHAPE   prints the folder of a tree, building it first:
#     1m       1,000,000 files in 59,000 folders, the usual shape
#     5m       5,000,000 files of the usual shape
#     folders  410,000 folders (100 x 100 x 40) of two small files each
#     wide     one folder of 100,000 empty folders
#     deep10k  a chain of 10,000 nested folders; deep30k of 30,000
#     deeplinks the 10,000 chain with 3,000 files at the bottom, a second
#              name of each at the top
#     comb     10,000 levels of 3 folders each, the chain going on in one
# SHAPES picks the shapes a script runs on ("1m folders 5m" by default);
# SPACELENS_BENCH_TREE, when set, is the one tree to run on instead.
here="$(cd "$(dirname "$0")" && pwd)"
top="$(dirname "$here")"
shared="${SPACELENS_SHARED:-$top/../shared}"
shapes="${SHAPES:-1m folders 5m}"

bench_tree() {
  local dir="/tmp/spacelens-bench-$1"
  if [ ! -d "$dir" ]; then
    echo "Building the benchmark tree in $dir ..." >&2
    case "$1" in
      1m) python3 "$shared/bench/mktree.py" "$dir.part" --files 1000000 --seed 1 >&2 ;;
      5m) python3 "$shared/bench/mktree.py" "$dir.part" --files 5000000 --seed 1 >&2 ;;
      folders) python3 "$shared/bench/mktree.py" "$dir.part" --shape folders >&2 ;;
      wide) python3 "$here/mkwide.py" "$dir.part" >&2 ;;
      deep10k) python3 "$here/mkdeep.py" "$dir.part" --depth 10000 >&2 ;;
      deep30k) python3 "$here/mkdeep.py" "$dir.part" --depth 30000 >&2 ;;
      deeplinks) python3 "$here/mkdeep.py" "$dir.part" --depth 10000 --links 3000 >&2 ;;
      comb) python3 "$here/mkdeep.py" "$dir.part" --depth 10000 --width 3 >&2 ;;
      *) echo "unknown tree shape: $1" >&2; return 2 ;;
    esac
    mv "$dir.part" "$dir"
  fi
  echo "$dir"
}

bench_trees() {
  if [ -n "${SPACELENS_BENCH_TREE:-}" ]; then
    echo "$SPACELENS_BENCH_TREE"
    return
  fi
  local shape
  for shape in $shapes; do bench_tree "$shape"; done
}

"$top/build.sh" >/dev/null

# measure NAME COMMAND...: the best wall time and the largest peak memory of
# $runs runs (warm: after one more run that fills the caches), into the
# arrays seconds and megabytes; the caller sets runs, cold and work.
declare -A seconds megabytes
order=()
measure() {
  local name="$1"; shift
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "($name: $1 is not installed)" >&2
    return
  fi
  [ -n "$cold" ] || "$@" >/dev/null 2>&1 || true
  local best="" peak=0 line t m
  for _ in $(seq "$runs"); do
    if [ -n "$cold" ]; then sync; echo 3 >/proc/sys/vm/drop_caches; fi
    /usr/bin/time -o "$work/time" -f '%e %M' "$@" >/dev/null 2>&1 || true
    line=$(tail -n 1 "$work/time")
    t=${line% *}; m=${line#* }
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    [ "$m" -gt "$peak" ] && peak=$m
  done
  seconds[$name]=$best
  megabytes[$name]=$(awk "BEGIN{printf \"%.1f\", $peak/1024}")
  order+=("$name")
}
