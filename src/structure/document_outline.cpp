#include "structure/document_outline.h"

#include <stdexcept>

#include "structure/outline_reading.h"
#include "structure/structure_sources.h"

DocumentOutline readDocumentOutline(const std::string& path, const std::string& password) {
    DocumentOutline outline;
    try {
        StructureSource source(path, password);
        const std::vector<OutlineItem>& items = outlineOf(source);
        for (const OutlineItem& item : items) {
            OutlineEntry entry;
            entry.level = item.parent < 0 ? 1 : outline.entries[static_cast<std::size_t>(item.parent)].level + 1;
            QPDFObjectHandle title = QPDFObjectHandle(item.item).getKey("/Title");
            entry.title = title.isString() ? title.getUTF8Value() : std::string();
            entry.page = item.page;
            outline.entries.push_back(entry);
        }
        outline.pageCount = static_cast<int>(source.pages().size());
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot read the bookmarks of " + path + ": " + error.what());
    }
    return outline;
}
