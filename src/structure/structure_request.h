#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPDF;
class SourceReadAhead;

// What the finisher needs to carry the document structure of a job's inputs
// (bookmarks, links, forms, labels, layers, information, attachments) into
// an output whose pages PDFium copied from them.

enum class BookmarkMode {
    Keep,     // the inputs' bookmarks as they are
    PerFile,  // one entry per input file, its bookmarks nested beneath
    None,
};

struct StructureInput {
    std::string path;
    std::string password;  // empty when the file needs none
    int pageCount = -1;    // the pages PDFium found in it; -1 when not known
    // The file as the job's page engine reads it (after its repair of a
    // damaged file), written anew; asked for only when libqpdf cannot read
    // the file itself as the page engine does. Raises when it cannot be made.
    std::function<std::string()> repairedCopy;
    // libqpdf's reading of the file the job has made already (to check its
    // page tree), read instead of parsing the file again; null when there is none.
    std::shared_ptr<QPDF> parsed;
    // The job's page engine read a rewrite of the file
    // (structure/import_rewrite.h): its pages in an output may hold picture
    // stubs (structure/picture_stubs.h).
    bool pictureStubs = false;
    // The input being read for its structure on a second core while the job
    // goes on (structure/structure_sources.h), taken by the first reading;
    // null when nobody started it. Whoever starts it hands it parsed and
    // uses parsed no more.
    std::shared_ptr<SourceReadAhead> readAhead = nullptr;
};

// Where an output page comes from: an input of the job and its 0-based page.
struct PageOrigin {
    // The input of a page the job made itself (a blank page), which carries nothing.
    static constexpr std::size_t NoInput = static_cast<std::size_t>(-1);

    std::size_t input = 0;
    int sourcePage = 0;
};

// Something of an input that the carrying left out because the input's
// structure is absurd (a tree beyond any real document's size), said once.
struct StructureNote {
    std::size_t input = 0;
    std::string text;  // what was left out, as "bookmarks beyond the first 50000"
};

struct StructureRequest {
    std::vector<StructureInput> inputs;  // every input of the job, in the job's order
    std::vector<PageOrigin> pages;       // page i of the output is a copy of pages[i]
    BookmarkMode bookmarks = BookmarkMode::Keep;

    // Every page from one input (blank pages aside): such an output keeps
    // what belongs to a whole document (opening action, language, output
    // intents).
    bool oneSource() const {
        std::size_t source = PageOrigin::NoInput;
        for (const PageOrigin& page : pages) {
            if (page.input == PageOrigin::NoInput) continue;
            if (source != PageOrigin::NoInput && page.input != source) return false;
            source = page.input;
        }
        return source != PageOrigin::NoInput;
    }

    // Every page of each input that gives the output a page is in it (blank
    // pages aside), as in a merge of whole files; false when an input's page
    // count is not known.
    bool takesWholeInputs() const;
};
