#!/usr/bin/env bash
# Time and peak memory of split, merge and mix on files whose structure is
# made to cost far more than their size: /OCProperties /Order arrays that
# share sub-arrays (a DAG whose unfolded tree is astronomically large),
# 1,000,000 annotations on a page (listed in the page, or by an array object
# of their own), an outline 300,000 deep, 1,000,000 sibling bookmarks
# and 1,000,000 named destinations. Each must answer within 30 s and 512 MB.
# A few minutes; run by hand.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
start_program_bench

PYTHONPATH=$bench_root/bench python3 - "$work" <<'PY'
import sys
from write_pdf import pdf
folder = sys.argv[1]
PAGES = 10

def document(catalog_entries, extra, page_entries=lambda page: b""):
    """Catalog (1), page tree (2), pages (3..), then extra objects, numbered
    from 3 + PAGES; extra is a function of that first number."""
    first = 3 + PAGES
    objects = [b"<< /Type /Catalog /Pages 2 0 R %s >>" % catalog_entries(first),
               b"<< /Type /Pages /Kids [%s] /Count %d >>" % (b" ".join(b"%d 0 R" % (3 + p) for p in range(PAGES)), PAGES)]
    objects += [b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] %s >>" % page_entries(p) for p in range(PAGES)]
    return objects + extra(first)

def write(name, catalog_entries, extra, page_entries=lambda page: b""):
    pdf(document(catalog_entries, extra, page_entries), "%s/%s.pdf" % (folder, name))

# /Order: level 0 is the group's array, each level above lists the one below 4 times, 40 levels.
LEVELS = 40
write("order-dag",
      lambda first: b"/OCProperties << /OCGs [%d 0 R] /D << /Order %d 0 R >> >>" % (first, first + LEVELS),
      lambda first: [b"<< /Type /OCG /Name (layer) >>"] +
                    [b"[%s]" % b" ".join([b"%d 0 R" % (first + level)] * 4) for level in range(LEVELS)])

# 1,000,000 distinct link annotations on the first page, listed in the page,
# or by an array object of their own that the page names.
ANNOTATIONS = 1000000
links = lambda: [b"<< /Type /Annot /Subtype /Link /Rect [%d %d %d %d] /Border [0 0 0] >>" % (i % 290, i % 290, i % 290 + 5, i % 290 + 5)
                 for i in range(ANNOTATIONS)]
listed = lambda first: b"[%s]" % b" ".join(b"%d 0 R" % (first + i) for i in range(ANNOTATIONS))
write("annotations", lambda first: b"", lambda first: links(),
      lambda page: b"/Annots " + listed(3 + PAGES) if page == 0 else b"")
write("annotations-listed-apart", lambda first: b"", lambda first: links() + [listed(first)],
      lambda page: b"/Annots %d 0 R" % (3 + PAGES + ANNOTATIONS) if page == 0 else b"")

def outline(name, count, child):
    """An outline of count items, each the child (/First) or the next sibling of the one before."""
    def items(first):
        root = first
        out = [b"<< /Type /Outlines /First %d 0 R /Last %d 0 R /Count %d >>" % (root + 1, root + 1 if child else root + count, count)]
        for i in range(1, count + 1):
            me, parent = root + i, (root + i - 1 if child else root)
            link = (b"/First %d 0 R /Last %d 0 R /Count 1" % (me + 1, me + 1)) if child and i < count else b""
            sibling = b"" if child else (b"/Prev %d 0 R " % (me - 1) if i > 1 else b"") + (b"/Next %d 0 R" % (me + 1) if i < count else b"")
            out.append(b"<< /Title (b%d) /Parent %d 0 R /Dest [%d 0 R /Fit] %s %s >>" % (i, parent, 3 + i % PAGES, link, sibling))
        return out
    write(name, lambda first: b"/Outlines %d 0 R" % first, items)

outline("bookmarks-deep", 300000, True)
outline("bookmarks-siblings", 1000000, False)

# 1,000,000 named destinations in a name tree of 1,000 leaves of 1,000 names.
LEAVES, NAMES = 1000, 1000
def dests(first):
    root = [b"<< /Kids [%s] >>" % b" ".join(b"%d 0 R" % (first + 1 + leaf) for leaf in range(LEAVES))]
    leaves = []
    for leaf in range(LEAVES):
        names = [b"(d%07d) [%d 0 R /Fit]" % (leaf * NAMES + n, 3 + n % PAGES) for n in range(NAMES)]
        leaves.append(b"<< /Limits [(d%07d) (d%07d)] /Names [%s] >>" % (leaf * NAMES, leaf * NAMES + NAMES - 1, b" ".join(names)))
    return root + leaves
write("named-destinations", lambda first: b"/Names << /Dests %d 0 R >>" % first, dests)
PY

run_case_header
for file in order-dag annotations annotations-listed-apart bookmarks-deep bookmarks-siblings named-destinations; do
  mkdir -p "$work/parts"
  run_case "split $file" "$program" split "$file.pdf" --to "$work/parts" --no-protection
  run_case "merge $file with itself" "$program" merge "$file.pdf" "$file.pdf" -o out.pdf --no-protection
  run_case "mix $file with itself" "$program" mix "$file.pdf" "$file.pdf" --to "$work/parts" --no-protection
  rm -rf "$work/parts"
done
