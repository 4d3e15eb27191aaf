#!/usr/bin/env bash
# The memory a strip of pages costs while it is scrolled from the first to the
# last page of a 5,000-page text PDF (PAGES to change the count).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_tools
build_bench page_strip_bench splimera
pages=${PAGES:-5000}
input=$corpus/text-$pages.pdf
make_text_pdf "$pages" "$input"
"$bench_root/build/page_strip_bench" "$input"
