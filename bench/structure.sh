#!/usr/bin/env bash
# A merge of 20 inputs of 50 pages that carry bookmarks, links and forms,
# through the program (finishing and structure included) against
# `qpdf --empty --pages` on the same inputs: alternating runs, the median of
# RUNS (default 5) each; time, output size and peak memory ratios (ours / qpdf).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_program
runs=${RUNS:-5}
program=$bench_root/build/splimera
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_text_pdf 50 "$corpus/text-50.pdf"
[[ -f $corpus/structured-50.pdf ]] ||
  "$bench_root/build/structured_input" "$corpus/text-50.pdf" "$corpus/structured-50.pdf"
inputs=()
for ((i = 1; i <= 20; i++)); do
  cp "$corpus/structured-50.pdf" "$work/in$i.pdf"
  inputs+=("$work/in$i.pdf")
done

# Prints "<seconds> <peak KiB> <output bytes>" of one run writing $work/out.pdf.
run_once() {
  rm -f "$work/out.pdf"
  local log; log=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work/config" \
    /usr/bin/time -f '%e %M' -o "$log" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; cat "$log" >&2; exit 1; }
  echo "$(cat "$log") $(stat -c %s "$work/out.pdf")"
  rm -f "$log"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours_t=() peer_t=() ours_m=() peer_m=()
for ((r = 0; r < runs; r++)); do
  read -r t m ours_b < <(run_once "$program" merge "${inputs[@]}" -o "$work/out.pdf" --no-protection)
  ours_t+=("$t"); ours_m+=("$m")
  read -r t m peer_b < <(run_once qpdf --empty --pages "${inputs[@]}" -- "$work/out.pdf")
  peer_t+=("$t"); peer_m+=("$m")
done
ot=$(printf '%s\n' "${ours_t[@]}" | median); pt=$(printf '%s\n' "${peer_t[@]}" | median)
om=$(printf '%s\n' "${ours_m[@]}" | median); pm=$(printf '%s\n' "${peer_m[@]}" | median)
echo "merge of 20 structured inputs of 50 pages (bookmarks, links, forms), median of $runs alternating runs"
printf '%-10s %8s %11s %9s\n' "" seconds bytes "peak KiB"
printf '%-10s %8s %11s %9s\n' splimera "$ot" "$ours_b" "$om"
printf '%-10s %8s %11s %9s\n' qpdf "$pt" "$peer_b" "$pm"
echo "ratios (splimera / qpdf): time $(ratio "$ot" "$pt"), size $(ratio "$ours_b" "$peer_b"), memory $(ratio "$om" "$pm")"
