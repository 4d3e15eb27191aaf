#include "structure/form_copies.h"

#include <set>

#include <qpdf/QPDFPageObjectHelper.hh>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// Deeper nesting of form XObjects is taken as damage.
constexpr int DeepestNesting = 16;

class FormWalk {
public:
    explicit FormWalk(FormCopies::Pairs& pairs) : pairs_(pairs) {}

    void walk(QPDFObjectHandle resources, QPDFObjectHandle copiedResources, int depth) {
        QPDFObjectHandle objects = entry(resources, "/XObject"), copiedObjects = entry(copiedResources, "/XObject");
        if (depth > DeepestNesting || !objects.isDictionary() || !copiedObjects.isDictionary()) return;
        for (auto& [name, form] : objects.ditems()) {
            QPDFObjectHandle copy = copiedObjects.getKey(name);
            if (!form.isStream() || !copy.isStream() || nameOf(entry(form, "/Subtype")) != "/Form") continue;
            if (!met_.insert(form.getObjGen()).second) continue;
            pairs_.emplace_back(form, copy);
            walk(entry(form, "/Resources"), entry(copy, "/Resources"), depth + 1);
        }
    }

private:
    FormCopies::Pairs& pairs_;
    std::set<QPDFObjGen> met_;
};

}  // namespace

const FormCopies::Pairs& FormCopies::drawnOn(std::size_t position) {
    return between(input_.sourcePageAt(position), input_.target().pages[position]).pairs;
}

QPDFObjectHandle FormCopies::copyOf(int sourcePage, QPDFObjectHandle form) {
    QPDFObjectHandle outputPage = input_.outputPageOf(sourcePage);
    if (outputPage.isNull() || !form.isIndirect()) return QPDFObjectHandle::newNull();
    const PageForms& forms = between(sourcePage, outputPage);
    auto found = forms.copies.find(form.getObjGen());
    return found == forms.copies.end() ? QPDFObjectHandle::newNull() : found->second;
}

const FormCopies::PageForms& FormCopies::between(int sourcePage, QPDFObjectHandle outputPage) {
    auto [place, added] = pages_.try_emplace(outputPage.getObjGen());
    PageForms& forms = place->second;
    const std::vector<QPDFObjectHandle>& sourcePages = input_.sourcePages();
    if (!added || sourcePage < 0 || static_cast<std::size_t>(sourcePage) >= sourcePages.size()) return forms;
    FormWalk(forms.pairs)
        .walk(QPDFPageObjectHelper(sourcePages[static_cast<std::size_t>(sourcePage)]).getAttribute("/Resources", false),
              QPDFPageObjectHelper(outputPage).getAttribute("/Resources", false), 0);
    for (const auto& [form, copy] : forms.pairs) forms.copies.emplace(form.getObjGen(), copy);
    return forms;
}
