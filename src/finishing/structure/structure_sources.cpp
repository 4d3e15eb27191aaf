#include "finishing/structure/structure_sources.h"

#include <stdexcept>

#include "finishing/structure/file_block_source.h"

StructureSource::StructureSource(const std::string& path, const std::string& password) {
    pdf_.setSuppressWarnings(true);
    pdf_.processInputSource(std::make_shared<FileBlockSource>(path), password.empty() ? nullptr : password.c_str());
    if (!pdf_.getRoot().isDictionary()) throw std::runtime_error("the document has no catalog");
}

const std::vector<QPDFObjectHandle>& StructureSource::pages() {
    if (!pagesRead_) {
        pagesRead_ = true;
        const std::vector<QPDFObjectHandle>& all = pdf_.getAllPages();
        for (std::size_t i = 0; i < all.size(); ++i) pageIndices_.emplace(all[i].getObjGen(), static_cast<int>(i));
    }
    return pdf_.getAllPages();
}

int StructureSource::pageIndex(QPDFObjGen page) {
    pages();
    auto found = pageIndices_.find(page);
    return found == pageIndices_.end() ? -1 : found->second;
}

StructureSource* StructureSources::open(const StructureInput& input) {
    auto key = std::make_pair(input.path, input.password);
    auto found = opened_.find(key);
    if (found != opened_.end()) return found->second.get();
    std::unique_ptr<StructureSource> source;
    try {
        source = std::make_unique<StructureSource>(input.path, input.password);
    } catch (const std::exception&) {
        source.reset();
    }
    return opened_.emplace(key, std::move(source)).first->second.get();
}
