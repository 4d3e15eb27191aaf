#include "structure/object_access.h"

QPDFObjectHandle entry(QPDFObjectHandle object, const std::string& key) {
    if (object.isStream()) object = object.getDict();
    return object.isDictionary() ? object.getKey(key) : QPDFObjectHandle::newNull();
}

std::string nameOf(QPDFObjectHandle object) { return object.isName() ? object.getName() : std::string(); }

std::vector<QPDFObjectHandle> itemsOf(QPDFObjectHandle object) {
    return object.isArray() ? object.getArrayAsVector() : std::vector<QPDFObjectHandle>();
}

bool isIndirectDictionary(QPDFObjectHandle object) { return object.isIndirect() && object.isDictionary(); }

std::string uniqueName(const std::string& base, const std::function<bool(const std::string&)>& taken) {
    if (!taken(base)) return base;
    for (int suffix = 1;; ++suffix) {
        std::string candidate = base + "+" + std::to_string(suffix);
        if (!taken(candidate)) return candidate;
    }
}
