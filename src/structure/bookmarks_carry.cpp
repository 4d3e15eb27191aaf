#include "structure/bookmarks_carry.h"

#include <algorithm>

#include "structure/input_carry.h"
#include "structure/object_access.h"
#include "structure/outline_reading.h"

namespace {

bool given(QPDFObjectHandle value) { return value.isInitialized() && !value.isNull(); }

Bookmark carryEntry(InputCarry& input, QPDFObjectHandle item) {
    ForeignCopier& copier = input.copier();
    Bookmark bookmark;
    QPDFObjectHandle title = item.getKey("/Title");
    if (title.isString()) bookmark.title = copier.copy(title);
    if (item.getKey("/C").isArray()) bookmark.color = copier.copy(item.getKey("/C"));
    if (item.getKey("/F").isInteger()) bookmark.style = copier.copy(item.getKey("/F"));
    if (item.hasKey("/Dest")) bookmark.destination = input.carryDestination(item.getKey("/Dest"));
    QPDFObjectHandle action = item.getKey("/A");
    if (!item.hasKey("/Dest") && action.isDictionary()) {
        QPDFObjectHandle carried = copier.copy(action);
        // A move to a page the output does not hold lost its /D in the copy.
        const bool lostTarget = !carried.isDictionary() ||
                                (nameOf(action.getKey("/S")) == "/GoTo" && entry(carried, "/D").isNull());
        if (!lostTarget) bookmark.action = carried;
    }
    QPDFObjectHandle count = item.getKey("/Count");
    bookmark.open = count.isInteger() && count.getIntValue() > 0;
    return bookmark;
}

}  // namespace

Bookmarks collectBookmarks(InputCarry& input) {
    const std::vector<OutlineItem>& entries = outlineOf(input.source());
    // The targets are pages as libqpdf counts them, so the counts must agree.
    if (std::any_of(entries.begin(), entries.end(), [](const OutlineItem& item) { return item.page >= 0; }))
        input.sourcePages();

    // Children come after their parent, so walking backwards settles every
    // child before its parent is asked.
    std::vector<bool> kept(entries.size(), false);
    for (std::size_t i = entries.size(); i-- > 0;) {
        const OutlineItem& source = entries[i];
        if (source.otherAction || (source.page >= 0 && !input.outputPageOf(source.page).isNull())) kept[i] = true;
        if (kept[i] && source.parent >= 0) kept[static_cast<std::size_t>(source.parent)] = true;
    }
    Bookmarks result;
    result.reserve(static_cast<std::size_t>(std::count(kept.begin(), kept.end(), true)));
    std::vector<int> newIndex(entries.size(), -1);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!kept[i]) continue;
        Bookmark bookmark = carryEntry(input, entries[i].item);
        bookmark.parent = entries[i].parent < 0 ? -1 : newIndex[static_cast<std::size_t>(entries[i].parent)];
        newIndex[i] = static_cast<int>(result.size());
        result.push_back(bookmark);
    }
    return result;
}

Bookmarks bookmarksUnderFileEntry(const std::string& title, QPDFObjectHandle page, Bookmarks beneath) {
    Bookmark file;
    file.title = QPDFObjectHandle::newUnicodeString(title);
    file.destination = QPDFObjectHandle::newArray({page, QPDFObjectHandle::newName("/Fit")});
    for (Bookmark& bookmark : beneath) bookmark.parent = bookmark.parent < 0 ? 0 : bookmark.parent + 1;
    beneath.insert(beneath.begin(), file);
    return beneath;
}

void appendBookmarks(Bookmarks& list, Bookmarks more) {
    if (list.empty()) {
        list = std::move(more);
        return;
    }
    const int offset = static_cast<int>(list.size());
    list.reserve(list.size() + more.size());
    for (Bookmark& bookmark : more) {
        if (bookmark.parent >= 0) bookmark.parent += offset;
        list.push_back(std::move(bookmark));
    }
}

void writeBookmarks(QPDF& output, const Bookmarks& bookmarks) {
    if (bookmarks.empty()) return;
    QPDFObjectHandle outlines = output.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    std::vector<QPDFObjectHandle> items;
    std::vector<std::vector<std::size_t>> children(bookmarks.size());
    std::vector<std::size_t> top;
    for (std::size_t i = 0; i < bookmarks.size(); ++i) {
        const Bookmark& bookmark = bookmarks[i];
        QPDFObjectHandle item = output.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", given(bookmark.title) ? bookmark.title : QPDFObjectHandle::newString(""));
        if (given(bookmark.color)) item.replaceKey("/C", bookmark.color);
        if (given(bookmark.style)) item.replaceKey("/F", bookmark.style);
        if (given(bookmark.destination)) item.replaceKey("/Dest", bookmark.destination);
        else if (given(bookmark.action)) item.replaceKey("/A", bookmark.action);
        items.push_back(item);
        (bookmark.parent < 0 ? top : children[static_cast<std::size_t>(bookmark.parent)]).push_back(i);
    }
    auto link = [&](QPDFObjectHandle parent, const std::vector<std::size_t>& list) {
        for (std::size_t k = 0; k < list.size(); ++k) {
            QPDFObjectHandle item = items[list[k]];
            item.replaceKey("/Parent", parent);
            if (k > 0) item.replaceKey("/Prev", items[list[k - 1]]);
            if (k + 1 < list.size()) item.replaceKey("/Next", items[list[k + 1]]);
        }
        if (list.empty()) return;
        parent.replaceKey("/First", items[list.front()]);
        parent.replaceKey("/Last", items[list.back()]);
    };
    // The entries shown when an entry is opened: its children and, below
    // each open child, that child's shown entries. Children follow their
    // parent in the list, so counting backwards finds theirs first.
    std::vector<long long> shown(bookmarks.size(), 0);
    auto shownBelow = [&](const std::vector<std::size_t>& list) {
        long long total = 0;
        for (std::size_t child : list) total += 1 + (bookmarks[child].open ? shown[child] : 0);
        return total;
    };
    for (std::size_t i = bookmarks.size(); i-- > 0;) {
        link(items[i], children[i]);
        if (children[i].empty()) continue;
        shown[i] = shownBelow(children[i]);
        items[i].replaceKey("/Count", QPDFObjectHandle::newInteger(bookmarks[i].open ? shown[i] : -shown[i]));
    }
    link(outlines, top);
    outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(shownBelow(top)));
    output.getRoot().replaceKey("/Outlines", outlines);
}
