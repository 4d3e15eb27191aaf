#include "structure/outline_reading.h"

#include <set>

#include "structure/object_access.h"
#include "structure/structure_sources.h"

namespace {

// Enough for any real document; a longer chain is taken as damage.
constexpr std::size_t MostBookmarks = 50000;

struct OutlineIndex {
    std::vector<OutlineItem> items;
};

// Loops of /First and /Next end where they meet an item again; past
// MostBookmarks items the rest is left out, and cut says so.
std::vector<OutlineItem> readOutline(QPDFObjectHandle outlines, bool& cut) {
    std::vector<OutlineItem> items;
    std::set<QPDFObjGen> seen;
    auto children = [&](QPDFObjectHandle item) {
        std::vector<QPDFObjectHandle> list;
        for (QPDFObjectHandle child = entry(item, "/First"); isIndirectDictionary(child);
             child = entry(child, "/Next")) {
            if (seen.size() >= MostBookmarks) {
                cut = true;
                break;
            }
            if (!seen.insert(child.getObjGen()).second) break;
            list.push_back(child);
        }
        return list;
    };
    std::vector<OutlineItem> stack;
    auto pushChildren = [&](QPDFObjectHandle item, int parent) {
        std::vector<QPDFObjectHandle> list = children(item);
        for (auto child = list.rbegin(); child != list.rend(); ++child) stack.push_back({*child, parent});
    };
    pushChildren(outlines, -1);
    while (!stack.empty()) {
        OutlineItem next = stack.back();
        stack.pop_back();
        items.push_back(next);
        pushChildren(next.item, static_cast<int>(items.size()) - 1);
    }
    return items;
}

OutlineIndex indexOutline(StructureSource& source) {
    QPDFObjectHandle outlines = entry(source.catalog(), "/Outlines");
    if (!outlines.isDictionary()) return {};
    bool cut = false;
    OutlineIndex index{readOutline(outlines, cut)};
    if (cut) source.note("bookmarks beyond the first " + std::to_string(MostBookmarks));
    for (OutlineItem& item : index.items) {
        QPDFObjectHandle action = item.item.getKey("/A");
        if (item.item.hasKey("/Dest"))
            item.page = source.destinationPage(item.item.getKey("/Dest"));
        else if (nameOf(entry(action, "/S")) == "/GoTo")
            item.page = source.destinationPage(action.getKey("/D"));
        else
            item.otherAction = action.isDictionary();
    }
    return index;
}

}  // namespace

const std::vector<OutlineItem>& outlineOf(StructureSource& source) {
    return source.remembered<OutlineIndex>([&] { return indexOutline(source); }).items;
}
