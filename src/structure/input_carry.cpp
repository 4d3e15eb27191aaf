#include "structure/input_carry.h"

#include <stdexcept>

#include "structure/object_access.h"

InputCarry::InputCarry(CarryTarget& target, std::size_t input, StructureSource& source,
                       const DestinationNames& carriedBefore)
    : target_(target), input_(input), source_(source), copier_(target.pdf, source.pdf()),
      carriedBefore_(carriedBefore) {
    const std::vector<PageOrigin>& pages = target_.request.pages;
    for (std::size_t position = 0; position < pages.size(); ++position) {
        if (pages[position].input != input_) continue;
        positions_.push_back(position);
        firstPosition_.emplace(pages[position].sourcePage, position);
    }
    copier_.setDictionaryHook([this](QPDFObjectHandle from, QPDFObjectHandle to) { rewriteDestinations(from, to); });
    copier_.setPageResolver([this](QPDFObjectHandle object) {
        const bool typedAsPage = nameOf(object.getKey("/Type")) == "/Page";
        // The page list is read only for an object that says it is a page,
        // or when it has been read anyway.
        if (!typedAsPage && !source_.pagesRead()) return QPDFObjectHandle();
        sourcePages();
        const int index = source_.pageIndex(object.getObjGen());
        if (index < 0) return typedAsPage ? QPDFObjectHandle::newNull() : QPDFObjectHandle();
        return outputPageOf(index);
    });
}

const std::vector<QPDFObjectHandle>& InputCarry::sourcePages() {
    const std::vector<QPDFObjectHandle>& pages = source_.pages();
    const int expected = target_.request.inputs[input_].pageCount;
    if (expected >= 0 && pages.size() != static_cast<std::size_t>(expected))
        throw std::runtime_error("libqpdf reads " + std::to_string(pages.size()) + " pages, PDFium " +
                                 std::to_string(expected));
    return pages;
}

QPDFObjectHandle InputCarry::outputPageOf(int sourcePage) const {
    auto found = firstPosition_.find(sourcePage);
    return found == firstPosition_.end() ? QPDFObjectHandle::newNull() : target_.pages[found->second];
}

QPDFObjectHandle InputCarry::outputPageOf(QPDFObjectHandle sourcePage) {
    // A page number, as some writers put it.
    if (sourcePage.isInteger()) return outputPageOf(sourcePage.getIntValueAsInt());
    if (!sourcePage.isIndirect()) return QPDFObjectHandle::newNull();
    sourcePages();
    return outputPageOf(source_.pageIndex(sourcePage.getObjGen()));
}

QPDFObjectHandle InputCarry::carryDestination(QPDFObjectHandle destination) {
    if (!destination.isName() && !destination.isString()) return explicitDestination(destination, 0);

    // Names of the /Dests dictionary and strings of the /Dests name tree are
    // apart in the input; both become strings of the output's name tree.
    const std::string text = destination.isName() ? destination.getName().substr(1) : destination.getUTF8Value();
    const std::string key = (destination.isName() ? "n" : "s") + text;
    auto known = renamed_.find(key);
    if (known == renamed_.end()) {
        QPDFObjectHandle target = explicitDestination(source_.namedDestination(destination), 0);
        std::string carried;
        if (!target.isNull()) {
            carried = uniqueName(text, [this](const std::string& name) {
                return carriedBefore_.count(name) > 0 || names_.count(name) > 0;
            });
            names_.emplace(carried, target);
        }
        known = renamed_.emplace(key, carried).first;
    }
    return known->second.empty() ? QPDFObjectHandle::newNull() : QPDFObjectHandle::newUnicodeString(known->second);
}

QPDFObjectHandle InputCarry::explicitDestination(QPDFObjectHandle destination, int depth) {
    if (destination.isDictionary() && depth == 0) return explicitDestination(entry(destination, "/D"), 1);
    if (!destination.isArray() || destination.getArrayNItems() < 1) return QPDFObjectHandle::newNull();
    QPDFObjectHandle page = outputPageOf(destination.getArrayItem(0));
    if (page.isNull()) return QPDFObjectHandle::newNull();
    QPDFObjectHandle carried = QPDFObjectHandle::newArray();
    carried.appendItem(page);
    for (int i = 1; i < destination.getArrayNItems(); ++i) {
        QPDFObjectHandle item = destination.getArrayItem(i);
        carried.appendItem(item.isScalar() ? item.shallowCopy() : QPDFObjectHandle::newNull());
    }
    return carried;
}

void InputCarry::rewriteDestinations(QPDFObjectHandle source, QPDFObjectHandle copy) {
    auto rewrite = [&](const char* key) {
        QPDFObjectHandle carried = carryDestination(source.getKey(key));
        if (carried.isNull())
            copy.removeKey(key);
        else
            copy.replaceKey(key, carried);
    };
    if (source.hasKey("/Dest")) rewrite("/Dest");
    if (nameOf(source.getKey("/S")) == "/GoTo" && source.hasKey("/D")) rewrite("/D");
}
