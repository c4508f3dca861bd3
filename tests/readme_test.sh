#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README tells every option and the folder table's columns; its
# examples of scans from cron and of the morning's look at
# what grew, run as written over a week of a clock the test sets
# (faketime): the folders they name are trees of the test's own, ~ its
# home, and the commands run in the order a week of cron runs them.
#   readme_test.sh SPACELENS README
set -euo pipefail
program=$1
readme=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$work/root/home/alice"
export TZ=UTC LC_ALL=C.UTF-8

fail() {
  echo "$*" >&2
  exit 1
}

# The examples: a cron line's command, or the command of a line alone.
example() {
  local line
  line=$(grep -E "^    (([0-9*]+ +){5})?spacelens --nogui .*$1" "$readme" | head -n 1) ||
    fail "the README has no example with $1"
  sed -E 's/^ +(([0-9*]+ +){5})?//' <<<"$line"
}
# Every option --help shows is in the option table or the usage lines,
# and the folder table's columns are those an export writes.
for option in $("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  grep -qE -- "^(\| \`|    spacelens ).*$option([^a-z-]|\$)" "$readme" || fail "the README does not tell $option"
done
mkdir "$work/empty"
columns=$("$program" --nogui --no-history --export - "$work/empty" | head -n 1)
grep -qxF "    $columns" "$readme" || fail "the README does not show the columns $columns"

weekly_report=$(example '--report ~/disk-report.pdf')
nightly=$(example '--quiet /home$')
morning=$(example '--compare last /home$')
what_grew=$(example '--compare 7d')

# Runs an example at a moment of the week; its standard output in $work/out.
run() {
  local when=$1 word
  local -a words command=()
  read -ra words <<<"$2"
  for word in "${words[@]}"; do
    case $word in
      spacelens) command+=("$program") ;;
      /) command+=("$work/root") ;;
      /home) command+=("$work/root/home") ;;
      '~/'*) command+=("$HOME/${word#\~/}") ;;
      *) command+=("$word") ;;
    esac
  done
  faketime "$when" "${command[@]}" >"$work/out" 2>"$work/err" || fail "at $when, $2 failed: $(cat "$work/err")"
}
grow() {
  head -c $(($2 * 1048576)) /dev/zero >"$work/root/home/alice/$1"
}

grow photos 3
run '2026-01-05 03:00:00' "$nightly"
run '2026-01-05 07:00:00' "$weekly_report"
[ -s "$HOME/disk-report.pdf" ] || fail "no disk report"
# The first Monday: no scan is a week old yet; the report is of the night.
run '2026-01-05 07:30:00' "$what_grew"
[ -s "$HOME/what-grew.pdf" ] || fail "no report of what grew in the first week"
rm "$HOME/what-grew.pdf"

grow mail 2
run '2026-01-06 03:00:00' "$nightly"
grow music 1
# However often the morning's look runs, it is of the night's scan.
for when in '2026-01-06 09:00:00' '2026-01-06 09:30:00' '2026-01-06 11:00:00'; do
  run "$when" "$morning"
  head -n 1 "$work/out" | grep -q 'since Tue 06 Jan 2026 03:00 (0 days): +1.0 MB' ||
    fail "at $when the morning's look says: $(head -n 1 "$work/out")"
  grep -qE '^ +\+1\.0 MB .*/alice/$' "$work/out" || fail "at $when alice did not grow by 1 MB: $(cat "$work/out")"
done

# A week after the first night: what grew since then.
grow videos 4
run '2026-01-12 03:00:00' "$nightly"
run '2026-01-12 07:30:00' "$what_grew"
[ -s "$HOME/what-grew.pdf" ] || fail "no report of what grew in the week"
if command -v pdftotext >/dev/null; then
  pdftotext -layout "$HOME/what-grew.pdf" - | grep -qE 'alice +.*\+7\.0 MB' ||
    fail "the week's report: $(pdftotext -layout "$HOME/what-grew.pdf" -)"
fi
exit 0
