#include "structure/foreign_copier.h"

namespace {

bool isPageTreeNode(QPDFObjectHandle object) {
    if (!object.isDictionary()) return false;
    if (object.isPageObject()) return true;
    QPDFObjectHandle type = object.getKey("/Type");
    return type.isName() && (type.getName() == "/Pages" || type.getName() == "/Page");
}

}  // namespace

ForeignCopier::ForeignCopier(QPDF& output, QPDF& source) : output_(output), source_(source) {
    // The catalog and the page tree root are the document's own, never part of what is carried.
    QPDFObjectHandle root = source_.getRoot();
    if (root.isIndirect()) map(root.getObjGen(), QPDFObjectHandle::newNull());
}

void ForeignCopier::map(QPDFObjGen source, QPDFObjectHandle replacement) { map_[source] = replacement; }

QPDFObjectHandle ForeignCopier::mapped(QPDFObjGen source) const {
    auto found = map_.find(source);
    return found == map_.end() ? QPDFObjectHandle() : found->second;
}

QPDFObjectHandle ForeignCopier::copy(QPDFObjectHandle object) {
    QPDFObjectHandle result = copyValue(object);
    drain();
    return result;
}

std::vector<QPDFObjectHandle> ForeignCopier::copyAgain(const std::vector<QPDFObjectHandle>& objects) {
    std::vector<std::pair<QPDFObjGen, QPDFObjectHandle>> earlier;
    for (QPDFObjectHandle object : objects) {
        if (!object.isIndirect()) continue;
        auto found = map_.find(object.getObjGen());
        if (found == map_.end()) continue;
        earlier.emplace_back(found->first, found->second);
        map_.erase(found);
    }
    std::vector<QPDFObjectHandle> copies;
    for (QPDFObjectHandle object : objects) copies.push_back(copyValue(object));
    drain();
    for (auto& [objGen, copyBefore] : earlier) map_[objGen] = copyBefore;
    return copies;
}

QPDFObjectHandle ForeignCopier::copyValue(QPDFObjectHandle object) {
    if (!object.isInitialized()) return QPDFObjectHandle::newNull();
    if (object.isIndirect()) return reference(object);
    if (object.isArray()) {
        QPDFObjectHandle array = QPDFObjectHandle::newArray();
        for (QPDFObjectHandle item : object.aitems()) array.appendItem(copyValue(item));
        return array;
    }
    if (object.isDictionary()) {
        QPDFObjectHandle dictionary = QPDFObjectHandle::newDictionary();
        copyDictionaryInto(object, dictionary);
        return dictionary;
    }
    if (object.isScalar()) return object.shallowCopy();
    return QPDFObjectHandle::newNull();  // a stream cannot be direct; anything else has no place here
}

QPDFObjectHandle ForeignCopier::reference(QPDFObjectHandle indirect) {
    const QPDFObjGen objGen = indirect.getObjGen();
    auto found = map_.find(objGen);
    if (found != map_.end()) return found->second;
    if (indirect.isDictionary() && resolver_) {
        QPDFObjectHandle page = resolver_(indirect);
        if (page.isInitialized()) return map_[objGen] = page;
    }
    if (isPageTreeNode(indirect) || (admission_ && !admission_(indirect)))
        return map_[objGen] = QPDFObjectHandle::newNull();
    if (indirect.isScalar() || indirect.isNull()) {
        QPDFObjectHandle value = indirect.isNull() ? QPDFObjectHandle::newNull() : indirect.shallowCopy();
        map_[objGen] = value;
        return value;
    }
    QPDFObjectHandle shell = newShell(indirect);
    map_[objGen] = shell;
    if (!shell.isNull()) pending_.emplace_back(indirect, shell);
    return shell;
}

QPDFObjectHandle ForeignCopier::newShell(QPDFObjectHandle indirect) {
    if (indirect.isStream()) return QPDFObjectHandle::newStream(&output_);
    if (indirect.isArray()) return output_.makeIndirectObject(QPDFObjectHandle::newArray());
    if (indirect.isDictionary()) return output_.makeIndirectObject(QPDFObjectHandle::newDictionary());
    return QPDFObjectHandle::newNull();
}

void ForeignCopier::fill(QPDFObjectHandle source, QPDFObjectHandle shell) {
    if (source.isArray()) {
        for (QPDFObjectHandle item : source.aitems()) shell.appendItem(copyValue(item));
    } else if (source.isStream()) {
        QPDFObjectHandle dictionary = shell.getDict();
        copyDictionaryInto(source.getDict(), dictionary);
        shell.replaceStreamData(source.getRawStreamData(), dictionary.getKey("/Filter"),
                                dictionary.getKey("/DecodeParms"));
    } else {
        copyDictionaryInto(source, shell);
    }
}

void ForeignCopier::copyDictionaryInto(QPDFObjectHandle source, QPDFObjectHandle target) {
    for (auto& [key, value] : source.ditems()) {
        QPDFObjectHandle copied = copyValue(value);
        if (!copied.isNull()) target.replaceKey(key, copied);
    }
    if (hook_) hook_(source, target);
}

void ForeignCopier::drain() {
    while (!pending_.empty()) {
        auto [source, shell] = pending_.back();
        pending_.pop_back();
        fill(source, shell);
    }
}
