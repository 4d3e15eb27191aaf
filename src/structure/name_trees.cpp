#include "structure/name_trees.h"

void writeNameTree(QPDF& output, const std::string& key, const NameTreeEntries& entries) {
    if (entries.empty()) return;
    // The tree is ordered by the bytes of its strings, as the file holds them.
    std::map<std::string, QPDFObjectHandle> byBytes;
    for (const auto& [name, value] : entries)
        byBytes.emplace(QPDFObjectHandle::newUnicodeString(name).getStringValue(), value);
    QPDFObjectHandle names = QPDFObjectHandle::newArray();
    for (const auto& [bytes, value] : byBytes) {
        names.appendItem(QPDFObjectHandle::newString(bytes));
        names.appendItem(value);
    }
    QPDFObjectHandle tree = QPDFObjectHandle::newDictionary();
    tree.replaceKey("/Names", names);
    QPDFObjectHandle catalog = output.getRoot();
    if (!catalog.getKey("/Names").isDictionary()) catalog.replaceKey("/Names", QPDFObjectHandle::newDictionary());
    catalog.getKey("/Names").replaceKey(key, output.makeIndirectObject(tree));
}
