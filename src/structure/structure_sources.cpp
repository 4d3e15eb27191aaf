#include "structure/structure_sources.h"

#include <algorithm>
#include <stdexcept>

#include <qpdf/QPDFNameTreeObjectHelper.hh>

#include "base/file_block_source.h"
#include "structure/object_access.h"

namespace {

void refuseWithoutCatalog(QPDF& pdf) {
    if (!pdf.getRoot().isDictionary()) throw std::runtime_error("the document has no catalog");
}

}  // namespace

StructureSource::StructureSource(const std::string& path, const std::string& password)
    : pdf_(std::make_shared<QPDF>()) {
    pdf_->setSuppressWarnings(true);
    pdf_->processInputSource(std::make_shared<FileBlockSource>(path), password.empty() ? nullptr : password.c_str());
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

}  // namespace

SourceReadAhead::SourceReadAhead(const StructureInput& input)
    : reading_([this, path = input.path, password = input.password, parsed = input.parsed] {
          source_ = sourceOf(path, password, parsed);
      }) {}

std::unique_ptr<StructureSource> SourceReadAhead::take() {
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
