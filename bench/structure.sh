#!/usr/bin/env bash
# A merge of 20 inputs of 50 pages that carry bookmarks, links and forms,
# through the program (finishing and the carrying of their structure
# included) against `qpdf --empty --pages` on the same inputs: the
# merge-job-20x50-structured case of compare.sh, alternating runs, medians of
# RUNS (default 5).
CASES=merge-job-20x50-structured exec "$(dirname "${BASH_SOURCE[0]}")/compare.sh"
