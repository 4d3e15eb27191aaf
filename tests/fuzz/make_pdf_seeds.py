#!/usr/bin/env python3
"""Writes the PDF seeds of the pdf_jobs fuzz target into corpus/pdf_jobs/.

Small valid documents (zero, one and two pages, pages sharing one font, one
protected with the password the target opens inputs with), a few damaged
ones, a page reaching an entry through a chain of 40,000 objects and a page
listing more annotations than are read. The last byte of a seed chooses the split method (byte % 4 + 1), so some
seeds carry one extra byte after the end of the file. The protected one needs
the qpdf command. Regression seeds found by fuzzing are kept beside these and
are not written here.
"""
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "pdf_jobs")


def pdf(objects, root=1):
    """A PDF 1.4 file of the given object bodies (object i+1 = objects[i])."""
    body = b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"
    offsets = []
    for number, text in enumerate(objects, 1):
        offsets.append(len(body))
        body += b"%d 0 obj\n%s\nendobj\n" % (number, text.encode("latin-1"))
    xref = len(body)
    body += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        body += b"%010d 00000 n \n" % offset
    body += b"trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, root, xref)
    return body


def stream(text):
    return "<< /Length %d >>\nstream\n%s\nendstream" % (len(text), text)


def document(page_count, shared_font=False, count=None):
    """Catalog 1, page tree 2, font 3, then a page and its contents per page."""
    kids = " ".join("%d 0 R" % (4 + 2 * i) for i in range(page_count))
    objects = ["<< /Type /Catalog /Pages 2 0 R >>",
               "<< /Type /Pages /Kids [%s] /Count %d >>" % (kids, page_count if count is None else count),
               "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
    for i in range(page_count):
        resources = "/Resources << /Font << /F1 3 0 R >> >>" if shared_font else ""
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents %d 0 R %s >>"
                       % (5 + 2 * i, resources))
        text = "BT /F1 24 Tf 20 100 Td (P%d) Tj ET" % (i + 1) if shared_font else "0 0 1 rg 10 10 %d 50 re f" % (20 * (i + 1))
        objects.append(stream(text))
    return pdf(objects)


def reference_chain(links):
    """One page whose annotation reaches its last entry through `links` objects."""
    first = 5
    objects = ["<< /Type /Catalog /Pages 2 0 R >>",
               "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Annots [4 0 R] >>",
               "<< /Type /Annot /Subtype /Text /Rect [10 10 30 30] /Chain %d 0 R >>" % first]
    objects += ["<< /Next %d 0 R >>" % (number + 1) for number in range(first, first + links - 1)]
    objects.append("<< >>")
    return pdf(objects)


def long_annotation_list(entries):
    """One page listing one annotation `entries` times, read without libqpdf's objects when long."""
    return pdf(["<< /Type /Catalog /Pages 2 0 R >>",
                "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Annots [%s] /Rotate 90 >>"
                % " ".join(["4 0 R"] * entries),
                "<< /Type /Annot /Subtype /Link /Rect [10 10 30 30] /Border [0 0 0] >>"])


def write_packed(name, data):
    """Writes data with its objects packed in object streams (qpdf), to keep a large seed small."""
    plain = os.path.join(out, "plain.tmp")
    with open(plain, "wb") as f:
        f.write(data)
    subprocess.run(["qpdf", "--object-streams=generate", plain, os.path.join(out, name)], check=True)
    os.remove(plain)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(out, exist_ok=True)
    two = document(2)
    write("one_page.pdf", document(1))
    write("two_pages.pdf", two + b"\x00")
    write("zero_pages.pdf", document(0) + b"\x03")
    write("shared_font.pdf", document(3, shared_font=True) + b"\x01")
    plain = os.path.join(out, "plain.tmp")
    with open(plain, "wb") as f:
        f.write(two)
    subprocess.run(["qpdf", "--encrypt", "fuzz", "fuzz", "128", "--use-aes=y", "--", plain,
                    os.path.join(out, "protected.pdf")], check=True)
    os.remove(plain)

    write("truncated.pdf", two[: len(two) // 2])
    write("broken_xref.pdf", two.replace(b"0000000015 00000 n", b"0000009999 00000 n").replace(b"startxref\n", b"startxref\n1"))
    loop = pdf(["<< /Type /Catalog /Pages 2 0 R >>",
                "<< /Type /Pages /Kids [2 0 R 3 0 R] /Count 2 >>",
                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>"])
    write("page_tree_loop.pdf", loop)
    write("huge_count.pdf", document(1, count=2147483647) + b"\x02")
    # PDFium copies a page by following its references recursively.
    write_packed("reference_chain.pdf", reference_chain(40000))
    write("long_annotation_list.pdf", long_annotation_list(10005))
    write("garbage.pdf", b"%PDF-1.7\n\x00\xff<<>>obj stream endstream trailer << /Root 9 0 R >>\n%%EOF")


if __name__ == "__main__":
    sys.exit(main())
