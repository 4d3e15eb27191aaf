#!/usr/bin/env bash
# Times the merge of two documents that share one embedded font against
# qpdf on the same files: time ratio, output-size ratio and peak memory.
source "$(dirname "$0")/common.sh"
need_tools
build_bench merge_bench
pages=${PAGES:-500}
make_text_pdf "$pages" "$corpus/text-$pages-a.pdf"
cp -n "$corpus/text-$pages-a.pdf" "$corpus/text-$pages-b.pdf"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

read -r ours_s ours_kb < <(measure "$bench_root/build/merge_bench" "$corpus/text-$pages-a.pdf" "$corpus/text-$pages-b.pdf" "$out/ours.pdf")
read -r qpdf_s qpdf_kb < <(measure qpdf --empty --pages "$corpus/text-$pages-a.pdf" "$corpus/text-$pages-b.pdf" -- "$out/qpdf.pdf")
ours_size=$(size_of "$out/ours.pdf"); qpdf_size=$(size_of "$out/qpdf.pdf"); in_size=$(size_of "$corpus/text-$pages-a.pdf")
echo "merge of 2 x $pages pages (one input: $in_size bytes)"
printf '  splimera: %ss, %s KiB peak, %s bytes\n' "$ours_s" "$ours_kb" "$ours_size"
printf '  qpdf:     %ss, %s KiB peak, %s bytes\n' "$qpdf_s" "$qpdf_kb" "$qpdf_size"
echo "  time ratio (splimera/qpdf): $(ratio "$ours_s" "$qpdf_s")   size ratio: $(ratio "$ours_size" "$qpdf_size")   memory ratio: $(ratio "$ours_kb" "$qpdf_kb")"
