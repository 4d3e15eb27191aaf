#!/usr/bin/env bash
# Times the finishing of a 1,000-page output against qpdf rewriting the same
# file, plain and with AES-256 encryption: time ratios and size ratios.
source "$(dirname "$0")/common.sh"
need_tools
build_bench finish_bench
pages=${PAGES:-1000}
input=$corpus/text-$pages.pdf
make_text_pdf "$pages" "$input"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The watermark picture.
make_mark_png "$out/mark.png"

# Each figure is the processor time (user + system, in milliseconds) of the
# best of $rounds runs: a run takes about a tenth of a second, where wall time
# on a busy machine would swamp the ratios.
rounds=${ROUNDS:-7}
cpu_ms() {
  local TIMEFORMAT='%3U %3S' times
  times=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
  awk '{ printf "%d", ($1 + $2) * 1000 }' <<<"$times"
}
best_of() {
  local prepare=$1; shift
  local best="" ms
  for ((r = 0; r < rounds; r++)); do
    eval "$prepare"
    ms=$(cpu_ms "$@")
    if [[ -z $best ]] || ((ms < best)); then best=$ms; fi
  done
  echo "$best"
}

# Finishes a fresh copy of the input; prints "<ms> <bytes>".
finish() {
  local name=$1; shift
  echo "$(best_of "cp '$input' '$out/$name.pdf'" "$bench_root/build/finish_bench" "$out/$name.pdf" "$@") $(size_of "$out/$name.pdf")"
}
qpdf_run() {
  local name=$1; shift
  echo "$(best_of ":" qpdf "$@" "$input" "$out/$name.pdf") $(size_of "$out/$name.pdf")"
}

read -r plain_ms plain_size < <(finish plain)
read -r locked_ms locked_size < <(finish locked --password u)
read -r marked_ms marked_size < <(finish marked --password u --watermark "$out/mark.png" 36 36)
read -r qpdf_ms qpdf_size < <(qpdf_run qpdf)
read -r qenc_ms qenc_size < <(qpdf_run qpdf-enc --encrypt u u 256 --)

echo "finishing of a $pages-page output ($(size_of "$input") bytes), best of $rounds runs"
row() { printf '  %-34s %6s ms %10s bytes\n' "$@"; }
row "splimera, creator and dates" "$plain_ms" "$plain_size"
row "splimera, + password" "$locked_ms" "$locked_size"
row "splimera, + password + watermark" "$marked_ms" "$marked_size"
row "qpdf in.pdf out.pdf" "$qpdf_ms" "$qpdf_size"
row "qpdf --encrypt u u 256" "$qenc_ms" "$qenc_size"
echo "  creator and dates vs qpdf:          time $(ratio "$plain_ms" "$qpdf_ms")   size $(ratio "$plain_size" "$qpdf_size")"
echo "  + password vs qpdf --encrypt:       time $(ratio "$locked_ms" "$qenc_ms")   size $(ratio "$locked_size" "$qenc_size")"
echo "  + password + watermark vs --encrypt: time $(ratio "$marked_ms" "$qenc_ms")   size $(ratio "$marked_size" "$qenc_size")"
