#include "structure/structure_sources.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include <qpdf/QPDFNameTreeObjectHelper.hh>

#include "base/file_block_source.h"
#include "structure/annotations_carry.h"
#include "structure/long_annotation_lists.h"
#include "structure/object_access.h"
#include "structure/object_sizes.h"

namespace {

void refuseWithoutCatalog(QPDF& pdf) {
    if (!pdf.getRoot().isDictionary()) throw std::runtime_error("the document has no catalog");
}

}  // namespace

StructureSource::StructureSource(const std::string& path, const std::string& password)
    : pdf_(std::make_shared<QPDF>()) {
    pdf_->setSuppressWarnings(true);
    pdf_->processInputSource(std::make_shared<FileBlockSource>(path), password.empty() ? nullptr : password.c_str());
    shortenedLists_ = shortenLongAnnotationLists(*pdf_, path);
    refuseWithoutCatalog(*pdf_);
}

StructureSource::StructureSource(const std::string& path, const std::string& password, std::string repairedCopy)
    : memory_(std::move(repairedCopy)), pdf_(std::make_shared<QPDF>()) {
    pdf_->setSuppressWarnings(true);
    pdf_->processMemoryFile(path.c_str(), memory_.data(), memory_.size(), password.empty() ? nullptr : password.c_str());
    refuseWithoutCatalog(*pdf_);
}

StructureSource::StructureSource(std::shared_ptr<QPDF> parsed) : pdf_(std::move(parsed)) {
    pdf_->setSuppressWarnings(true);
    refuseWithoutCatalog(*pdf_);
}

void StructureSource::note(const std::string& text) {
    if (std::find(notes_.begin(), notes_.end(), text) == notes_.end()) notes_.push_back(text);
}

const std::vector<QPDFObjectHandle>& StructureSource::pages() {
    if (!pagesRead_) {
        pagesRead_ = true;
        const std::vector<QPDFObjectHandle>& all = pdf_->getAllPages();
        for (std::size_t i = 0; i < all.size(); ++i) pageIndices_.emplace(all[i].getObjGen(), static_cast<int>(i));
    }
    return pdf_->getAllPages();
}

int StructureSource::pageIndex(QPDFObjGen page) {
    pages();
    auto found = pageIndices_.find(page);
    return found == pageIndices_.end() ? -1 : found->second;
}

QPDFObjectHandle StructureSource::namedDestination(QPDFObjectHandle name) {
    QPDFObjectHandle root = catalog();
    const std::string text = name.isName() ? name.getName().substr(1) : name.getUTF8Value();
    QPDFObjectHandle tree = entry(entry(root, "/Names"), "/Dests");
    if (tree.isDictionary()) {
        QPDFObjectHandle found;
        if (QPDFNameTreeObjectHelper(tree, *pdf_, false).findObject(text, found)) return found;
    }
    return entry(entry(root, "/Dests"), "/" + text);
}

int StructureSource::destinationPage(QPDFObjectHandle destination) {
    if (destination.isName() || destination.isString()) destination = namedDestination(destination);
    if (destination.isDictionary()) destination = entry(destination, "/D");
    if (!destination.isArray() || destination.getArrayNItems() < 1) return -1;
    QPDFObjectHandle page = destination.getArrayItem(0);
    if (page.isInteger()) return page.getIntValueAsInt();
    if (!page.isIndirect()) return -1;
    return pageIndex(page.getObjGen());
}

namespace {

std::unique_ptr<StructureSource> sourceOf(const std::string& path, const std::string& password,
                                          const std::shared_ptr<QPDF>& parsed) {
    return parsed ? std::make_unique<StructureSource>(parsed) : std::make_unique<StructureSource>(path, password);
}

// The catalog names what the carrying reads page by page (bookmarks and
// links lead to pages, fields are annotations of pages).
bool holdsStructure(QPDFObjectHandle catalog) {
    for (const char* key : {"/Outlines", "/AcroForm", "/Names", "/Dests", "/PageLabels", "/StructTreeRoot"})
        if (catalog.hasKey(key)) return true;
    return false;
}

// Bounds of reading ahead, below what the carrying itself reads of a
// hostile file: annotations in all, and the text of one annotation list.
constexpr int MostAnnotationsReadAhead = 20000;
constexpr std::size_t LargestAnnotationListReadAhead = std::size_t(1) << 20;

// Reads what the carrying reads first of the pages of an input that holds
// structure: the page list, and each page's annotations with the objects
// they name; until stop is set.
void readPagesAhead(StructureSource& source, const std::atomic<bool>& stop) {
    if (stop || !holdsStructure(source.catalog())) return;
    std::optional<ObjectSizes> sizes;
    int budget = MostAnnotationsReadAhead;
    for (const QPDFObjectHandle& page : source.pages()) {
        if (stop || budget <= 0) return;
        QPDFObjectHandle list = entry(page, "/Annots");
        if (list.isIndirect()) {
            if (!sizes) sizes.emplace(source.pdf());
            if (sizes->of(list.getObjGen()) > LargestAnnotationListReadAhead) continue;
        }
        const int listed = list.isArray() ? list.getArrayNItems() : 0;
        const int count = std::min({listed, static_cast<int>(MostPageAnnotations), budget});
        budget -= count;
        for (int i = 0; i < count && !stop; ++i)
            if (QPDFObjectHandle annotation = list.getArrayItem(i); annotation.isDictionary())
                for (auto& named : annotation.getDictAsMap()) named.second.isDictionary();
    }
}

}  // namespace

SourceReadAhead::SourceReadAhead(const StructureInput& input)
    : reading_([this, path = input.path, password = input.password, parsed = input.parsed] {
          source_ = sourceOf(path, password, parsed);
          try {
              readPagesAhead(*source_, stop_);
          } catch (const std::exception&) {
              // libqpdf may keep part of a page list it failed to read: the
              // carrying reads a fresh reading instead, failing as it would have.
              source_ = sourceOf(path, password, nullptr);
          }
      }) {}

std::unique_ptr<StructureSource> SourceReadAhead::take() {
    stop_ = true;
    reading_.wait();
    return std::move(source_);
}

StructureSource* StructureSources::openOnce(Opened& opened, const StructureInput& input,
                                            const std::function<std::unique_ptr<StructureSource>()>& make) {
    auto key = std::make_pair(input.path, input.password);
    auto found = opened.find(key);
    if (found != opened.end()) return found->second.get();
    std::unique_ptr<StructureSource> source;
    try {
        source = make();
    } catch (const std::exception&) {
        source.reset();
    }
    return opened.emplace(key, std::move(source)).first->second.get();
}

StructureSource* StructureSources::open(const StructureInput& input) {
    return openOnce(opened_, input, [&] {
        if (input.readAhead)
            if (std::unique_ptr<StructureSource> read = input.readAhead->take()) return read;
        return sourceOf(input.path, input.password, input.parsed);
    });
}

StructureSource* StructureSources::openRepaired(const StructureInput& input) {
    return openOnce(repaired_, input, [&]() -> std::unique_ptr<StructureSource> {
        if (!input.repairedCopy) return nullptr;
        return std::make_unique<StructureSource>(input.path, input.password, input.repairedCopy());
    });
}
