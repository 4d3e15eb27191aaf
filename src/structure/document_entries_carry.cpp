#include "structure/document_entries_carry.h"

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

const char* const InformationKeys[] = {"/Title", "/Author", "/Subject", "/Keywords"};

QPDFObjectHandle copyIf(InputCarry& input, QPDFObjectHandle value, bool wanted) {
    return wanted ? input.copier().copy(value) : QPDFObjectHandle::newNull();
}

QPDFObjectHandle openingAction(InputCarry& input) {
    QPDFObjectHandle action = entry(input.source().catalog(), "/OpenAction");
    if (action.isArray()) return input.carryDestination(action);
    if (nameOf(entry(action, "/S")) != "/GoTo") return QPDFObjectHandle::newNull();
    QPDFObjectHandle copy = input.copier().copy(action);
    return entry(copy, "/D").isNull() ? QPDFObjectHandle::newNull() : copy;
}

bool showsMissingPanel(QPDF& output, const std::string& mode) {
    QPDFObjectHandle catalog = output.getRoot();
    if (mode == "/UseOutlines") return !catalog.hasKey("/Outlines");
    if (mode == "/UseOC") return !catalog.hasKey("/OCProperties");
    if (mode == "/UseAttachments") return entry(entry(catalog, "/Names"), "/EmbeddedFiles").isNull();
    return false;
}

}  // namespace

DocumentEntries collectDocumentEntries(InputCarry& input, bool oneSource) {
    DocumentEntries entries;
    QPDFObjectHandle information = entry(input.source().pdf().getTrailer(), "/Info");
    for (const char* key : InformationKeys) {
        if (!entry(information, key).isString()) continue;
        if (entries.information.isNull()) entries.information = QPDFObjectHandle::newDictionary();
        entries.information.replaceKey(key, input.copier().copy(information.getKey(key)));
    }
    QPDFObjectHandle catalog = input.source().catalog();
    entries.viewerPreferences = copyIf(input, catalog.getKey("/ViewerPreferences"),
                                       catalog.getKey("/ViewerPreferences").isDictionary());
    entries.pageLayout = copyIf(input, catalog.getKey("/PageLayout"), catalog.getKey("/PageLayout").isName());
    entries.pageMode = copyIf(input, catalog.getKey("/PageMode"), catalog.getKey("/PageMode").isName());
    entries.language = copyIf(input, catalog.getKey("/Lang"), oneSource && catalog.getKey("/Lang").isString());
    entries.outputIntents =
        copyIf(input, catalog.getKey("/OutputIntents"), oneSource && catalog.getKey("/OutputIntents").isArray());
    entries.openAction = oneSource ? openingAction(input) : QPDFObjectHandle::newNull();
    return entries;
}

void writeDocumentEntries(QPDF& output, DocumentEntries entries) {
    if (entries.information.isDictionary()) {
        QPDFObjectHandle trailer = output.getTrailer();
        if (!trailer.getKey("/Info").isDictionary())
            trailer.replaceKey("/Info", output.makeIndirectObject(QPDFObjectHandle::newDictionary()));
        for (auto& [key, value] : entries.information.ditems()) trailer.getKey("/Info").replaceKey(key, value);
    }
    QPDFObjectHandle catalog = output.getRoot();
    auto put = [&catalog](const char* key, QPDFObjectHandle value) {
        if (!value.isNull()) catalog.replaceKey(key, value);
    };
    if (!catalog.getKey("/ViewerPreferences").isDictionary()) put("/ViewerPreferences", entries.viewerPreferences);
    put("/PageLayout", entries.pageLayout);
    if (!showsMissingPanel(output, nameOf(entries.pageMode))) put("/PageMode", entries.pageMode);
    put("/Lang", entries.language);
    put("/OutputIntents", entries.outputIntents);
    put("/OpenAction", entries.openAction);
}
