#include "finishing/shared_resources.h"

#include <set>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/object_access.h"
#include "structure/structure_sources.h"

namespace {

struct ResourceSharing {
    bool shared = false;
};

bool pagesShareResources(QPDF& pdf) {
    std::set<QPDFObjGen> seen;
    const auto seenBefore = [&](QPDFObjectHandle object) {
        return object.isIndirect() && !seen.insert(object.getObjGen()).second;
    };
    for (QPDFObjectHandle page : pdf.getAllPages()) {
        QPDFObjectHandle resources = entry(page, "/Resources");
        if (!resources.isDictionary() || seenBefore(resources)) return true;
        for (const std::string& key : resources.getKeys()) {
            QPDFObjectHandle group = resources.getKey(key);
            if (group.isDictionary() && seenBefore(group)) return true;
        }
        QPDFObjectHandle pictures = entry(resources, "/XObject");
        if (!pictures.isDictionary()) continue;
        for (const std::string& name : pictures.getKeys()) {
            QPDFObjectHandle picture = pictures.getKey(name);
            if (picture.isFormXObject() && !entry(picture, "/Resources").isDictionary()) return true;
        }
    }
    return false;
}

}  // namespace

bool mayHoldUnusedResources(const StructureRequest& request, StructureSources& sources) {
    if (request.pages.empty()) return true;  // pages from nowhere known
    std::vector<bool> looked(request.inputs.size(), false);
    for (const PageOrigin& page : request.pages) {
        if (page.input == PageOrigin::NoInput) continue;
        if (page.input >= request.inputs.size()) return true;
        if (looked[page.input]) continue;
        looked[page.input] = true;
        StructureSource* source = sources.open(request.inputs[page.input]);
        if (!source) return true;
        try {
            if (source->remembered<ResourceSharing>([&] { return ResourceSharing{pagesShareResources(source->pdf())}; })
                    .shared)
                return true;
        } catch (const std::exception&) {
            return true;
        }
    }
    return false;
}
