#include "structure/annotations_carry.h"

#include <algorithm>
#include <set>
#include <string>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

bool looksLikeAnnotation(QPDFObjectHandle object) {
    return object.isDictionary() && object.getKey("/Rect").isArray() && object.getKey("/Subtype").isName();
}

bool isGoTo(QPDFObjectHandle action) { return nameOf(entry(action, "/S")) == "/GoTo"; }

// A link whose destination was dropped because the output does not hold
// its page.
bool lostLinkTarget(QPDFObjectHandle source, QPDFObjectHandle copy) {
    if (nameOf(source.getKey("/Subtype")) != "/Link") return false;
    if (source.hasKey("/Dest") && !copy.hasKey("/Dest")) return true;
    return isGoTo(source.getKey("/A")) && entry(copy.getKey("/A"), "/D").isNull();
}

// The input's annotations of a page that PDFium copied with annotations.
std::vector<QPDFObjectHandle> sourceAnnotations(InputCarry& input, std::size_t position) {
    const std::vector<QPDFObjectHandle>& pages = input.sourcePages();
    const int page = input.sourcePageAt(position);
    std::vector<QPDFObjectHandle> annotations;
    if (page < 0 || static_cast<std::size_t>(page) >= pages.size()) return annotations;
    QPDFObjectHandle pageObject = pages[static_cast<std::size_t>(page)];
    QPDFObjectHandle list = entry(pageObject, "/Annots");
    const int count = list.isArray() ? list.getArrayNItems() : 0;
    const int read = std::min(count, static_cast<int>(MostPageAnnotations));
    if (count > read || input.source().annotationsShortened(pageObject.getObjGen()))
        input.source().note("annotations of a page beyond the first " + std::to_string(MostPageAnnotations));
    for (int i = 0; i < read; ++i)
        if (QPDFObjectHandle annotation = list.getArrayItem(i); annotation.isDictionary())
            annotations.push_back(annotation);
    return annotations;
}

}  // namespace

void carryAnnotations(InputCarry& input, PageAnnotations& annotations, FormPart& form) {
    const std::vector<QPDFObjectHandle>& outputPages = input.target().pages;
    std::vector<std::size_t> positions;
    for (std::size_t position : input.outputPositions())
        if (entry(outputPages[position], "/Annots").isArray()) positions.push_back(position);
    if (positions.empty()) return;

    std::vector<std::vector<QPDFObjectHandle>> sources;
    std::set<QPDFObjGen> onOutputPages;
    std::vector<QPDFObjectHandle> all;
    for (std::size_t position : positions) {
        sources.push_back(sourceAnnotations(input, position));
        for (QPDFObjectHandle annotation : sources.back()) {
            if (annotation.isIndirect()) onOutputPages.insert(annotation.getObjGen());
            all.push_back(annotation);
        }
    }
    FormCarry fields(input);
    fields.keepFieldsOf(all);

    ForeignCopier& copier = input.copier();
    // An annotation of a page the output does not hold (a reply's subject, a
    // kid of a kept field) is not carried wherever it is referred to.
    copier.setAdmission([&onOutputPages](QPDFObjectHandle object) {
        return !looksLikeAnnotation(object) || onOutputPages.count(object.getObjGen()) > 0;
    });
    std::set<int> copiedPages;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::vector<QPDFObjectHandle>& originals = sources[i];
        std::vector<QPDFObjectHandle> copies;
        if (copiedPages.insert(input.sourcePageAt(positions[i])).second) {
            for (QPDFObjectHandle annotation : originals) copies.push_back(copier.copy(annotation));
        } else {
            copies = fields.copyAgain(originals);
        }
        std::vector<QPDFObjectHandle>& kept = annotations[positions[i]];
        for (std::size_t k = 0; k < copies.size(); ++k) {
            QPDFObjectHandle original = originals[k], copy = copies[k];
            if (!copy.isDictionary() || lostLinkTarget(original, copy)) continue;
            if (isGoTo(original.getKey("/A")) && entry(copy.getKey("/A"), "/D").isNull()) copy.removeKey("/A");
            copy.replaceKey("/P", outputPages[positions[i]]);
            kept.push_back(copy);
        }
    }
    copier.setAdmission(nullptr);
    form = fields.finish();
}

void writeAnnotations(const std::vector<QPDFObjectHandle>& pages, const PageAnnotations& annotations) {
    for (const auto& [position, list] : annotations) {
        QPDFObjectHandle page = pages[position];
        if (list.empty())
            page.removeKey("/Annots");
        else
            page.replaceKey("/Annots", QPDFObjectHandle::newArray(list));
    }
}

bool trimPageAnnotations(QPDF& pdf) {
    bool trimmed = false;
    for (QPDFObjectHandle page : pdf.getAllPages()) {
        QPDFObjectHandle list = entry(page, "/Annots");
        if (!list.isArray() || list.getArrayNItems() <= static_cast<int>(MostPageAnnotations)) continue;
        std::vector<QPDFObjectHandle> kept = list.getArrayAsVector();
        kept.resize(MostPageAnnotations);
        page.replaceKey("/Annots", QPDFObjectHandle::newArray(kept));
        trimmed = true;
    }
    return trimmed;
}
