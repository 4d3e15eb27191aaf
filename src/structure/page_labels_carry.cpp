#include "structure/page_labels_carry.h"

#include <map>

#include <qpdf/QPDFPageLabelDocumentHelper.hh>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// A run of output pages copied from consecutive pages of one input.
struct PageRun {
    std::size_t firstPosition, lastPosition;
};

std::vector<PageRun> runsOf(const std::vector<PageOrigin>& pages) {
    std::vector<PageRun> runs;
    for (std::size_t position = 0; position < pages.size(); ++position) {
        const bool continues = position > 0 && pages[position].input == pages[position - 1].input &&
                               pages[position].sourcePage == pages[position - 1].sourcePage + 1;
        if (continues)
            runs.back().lastPosition = position;
        else
            runs.push_back({position, position});
    }
    return runs;
}

QPDFObjectHandle decimalFrom(long long number) {
    QPDFObjectHandle label = QPDFObjectHandle::newDictionary();
    label.replaceKey("/S", QPDFObjectHandle::newName("/D"));
    label.replaceKey("/St", QPDFObjectHandle::newInteger(number));
    return label;
}

long long startOf(QPDFObjectHandle label) {
    QPDFObjectHandle start = entry(label, "/St");
    return start.isInteger() ? start.getIntValue() : 1;
}

// Whether label at page index only goes on with the numbering that
// previous, set at page previousIndex, gives that page.
bool continues(QPDFObjectHandle previous, long long previousIndex, QPDFObjectHandle label, long long index) {
    return nameOf(entry(previous, "/S")) == nameOf(entry(label, "/S")) &&
           entry(previous, "/P").unparse() == entry(label, "/P").unparse() &&
           startOf(previous) + (index - previousIndex) == startOf(label);
}

}  // namespace

PageLabels collectPageLabels(InputCarry& input) {
    QPDFPageLabelDocumentHelper source(input.source().pdf());
    if (!source.hasPageLabels()) return {};
    const StructureRequest& request = input.target().request;
    PageLabels labels;
    for (const PageRun& run : runsOf(request.pages)) {
        if (request.pages[run.firstPosition].input != input.input()) continue;
        const long long first = request.pages[run.firstPosition].sourcePage;
        // A page without a label (a damaged tree) is numbered as in its file, below.
        if (source.getLabelForPage(first).isNull()) continue;
        std::vector<QPDFObjectHandle> found;
        source.getLabelsForPageRange(first, first + static_cast<long long>(run.lastPosition - run.firstPosition),
                                     static_cast<long long>(run.firstPosition), found);
        for (std::size_t i = 0; i + 1 < found.size(); i += 2)
            if (found[i].isInteger())
                labels.emplace_back(found[i].getIntValue(), input.copier().copy(found[i + 1]));
    }
    return labels;
}

void writePageLabels(QPDF& output, const StructureRequest& request, const std::vector<PageLabels>& labelled) {
    std::map<long long, QPDFObjectHandle> byPage;
    for (const PageLabels& labels : labelled)
        for (const auto& [index, label] : labels) byPage[index] = label;
    if (byPage.empty()) return;
    // Runs of inputs that gave no labels are numbered as in their file; a
    // blank page goes on with the numbering before it.
    for (const PageRun& run : runsOf(request.pages)) {
        if (request.pages[run.firstPosition].input == PageOrigin::NoInput) continue;
        const long long index = static_cast<long long>(run.firstPosition);
        if (!byPage.count(index)) byPage[index] = decimalFrom(request.pages[run.firstPosition].sourcePage + 1);
    }
    QPDFObjectHandle numbers = QPDFObjectHandle::newArray();
    QPDFObjectHandle previous;
    long long previousIndex = 0;
    for (const auto& [index, label] : byPage) {
        if (previous.isInitialized() && continues(previous, previousIndex, label, index)) continue;
        numbers.appendItem(QPDFObjectHandle::newInteger(index));
        numbers.appendItem(label);
        previous = label;
        previousIndex = index;
    }
    QPDFObjectHandle tree = QPDFObjectHandle::newDictionary();
    tree.replaceKey("/Nums", numbers);
    output.getRoot().replaceKey("/PageLabels", output.makeIndirectObject(tree));
}
