#!/usr/bin/env bash
# Splimera against the qpdf command line on the same work, as users run both:
# the whole program (build/splimera), timed in alternating runs, the median of
# RUNS (default 5) runs each. Prints per case the medians, the time ratio
# (ours / qpdf; below 1 means faster), the ratio of output sizes and of peak
# memory. CASES="split-job merge-qm ..." picks cases; all run by default.
# ONE_CORE=1 keeps Splimera on one processor core (taskset), to see what its
# second thread gives on the same machine at the same time.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_bench splimera structured_input
runs=${RUNS:-5}
program=$bench_root/build/splimera
[[ -z ${ONE_CORE:-} ]] || program="taskset -c 0 $program"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_text_pdf 1000 "$corpus/text-1000.pdf"
make_text_pdf 200 "$corpus/text-200.pdf"
make_text_pdf 50 "$corpus/text-50.pdf"
[[ -f $corpus/text-50-objstm.pdf ]] ||
  qpdf --object-streams=generate "$corpus/text-50.pdf" "$corpus/text-50-objstm.pdf"
# Bookmarks, links and a form on every page (bench/structured_input.cpp).
[[ -f $corpus/structured-50.pdf ]] ||
  "$bench_root/build/structured_input" "$corpus/text-50.pdf" "$corpus/structured-50.pdf"

# The watermark: a 300 x 150 RGBA picture, half transparent, and the same
# picture on a blank page for qpdf's --overlay (made by Splimera itself).
make_mark_png "$work/mark.png"
gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -o "$work/blank.pdf" -c showpage >/dev/null
mkdir -p "$work/overlay"
"$bench_root/build/splimera" split "$work/blank.pdf" --to "$work/overlay" --watermark "$work/mark.png" --at 50,50 >/dev/null
overlay=$(ls "$work"/overlay/*.pdf)

# Settings folders: none stored, and a stored password and watermark.
mkdir -p "$work/plain" "$work/protected/Brellow"
printf '[General]\noutputPdfPassword=s3cret\nwatermarkPath=%s\nwatermarkX=50\nwatermarkY=50\n' "$work/mark.png" \
  >"$work/protected/Brellow/Splimera.conf"

# Runs a command line in a fresh folder $work/run (its outputs' home), with
# the files of $INPUTS copied there first as in1.pdf, in2.pdf, ..., and
# prints "<seconds> <peak KiB> <output bytes>".
run_once() {
  local config=$1 command=$2
  rm -rf "$work/run"; mkdir -p "$work/run"
  local i=1
  for source in $INPUTS; do cp "$source" "$work/run/in$i.pdf"; i=$((i + 1)); done
  local log; log=$(mktemp)
  # The wall time in milliseconds (time's own is in hundredths of a second).
  local start=$EPOCHREALTIME
  (cd "$work/run" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work/$config" \
     /usr/bin/time -f '%M' -o "$log" sh -c "$command" >/dev/null 2>&1) ||
    { echo "failed: $command" >&2; cat "$log" >&2; exit 1; }
  local end=$EPOCHREALTIME
  local bytes
  bytes=$(find "$work/run" -name '*.pdf' -not -regex '.*/in[0-9]+\.pdf' -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(cat "$log") $bytes"
  rm -f "$log"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME CONFIG "OURS COMMAND" "QPDF COMMAND": both run RUNS times in
# turns over the files of $INPUTS.
compare() {
  local name=$1 config=$2 ours=$3 peer=$4
  [[ -z ${CASES:-} || " $CASES " == *" $name "* ]] || return 0
  local ours_t=() peer_t=() ours_m=() peer_m=() ours_b peer_b
  for ((r = 0; r < runs; r++)); do
    read -r t m b < <(run_once "$config" "$ours")
    ours_t+=("$t"); ours_m+=("$m"); ours_b=$b
    read -r t m b < <(run_once plain "$peer")
    peer_t+=("$t"); peer_m+=("$m"); peer_b=$b
  done
  local ot pt om pm
  ot=$(printf '%s\n' "${ours_t[@]}" | median); pt=$(printf '%s\n' "${peer_t[@]}" | median)
  om=$(printf '%s\n' "${ours_m[@]}" | median); pm=$(printf '%s\n' "${peer_m[@]}" | median)
  printf '%-26s %8s %8s %7s %11s %11s %7s %9s %9s %7s\n' "$name" "$ot" "$pt" "$(ratio "$ot" "$pt")" \
    "$ours_b" "$peer_b" "$(ratio "$ours_b" "$peer_b")" "$om" "$pm" "$(ratio "$om" "$pm")"
}

printf '%-26s %8s %8s %7s %11s %11s %7s %9s %9s %7s\n' case "ours s" "qpdf s" "time x" "ours B" "qpdf B" "size x" \
  "ours KiB" "qpdf KiB" "mem x"

INPUTS=$corpus/text-1000.pdf
compare split-job plain "$program split in1.pdf --no-protection" "qpdf --split-pages=1 in1.pdf part-%d.pdf"
compare split-qs plain "$program -qs in1.pdf" "qpdf --split-pages=1 in1.pdf part-%d.pdf"
compare split-qs-protected protected "$program -qs in1.pdf" \
  "qpdf in1.pdf --overlay $overlay --repeat=1 -- --encrypt s3cret s3cret 256 -- --split-pages=1 part-%d.pdf"
compare split-job-10 plain "$program split in1.pdf --pages 10 --no-protection" "qpdf --split-pages=10 in1.pdf part-%d.pdf"

INPUTS="$corpus/text-1000.pdf $corpus/text-200.pdf"
compare merge-qm-1000+200 plain "$program -qm in1.pdf in2.pdf -o out.pdf" "qpdf --empty --pages in1.pdf in2.pdf -- out.pdf"

twenty() { local list=""; for ((i = 0; i < 20; i++)); do list+=" $1"; done; echo "$list"; }
numbered() { local list=""; for ((i = 1; i <= 20; i++)); do list+=" in$i.pdf"; done; echo "$list"; }
INPUTS=$(twenty "$corpus/text-50.pdf")
compare merge-job-20x50 plain "$program merge $(numbered) -o out.pdf --no-protection" \
  "qpdf --empty --pages $(numbered) -- out.pdf"
INPUTS=$(twenty "$corpus/text-50-objstm.pdf")
compare merge-job-20x50-objstm plain "$program merge $(numbered) -o out.pdf --no-protection" \
  "qpdf --empty --pages $(numbered) -- out.pdf"
# qpdf leaves the bookmarks and named destinations out, so its output is smaller.
INPUTS=$(twenty "$corpus/structured-50.pdf")
compare merge-job-20x50-structured plain "$program merge $(numbered) -o out.pdf --no-protection" \
  "qpdf --empty --pages $(numbered) -- out.pdf"

# A scan: 100 full-page JPEG pictures, one image object a page (95 MB).
make_scan_pdf 100 "$corpus/scan-100.pdf"
INPUTS=$corpus/scan-100.pdf
compare split-scan-100 plain "$program split in1.pdf --no-protection" "qpdf --split-pages=1 in1.pdf part-%d.pdf"
INPUTS="$corpus/scan-100.pdf $corpus/scan-100.pdf"
compare merge-scan-100x2 plain "$program merge in1.pdf in2.pdf -o out.pdf --no-protection" \
  "qpdf --empty --pages in1.pdf in2.pdf -- out.pdf"

# A mix into one file, a page of each in turns, against the merge of the same
# pages: each input's shared font is stored once either way.
INPUTS="$corpus/text-200.pdf $corpus/text-200.pdf"
compare mix-single-file-200x2 plain \
  "$program mix in1.pdf in2.pdf --first group:1 --second group:1 --single-file --no-protection" \
  "qpdf --empty --pages in1.pdf in2.pdf -- out.pdf"

# A page whose annotation reaches its last entry through 40,000 objects.
INPUTS=$bench_root/tests/fuzz/corpus/pdf_jobs/reference_chain.pdf
compare split-reference-chain plain "$program split in1.pdf --no-protection" "qpdf --split-pages=1 in1.pdf part-%d.pdf"
