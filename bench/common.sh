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

# make_scan_pdf PAGES OUT: a scan of PAGES A4 pages, each one full-page JPEG
# picture of noise (about 1 MB, 150 dpi) in an image object of its own, as a
# scanner writes them; Ghostscript draws two pictures that the pages take in
# turns.
make_scan_pdf() {
  local pages=$1 out=$2
  [[ -f $out ]] && return
  local dir
  dir=$(mktemp -d)
  for seed in 1 2; do
    printf '%%!PS\n%d srand /w 1240 def /h 1754 def /s w 3 mul string def 595 842 scale\n%s\nshowpage\n' "$seed" \
      'w h 8 [w 0 0 h neg 0 h] { 0 1 s length 1 sub { s exch rand -16 bitshift 255 and put } for s } false 3 colorimage' \
      >"$dir/noise.ps"
    gs -q -dNOPAUSE -dBATCH -sDEVICE=jpeg -dJPEGQ=55 -g1240x1754 -r150 -o "$dir/$seed.jpg" "$dir/noise.ps"
  done
  python3 - "$pages" "$out" "$dir/1.jpg" "$dir/2.jpg" <<'PY'
import sys
pages, out, pictures = int(sys.argv[1]), sys.argv[2], [open(p, "rb").read() for p in sys.argv[3:]]
objects = [b"<< /Type /Catalog /Pages 2 0 R >>", None]
kids = []
for p in range(pages):
    picture = pictures[p % len(pictures)]
    first = len(objects) + 1  # page, content, image
    kids.append(first)
    objects.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents %d 0 R"
                   b" /Resources << /XObject << /Im0 %d 0 R >> >> >>" % (first + 1, first + 2))
    content = b"q 595 0 0 842 0 0 cm /Im0 Do Q"
    objects.append(b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content))
    objects.append(b"<< /Type /XObject /Subtype /Image /Width 1240 /Height 1754 /ColorSpace /DeviceRGB"
                   b" /BitsPerComponent 8 /Filter /DCTDecode /Length %d >>\nstream\n%s\nendstream" % (len(picture), picture))
objects[1] = b"<< /Type /Pages /Count %d /Kids [%s] >>" % (pages, b" ".join(b"%d 0 R" % k for k in kids))
with open(out, "wb") as f:
    f.write(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(f.tell())
        f.write(b"%d 0 obj\n%s\nendobj\n" % (number, body))
    table = f.tell()
    f.write(b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1))
    for offset in offsets:
        f.write(b"%010d 00000 n \n" % offset)
    f.write(b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, table))
PY
  rm -rf "$dir"
}

# run_case NAME COMMAND...: runs COMMAND in $work with no display and a
# settings folder of its own, at most 120 s, and prints its time, peak memory
# and exit code (after a header printed by run_case_header).
run_case_header() { printf '%-46s %8s %10s %6s\n' case seconds "peak MiB" exit; }
run_case() {
  local name=$1; shift
  local log; log=$(mktemp)
  local rc=0
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$work/config" \
     /usr/bin/time -f '%e %M' -o "$log" timeout 120 "$@" >/dev/null 2>&1) || rc=$?
  read -r seconds kib < <(tail -1 "$log")
  printf '%-46s %8s %10s %6s\n' "$name" "$seconds" "$((kib / 1024))" "$rc"
  rm -f "$log" "$work"/out*.pdf
}

# Installs the tools, builds the program ($program) and makes a scratch
# folder ($work) removed when the script ends.
start_program_bench() {
  need_tools
  build_bench splimera
  program=$bench_root/build/splimera
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}
