#include "app/usage.h"

#include "base/application.h"

std::string commandLineUsage() {
    return "Usage: splimera [switch files...]\n"
           "       splimera split|merge|mix FILE... [options]\n"
           "  (no arguments)              open the window\n"
           "  -s FILE                     open the window with FILE in the Split list\n"
           "  -qs FILE                    split FILE into one-page files beside it, without the window\n"
           "  -m FILE...                  open the window with the FILEs in the Merge list\n"
           "  -qm FILE... -o OUTPUT       merge the FILEs into OUTPUT, without the window\n"
           "  -h, --help                  show this text\n"
           "  -V, --version               show the version\n"
           "Job commands for scripts (one line per written file: its path and page count):\n" +
           jobCommandUsage() +
           "Exit codes: 0 done, 1 the job failed or produced nothing, 2 invalid arguments or a missing file.\n";
}

std::string jobCommandUsage() {
    return "  split FILE [--pages N | --groups N [--from S] | --each N [--from S] | --ranges LIST\n"
           "        | --bookmarks LEVEL [--title-names] | --size SIZE]\n"
           "        [--name BASE] [--to FOLDER] [common options]\n"
           "      --bookmarks LEVEL cuts FILE where its bookmarks of LEVEL (1 is the top) or above\n"
           "      begin, --title-names names the files after those bookmarks; --size SIZE writes\n"
           "      files of at most SIZE bytes (300K, 10M: K is 1,024 bytes, M 1,048,576), a page\n"
           "      larger than SIZE alone in its file\n"
           "  merge FILE... -o OUTPUT [--bookmarks MODE] [--pad-odd] [common options]\n"
           "      --pad-odd adds a blank page after each FILE of an odd number of pages, so that\n"
           "      every FILE starts on a front side when printed on both sides\n"
           "  mix FIRST SECOND [--first METHOD] [--second METHOD] [--reverse-second] [--single-file]\n"
           "        [--bookmarks MODE] [--name BASE] [--to FOLDER] [common options]\n"
           "      METHOD is group:N[:S] (every group of N pages from page S) or each:N[:S]\n"
           "      (the N-th page from S); S defaults to 1, the default METHOD is group:3:1\n"
           "      MODE is keep (the inputs' bookmarks, the default), per-file (one entry per input\n"
           "      file, its bookmarks beneath) or none\n"
           "  common options:\n"
           "      --password PW          a password to try on protected inputs; may be given several times\n"
           "      --password-file FILE   try each line of FILE as a password (FILE - is standard input)\n"
           "      --output-password PW   protect the outputs with PW (instead of the stored setting)\n"
           "      --output-password-file FILE\n"
           "                             protect the outputs with the first line of FILE (- is standard input)\n"
           "      --watermark PICTURE    draw PICTURE on every page (instead of the stored setting)\n"
           "      --at X,Y               the watermark's position in points from the top-left corner (default 50,50)\n"
           "      --no-protection        ignore the stored output password and watermark\n"
           "      --quiet                list no written file and show no progress\n"
           "  A password given as PW can be read by other users of the computer while the job\n"
           "  runs; a password file keeps it private. A protected input that none of the\n"
           "  passwords opens is asked for on the terminal, when standard input is one.\n";
}

std::string versionLine() { return std::string(ApplicationName) + " " + applicationVersion(); }
