#!/usr/bin/env bash
# Times the split job against qpdf on a 1,000-page text PDF: into 1,000
# one-page files and into files of 10 pages. Prints time and total output
# size of ours divided by qpdf's (below 1 means ours is faster or smaller).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_bench split_bench

input=$corpus/text-1000.pdf
make_text_pdf 1000 "$input"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The machine may be shared: both tools run in turns, RUNS times each, into
# fresh folders, and the shortest time of each counts. Creating the files
# takes most of the time in the one-page case.
runs=${RUNS:-5}

printf '%-22s %10s %10s %10s %12s %12s %10s\n' case "ours s" "qpdf s" "time x" "ours bytes" "qpdf bytes" "size x"
for n in 1 10; do
  ours_s="" qpdf_s=""
  for ((r = 0; r < runs; r++)); do
    rm -rf "$work/ours" "$work/qpdf"
    mkdir -p "$work/ours" "$work/qpdf"
    read -r s _ < <(measure "$bench_root/build/split_bench" "$input" "$work/ours" "$n")
    keep_best ours_s "$s"
    read -r s _ < <(measure qpdf "--split-pages=$n" "$input" "$work/qpdf/part_%d.pdf")
    keep_best qpdf_s "$s"
  done
  ours_files=$(find "$work/ours" -name '*.pdf' | wc -l)
  qpdf_files=$(find "$work/qpdf" -name '*.pdf' | wc -l)
  if [[ $ours_files != "$qpdf_files" ]]; then
    echo "file counts differ for $n pages per file: ours $ours_files, qpdf $qpdf_files" >&2
    exit 1
  fi
  ours_b=$(size_of "$work"/ours/*.pdf)
  qpdf_b=$(size_of "$work"/qpdf/*.pdf)
  printf '%-22s %10s %10s %10s %12s %12s %10s\n' "$ours_files files of $n" "$ours_s" "$qpdf_s" \
    "$(ratio "$ours_s" "$qpdf_s")" "$ours_b" "$qpdf_b" "$(ratio "$ours_b" "$qpdf_b")"
done
