#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "finishing/shared_resources.h"
#include "structure/structure_sources.h"
#include "support/damaged_pdfs.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// Two pages (objects 3 and 4) with the given resources, and extra objects from 5 on.
std::string twoPages(const std::string& treeExtra, const std::string& first, const std::string& second,
                     const std::vector<std::string>& extra = {}) {
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>",
                                        "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2" + treeExtra + " >>",
                                        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200]" + first + " >>",
                                        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200]" + second + " >>"};
    objects.insert(objects.end(), extra.begin(), extra.end());
    return fixtures::assemblePdf(objects);
}

// Pruning reads every page's content, so it runs only where a page may hold
// what it does not draw: where the pages of an input share resources.
TEST(SharedResources, PruningIsNeededWherePagesShareResources) {
    const std::string font = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    const std::string form = "<< /Type /XObject /Subtype /Form /BBox [0 0 10 10] /Length 0 >>\nstream\n\nendstream";
    struct Case {
        std::string name, pdf;
        bool prune;
    } cases[] = {
        {"own resources, shared font", twoPages("", " /Resources << /Font << /F1 5 0 R >> >>",
                                               " /Resources << /Font << /F1 5 0 R >> >>", {font}),
         false},
        {"one dictionary", twoPages("", " /Resources 5 0 R", " /Resources 5 0 R", {"<< /Font << /F1 6 0 R >> >>", font}),
         true},
        {"one font dictionary", twoPages("", " /Resources << /Font 5 0 R >>", " /Resources << /Font 5 0 R >>",
                                         {"<< /F1 6 0 R >>", font}),
         true},
        {"inherited", twoPages(" /Resources << /Font << /F1 5 0 R >> >>", "", "", {font}), true},
        {"form without resources", twoPages("", " /Resources << /XObject << /X 5 0 R >> >>", " /Resources << >>", {form}),
         true},
        {"unreadable", "not a PDF", true},
    };
    TempDir dir;
    for (const Case& c : cases) {
        fixtures::writeFile(dir.file("in.pdf"), c.pdf);
        StructureRequest request;
        request.inputs = {{dir.file("in.pdf"), "", 2, nullptr, nullptr}};
        request.pages = {{0, 0}, {PageOrigin::NoInput, 0}};
        StructureSources sources;
        EXPECT_EQ(mayHoldUnusedResources(request, sources), c.prune) << c.name;
    }
}

// An output of whole inputs keeps what their pages held there, so pruning is
// not even considered; any page left out (or a page count not known) brings it back.
TEST(SharedResources, WholeInputsAreTold) {
    constexpr std::size_t Blank = PageOrigin::NoInput;
    struct Case {
        std::string name;
        std::vector<int> pageCounts;
        std::vector<PageOrigin> pages;
        bool whole;
    } cases[] = {
        {"two whole inputs, a blank page between", {2, 1}, {{0, 1}, {0, 0}, {Blank, 0}, {1, 0}}, true},
        {"a page left out", {2, 1}, {{0, 0}, {1, 0}}, false},
        {"a page twice, another left out", {2}, {{0, 0}, {0, 0}}, false},
        {"an input giving nothing", {1, 3}, {{0, 0}}, true},
        {"page count not known", {-1}, {{0, 0}}, false},
        {"a page beyond the count", {1}, {{0, 0}, {0, 1}}, false},
        {"blank pages only", {1}, {{Blank, 0}}, false},
    };
    for (const Case& c : cases) {
        StructureRequest request;
        for (int count : c.pageCounts) request.inputs.push_back({"in.pdf", "", count, nullptr, nullptr});
        request.pages = c.pages;
        EXPECT_EQ(request.takesWholeInputs(), c.whole) << c.name;
    }
}

}  // namespace
