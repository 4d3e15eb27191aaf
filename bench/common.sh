#!/usr/bin/env bash
# Shared pieces of the benchmarks: tools, the built program and a corpus.
set -euo pipefail
bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
corpus=${CORPUS:-$bench_root/build/bench-corpus}
mkdir -p "$corpus"

need_tools() {
  "$bench_root/scripts/install-packages.sh" qpdf ghostscript time
}

# Builds the named bench programs in build/.
build_bench() {
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  "$bench_root/scripts/setup.sh" "${targets[@]}" "$bench_root/build" >/dev/null
}

# A PDF of N pages of text set in one embedded TrueType font (Ghostscript
# embeds a subset of a system font once and shares it across the pages).
make_text_pdf() {
  local pages=$1 out=$2
  [[ -f $out ]] && return
  local ps
  ps=$(mktemp --suffix=.ps)
  {
    echo "%!PS"
    echo "/DejaVuSans findfont 11 scalefont setfont"
    for ((p = 1; p <= pages; p++)); do
      for ((l = 0; l < 40; l++)); do
        echo "50 $((760 - l * 17)) moveto (Page $p line $l: the quick brown fox jumps over the lazy dog 0123456789) show"
      done
      echo "showpage"
    done
  } >"$ps"
  gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -sFONTPATH=/usr/share/fonts/truetype/dejavu \
     -dEmbedAllFonts=true -sOutputFile="$out" "$ps" >/dev/null
  rm -f "$ps"
}

# Runs a command, prints "<seconds> <peak KiB>".
measure() {
  local log
  log=$(mktemp)
  /usr/bin/time -f '%e %M' -o "$log" "$@" >/dev/null 2>&1
  cat "$log"
  rm -f "$log"
}

# Keeps the shorter of two times in the variable named by $1.
keep_best() {
  local -n best=$1
  if [[ -z $best ]] || awk -v a="$2" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$2; fi
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }

size_of() { du -cb "$@" | tail -1 | cut -f1; }

# make_mark_png PATH: the watermark of the benchmarks, a 300 x 150 RGBA
# picture, half transparent, written with Python's standard library.
make_mark_png() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
w, h = 300, 150
rows = b"".join(b"\0" + b"".join(bytes((200, 30, 30, 255 if x < w // 2 else 0)) for x in range(w)) for _ in range(h))
chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY
}
