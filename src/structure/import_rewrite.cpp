#include "structure/import_rewrite.h"

#include <memory>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>

#include "structure/annotations_carry.h"
#include "base/file_block_source.h"
#include "structure/foreign_copier.h"
#include "structure/long_annotation_lists.h"

namespace {

// A new document holding what a reader of pdf reaches: its pages, its
// catalog and its document information, each object copied once. libqpdf's
// writer would otherwise read every object of the file, the annotations left
// out included, to check its references.
std::unique_ptr<QPDF> copiedReachable(QPDF& pdf) {
    auto light = std::make_unique<QPDF>();
    light->setSuppressWarnings(true);
    light->emptyPDF();
    pdf.pushInheritedAttributesToPage();
    ForeignCopier copier(*light, pdf);
    std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
    std::vector<QPDFObjectHandle> copies;
    for (QPDFObjectHandle page : pages) {
        copies.push_back(light->makeIndirectObject(QPDFObjectHandle::newDictionary()));
        copier.map(page.getObjGen(), copies.back());
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        for (const std::string& key : pages[i].getKeys())
            if (key != "/Parent") copies[i].replaceKey(key, copier.copy(pages[i].getKey(key)));
        light->addPage(copies[i], false);
    }
    QPDFObjectHandle root = light->getRoot();
    QPDFObjectHandle sourceRoot = pdf.getRoot();
    for (const std::string& key : sourceRoot.getKeys())
        if (key != "/Pages" && key != "/Type") root.replaceKey(key, copier.copy(sourceRoot.getKey(key)));
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    if (info.isDictionary()) {
        QPDFObjectHandle copied = copier.copy(info);
        light->getTrailer().replaceKey("/Info", copied.isIndirect() ? copied : light->makeIndirectObject(copied));
    }
    return light;
}

}  // namespace

std::optional<std::string> rewriteForImport(const std::string& path, const std::string& password,
                                            std::int64_t minimumBytes) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processInputSource(std::make_shared<FileBlockSource>(path), password.empty() ? nullptr : password.c_str());
    const bool shortened = !shortenLongAnnotationLists(pdf, path).empty();
    const bool stubbed = stubLargePictures(pdf, path, minimumBytes);
    const bool trimmed = trimPageAnnotations(pdf) || shortened;
    if (!stubbed && !trimmed) return std::nullopt;
    const std::unique_ptr<QPDF> light = copiedReachable(pdf);
    QPDFWriter writer(*light);
    writer.setOutputMemory();
    writer.setStreamDataMode(qpdf_s_preserve);
    writer.write();
    const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
}
