#!/usr/bin/env bash
# Peak memory and time of the program on inputs made to cost far more than
# their size: a page whose content inflates to 1 GiB (merged plainly and with
# a watermark, which reads the content to keep the picture apart from it), a
# form whose field tree doubles at each of 26 levels, and watermark pictures
# that declare sizes their data cannot hold or are merely large. Every case
# must answer within seconds in bounded memory (well under 512 MB).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
start_program_bench

PYTHONPATH=$bench_root/bench python3 - "$work" <<'PY'
import struct, sys, zlib
from write_pdf import pdf
folder = sys.argv[1]

# A page whose content stream inflates to 1 GiB of balanced saves and restores.
compressor = zlib.compressobj(9)
chunk = b"q Q " * (1 << 18)
data = b"".join(compressor.compress(chunk) for _ in range(1024)) + compressor.flush()
pdf([b"<< /Type /Catalog /Pages 2 0 R >>", b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
     b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] /Contents 4 0 R >>",
     b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(data) + data + b"\nendstream"], folder + "/inflating.pdf")

# A form whose field tree lists the same child twice at each of 26 levels.
levels = 26
objects = [b"<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R] >> >>",
           b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
           b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] /Annots [%d 0 R] >>" % (4 + levels)]
for level in range(levels):
    child = b"%d 0 R" % (5 + level)
    objects.append(b"<< /T (f%d) /Kids [%s %s] >>" % (level, child, child))
objects.append(b"<< /Type /Annot /Subtype /Widget /FT /Tx /T (leaf) /Rect [10 10 100 30] /P 3 0 R >>")
pdf(objects, folder + "/doubled-fields.pdf")

def chunk_of(kind, body, length=None):
    return struct.pack(">I", len(body) if length is None else length) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

signature = b"\x89PNG\r\n\x1a\n"
header = lambda w, h, depth, colour: chunk_of(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, colour, 0, 0, 0))
open(folder + "/huge-text.png", "wb").write(signature + header(1, 1, 8, 0) + chunk_of(b"tEXt", b"", 0x7FFFFFF0)[:8])
open(folder + "/no-pixels.png", "wb").write(signature + header(9000, 9000, 16, 6) + chunk_of(b"IDAT", b"\x78\x9c") + chunk_of(b"IEND", b""))
width = height = 9000
row = b"\0" + bytes((x * 7) & 255 for x in range(width * 4))
compressor = zlib.compressobj(9)
idat = b"".join(compressor.compress(row) for _ in range(height)) + compressor.flush()
open(folder + "/large.png", "wb").write(signature + header(width, height, 8, 6) + chunk_of(b"IDAT", idat) + chunk_of(b"IEND", b""))
PY
make_text_pdf 10 "$corpus/text-10.pdf"

run_case_header
run_case "merge, content inflating to 1 GiB" "$program" merge inflating.pdf inflating.pdf -o out.pdf
run_case "merge, same, with a watermark" "$program" merge inflating.pdf inflating.pdf -o out.pdf \
  --watermark "$work/large.png"
run_case "merge, field tree doubling 26 times" "$program" merge doubled-fields.pdf doubled-fields.pdf -o out.pdf
for picture in huge-text.png no-pixels.png large.png; do
  run_case "watermark $picture" "$program" merge "$corpus/text-10.pdf" "$corpus/text-10.pdf" -o out.pdf \
    --watermark "$work/$picture"
done
