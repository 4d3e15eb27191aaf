#include "structure/attachments_carry.h"

#include <qpdf/QPDFNameTreeObjectHelper.hh>

#include "structure/input_carry.h"
#include "structure/object_access.h"

namespace {

// Enough for any real document; more are taken as damage.
constexpr std::size_t MostAttachments = 10000;

}  // namespace

NameTreeEntries collectAttachments(InputCarry& input) {
    NameTreeEntries attachments;
    QPDFObjectHandle tree = entry(entry(input.source().catalog(), "/Names"), "/EmbeddedFiles");
    if (!tree.isDictionary()) return attachments;
    for (auto& [name, fileEntry] : QPDFNameTreeObjectHelper(tree, input.source().pdf(), false)) {
        if (attachments.size() >= MostAttachments) {
            input.source().note("attachments beyond the first " + std::to_string(MostAttachments));
            break;
        }
        if (!fileEntry.isDictionary()) continue;
        attachments.emplace(name, input.copier().copy(fileEntry));
    }
    return attachments;
}

void writeAttachments(QPDF& output, const std::vector<NameTreeEntries>& parts) {
    NameTreeEntries all;
    for (const NameTreeEntries& part : parts)
        for (const auto& [name, fileEntry] : part) {
            const std::string unique =
                uniqueName(name, [&all](const std::string& candidate) { return all.count(candidate) > 0; });
            all.emplace(unique, fileEntry);
        }
    writeNameTree(output, "/EmbeddedFiles", all);
}
