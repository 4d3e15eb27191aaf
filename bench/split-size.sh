#!/usr/bin/env bash
# Times the split into files of at most 300 KB against the plain split of
# the same 1,000 pages into files of as many pages, both finished as the
# program finishes its outputs, and checks that no file of the first of more
# than one page is over the limit. Prints the times and their ratio (the cost
# of weighing the files while choosing their pages).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_bench size_bench

input=$corpus/text-1000.pdf
make_text_pdf 1000 "$input"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit=${LIMIT:-300K}
limit_bytes=$(( ${limit%K} * 1024 ))

# The pages per file the size split chose, from one run.
mkdir -p "$work/size"
"$bench_root/build/size_bench" "$input" "$work/size" size "$limit"
files=$(find "$work/size" -name '*.pdf' | wc -l)
per_file=$(( (1000 + files - 1) / files ))
largest=$(find "$work/size" -name '*.pdf' -printf '%s\n' | sort -n | tail -1)
# Only a single page larger than the limit may make a file over it.
for file in "$work"/size/*.pdf; do
  if (( $(stat -c %s "$file") > limit_bytes )) && [[ $(qpdf --show-npages "$file") != 1 ]]; then
    echo "$file is over the limit of $limit_bytes bytes with more than one page" >&2
    exit 1
  fi
done

# The machine may be shared: both splits run in turns, RUNS times each, into
# fresh folders, and the shortest time of each counts.
runs=${RUNS:-5}
size_s="" plain_s=""
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/size" "$work/plain"
  mkdir -p "$work/size" "$work/plain"
  read -r s _ < <(measure "$bench_root/build/size_bench" "$input" "$work/size" size "$limit")
  keep_best size_s "$s"
  read -r s _ < <(measure "$bench_root/build/size_bench" "$input" "$work/plain" pages "$per_file")
  keep_best plain_s "$s"
done
printf '%-34s %10s %10s %10s %14s\n' case "size s" "plain s" "time x" "largest bytes"
printf '%-34s %10s %10s %10s %14s\n' "1000 pages, $files files of <= $limit" "$size_s" "$plain_s" \
  "$(ratio "$size_s" "$plain_s")" "$largest"
