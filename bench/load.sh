#!/usr/bin/env bash
# Load: a merge of 50 files (the merge list's limit) of 1,000 pages each, and
# a split of a 20,000-page document into single pages, each with its time and
# peak memory. The split's peak memory must not grow with the number of files
# written (one output document at a time): the same document is also split
# into fewer, larger files, and a 5,000-page one into single pages.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_bench merge_bench split_bench

page_text=$corpus/text-1000.pdf
make_text_pdf 1000 "$page_text"

# N pages made of copies of the 1,000-page document.
make_long_pdf() {
  local pages=$1 out=$2 copies=()
  [[ -f $out ]] && return
  for ((i = 0; i < pages / 1000; i++)); do copies+=("$page_text"); done
  qpdf --empty --pages "${copies[@]}" -- "$out"
}
make_long_pdf 5000 "$corpus/text-5000.pdf"
make_long_pdf 20000 "$corpus/text-20000.pdf"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%-40s %10s %12s %10s\n' case seconds "peak KiB" files
inputs=()
for ((i = 1; i <= 50; i++)); do
  cp "$page_text" "$work/in$i.pdf"
  inputs+=("$work/in$i.pdf")
done
read -r s kib < <(measure "$bench_root/build/merge_bench" "${inputs[@]}" "$work/merged.pdf")
pages=$(qpdf --show-npages "$work/merged.pdf")
printf '%-40s %10s %12s %10s\n' "merge 50 x 1,000 pages ($pages pages)" "$s" "$kib" 1
rm -f "${inputs[@]}" "$work/merged.pdf"

# The same 20,000 pages into 20,000, 5,000 and 1,000 files: the peak memory
# follows the input document, not the number of files written.
for run in "20000 1" "20000 4" "20000 20" "5000 1"; do
  read -r pages per_file <<<"$run"
  rm -rf "$work/split"
  mkdir -p "$work/split"
  read -r s kib < <(measure "$bench_root/build/split_bench" "$corpus/text-$pages.pdf" "$work/split" "$per_file")
  files=$(find "$work/split" -name '*.pdf' | wc -l)
  printf '%-40s %10s %12s %10s\n' "split $pages pages into files of $per_file" "$s" "$kib" "$files"
  if [[ $files != $((pages / per_file)) ]]; then
    echo "expected $((pages / per_file)) files, found $files" >&2
    exit 1
  fi
done
