#!/usr/bin/env bash
# Peak memory and time of the program on inputs made to cost far more than
# their size: a page whose content inflates to 1 GiB (merged plainly and with
# a watermark, which reads the content to keep the picture apart from it), a
# form whose field tree doubles at each of 26 levels, watermark pictures that
# declare sizes their data cannot hold or are merely large, and structure
# trees of a million elements split, merged and mixed. Every case
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

# Structure trees of 1,000,000 elements on 10 pages, each element
# << /S /P /P .. /Pg .. /K mcid >>, with the parent tree (one array of 100,000
# elements for each page): one /Document element with all of them as kids,
# its objects packed 200 to an object stream as writers of compact files do;
# and 1,000 sections of 1,000 under /Document, as plain objects.
python3 - "$work" <<'PY'
import struct, sys, zlib
folder = sys.argv[1]

def structure_tree_pdf(path, elements, sections=0, packing=200, pages=10):
    objects = {}   # number -> text
    streams = {}   # number -> text of objects with stream data (never packed)
    document, first_page = 4, 6
    first_content, first_leaf = first_page + pages, first_page + 2 * pages
    first_array, first_section = first_page + 3 * pages, first_page + 4 * pages
    first_element = first_section + sections
    per_page, fan_out = -(-elements // pages), -(-elements // sections) if sections else elements
    ref = lambda n: b"%d 0 R" % n
    objects[1] = b"<< /Type /Catalog /Pages 2 0 R /StructTreeRoot 3 0 R /MarkInfo << /Marked true >> >>"
    objects[2] = b"<< /Type /Pages /Count %d /Kids [%s] >>" % (pages, b" ".join(ref(first_page + p) for p in range(pages)))
    objects[3] = b"<< /Type /StructTreeRoot /K 4 0 R /ParentTree 5 0 R /ParentTreeNextKey %d >>" % pages
    tops = range(first_section, first_element) if sections else range(first_element, first_element + elements)
    objects[document] = b"<< /Type /StructElem /S /Document /P 3 0 R /K [%s] >>" % b" ".join(map(ref, tops))
    objects[5] = b"<< /Kids [%s] >>" % b" ".join(ref(first_leaf + p) for p in range(pages))
    content = b"/P << /MCID 0 >> BDC 0 0 m 100 100 l S EMC"
    for p in range(pages):
        objects[first_page + p] = b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] /Contents %d 0 R /StructParents %d >>" % (first_content + p, p)
        streams[first_content + p] = b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content)
        objects[first_leaf + p] = b"<< /Limits [%d %d] /Nums [%d %d 0 R] >>" % (p, p, p, first_array + p)
        on_page = range(first_element + p * per_page, first_element + min(elements, (p + 1) * per_page))
        objects[first_array + p] = b"[%s]" % b" ".join(map(ref, on_page))
    for s in range(sections):
        kids = range(first_element + s * fan_out, first_element + min(elements, (s + 1) * fan_out))
        objects[first_section + s] = b"<< /Type /StructElem /S /Sect /P 4 0 R /K [%s] >>" % b" ".join(map(ref, kids))
    for e in range(elements):
        parent = first_section + e // fan_out if sections else document
        objects[first_element + e] = b"<< /Type /StructElem /S /P /P %d 0 R /Pg %d 0 R /K %d >>" % (parent, first_page + e // per_page, e % per_page)

    out = bytearray(b"%PDF-1.7\n%\xe2\xe3\xcf\xd3\n")
    rows = {}  # number -> cross-reference row: (1, offset, 0) or (2, object stream, index)
    def put(number, text):
        rows[number] = (1, len(out), 0)
        out.extend(b"%d 0 obj\n%s\nendobj\n" % (number, text))
    for number, text in sorted(streams.items()):
        put(number, text)
    numbers = sorted(objects)
    if not packing:
        for number in numbers:
            put(number, objects[number])
    next_number = first_element + elements
    for start in range(0, len(numbers) if packing else 0, packing or 1):
        group = numbers[start:start + packing]
        offsets, data = [], bytearray()
        for index, number in enumerate(group):
            offsets.append(b"%d %d" % (number, len(data)))
            data.extend(objects[number] + b"\n")
            rows[number] = (2, next_number, index)
        header = b" ".join(offsets) + b"\n"
        body = zlib.compress(header + bytes(data), 6)
        put(next_number, b"<< /Type /ObjStm /N %d /First %d /Filter /FlateDecode /Length %d >>\nstream\n%s\nendstream"
            % (len(group), len(header), len(body), body))
        next_number += 1
    rows[next_number] = (1, len(out), 0)
    table = struct.pack(">BIH", 0, 0, 65535) + b"".join(struct.pack(">BIH", *rows[n]) for n in range(1, next_number + 1))
    body = zlib.compress(table, 6)
    xref = len(out)
    out.extend(b"%d 0 obj\n<< /Type /XRef /Size %d /W [1 4 2] /Root 1 0 R /Filter /FlateDecode /Length %d >>\nstream\n%s\nendstream\nendobj\n"
               % (next_number, next_number + 1, len(body), body))
    out.extend(b"startxref\n%d\n%%%%EOF\n" % xref)
    open(path, "wb").write(out)

structure_tree_pdf(folder + "/flat-tree.pdf", 1000000)
structure_tree_pdf(folder + "/sectioned-tree.pdf", 1000000, sections=1000, packing=0)
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
for tree in flat-tree sectioned-tree; do
  run_case "split, $tree of 1,000,000 elements" "$program" split $tree.pdf --name out_
  run_case "merge, $tree with a 10-page file" "$program" merge $tree.pdf "$corpus/text-10.pdf" -o out.pdf
  run_case "mix, $tree with a 10-page file" "$program" mix $tree.pdf "$corpus/text-10.pdf" --name out_
done
