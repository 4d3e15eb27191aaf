#include "structure/structure_carry.h"

#include <cctype>
#include <filesystem>
#include <memory>

#include "structure/annotations_carry.h"
#include "structure/attachments_carry.h"
#include "structure/bookmarks_carry.h"
#include "structure/document_entries_carry.h"
#include "structure/input_carry.h"
#include "structure/optional_content_carry.h"
#include "structure/page_labels_carry.h"
#include "structure/tagged_structure_carry.h"

namespace {

// What one input gives the output; written only once the whole input has
// been read, so that an input failing half-way leaves nothing behind.
struct InputHarvest {
    std::size_t input = 0;
    QPDFObjectHandle firstPage = QPDFObjectHandle::newNull();
    Bookmarks bookmarks;
    PageAnnotations annotations;
    FormPart form;
    PageLabels labels;
    LayerPart layers;
    NameTreeEntries attachments;
    NameTreeEntries destinations;
    TaggedStructure tagged;
};

// The file name without its ".pdf", as the entry of a file in the bookmarks.
std::string fileTitle(const std::string& path) {
    const std::filesystem::path file = std::filesystem::path(path).filename();
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return (extension == ".pdf" ? file.stem() : file).string();
}

InputHarvest harvest(InputCarry& input, const StructureRequest& request) {
    InputHarvest result;
    result.input = input.input();
    // Layers first: the annotations' /OC must find the groups PDFium copied.
    mapLayers(input);
    carryAnnotations(input, result.annotations, result.form);
    if (request.bookmarks != BookmarkMode::None) result.bookmarks = collectBookmarks(input);
    result.tagged = collectTaggedStructure(input, result.annotations);
    result.labels = collectPageLabels(input);
    result.layers = collectLayers(input);
    result.attachments = collectAttachments(input);
    result.destinations = input.destinationNames();
    result.firstPage = input.target().pages[input.outputPositions().front()];
    return result;
}

void writeHarvests(CarryTarget& target, std::vector<InputHarvest>& harvests) {
    Bookmarks bookmarks;
    std::vector<FormPart> forms;
    std::vector<PageLabels> labels;
    std::vector<LayerPart> layers;
    std::vector<NameTreeEntries> attachments;
    NameTreeEntries destinations;
    std::vector<TaggedStructure> tagged;
    for (InputHarvest& part : harvests) {
        writeAnnotations(target.pages, part.annotations);
        if (target.request.bookmarks == BookmarkMode::PerFile)
            appendBookmarks(bookmarks, bookmarksUnderFileEntry(fileTitle(target.request.inputs[part.input].path),
                                                               part.firstPage, std::move(part.bookmarks)));
        else
            appendBookmarks(bookmarks, std::move(part.bookmarks));
        forms.push_back(part.form);
        labels.push_back(part.labels);
        layers.push_back(part.layers);
        attachments.push_back(part.attachments);
        destinations.insert(part.destinations.begin(), part.destinations.end());
        tagged.push_back(part.tagged);
    }
    writeBookmarks(target.pdf, bookmarks);
    writeForm(target.pdf, forms);
    writePageLabels(target.pdf, target.request, labels);
    writeLayers(target.pdf, layers);
    writeAttachments(target.pdf, attachments);
    writeNameTree(target.pdf, "/Dests", destinations);
    writeTaggedStructure(target.pdf, target.pages, tagged);
}

}  // namespace

StructureResult carryStructure(QPDF& output, const StructureRequest& request, StructureSources& sources) {
    StructureResult result;
    if (request.pages.empty() || request.inputs.empty()) return result;
    std::vector<bool> contributes(request.inputs.size(), false);
    for (const PageOrigin& page : request.pages)
        if (page.input < contributes.size()) contributes[page.input] = true;
    CarryTarget target{output, output.getAllPages(), request};
    auto unread = [&](std::size_t input) {
        if (contributes[input]) result.unreadInputs.push_back(input);
    };
    if (target.pages.size() != request.pages.size()) {
        for (std::size_t input = 0; input < request.inputs.size(); ++input) unread(input);
        return result;
    }

    std::vector<InputHarvest> harvests;
    DocumentEntries document;
    NameTreeEntries destinations;  // carried by the inputs read so far
    for (std::size_t input = 0; input < request.inputs.size(); ++input) {
        // The first input also gives the document entries when no page of it is in the output.
        if (!contributes[input] && input != 0) continue;
        auto carried = [&](StructureSource* source) {
            if (!source) return false;
            try {
                InputCarry carry(target, input, *source, destinations);
                DocumentEntries entries = input == 0 ? collectDocumentEntries(carry, request.oneSource()) : document;
                if (contributes[input]) {
                    harvests.push_back(harvest(carry, request));
                    for (const std::string& text : source->notes()) result.notes.push_back({input, text});
                    destinations.insert(harvests.back().destinations.begin(), harvests.back().destinations.end());
                }
                document = entries;
                return true;
            } catch (const std::exception&) {
                return false;
            }
        };
        // A file libqpdf cannot read as PDFium does is read from PDFium's own copy of it.
        if (!carried(sources.open(request.inputs[input])) && !carried(sources.openRepaired(request.inputs[input])))
            unread(input);
    }
    writeHarvests(target, harvests);
    writeDocumentEntries(output, document);
    return result;
}
