#include "engine/qpdf_rewrite.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/page_tree_check.h"
#include "engine/quiet_qpdf.h"

std::optional<std::string> readableRewrite(const std::string& fileName, const std::string& password) {
    try {
        std::unique_ptr<QPDF> pdf = openQuietly(fileName, password);
        if (anyParentLoop(*pdf) || QPDFPageDocumentHelper(*pdf).getAllPages().empty()) return std::nullopt;
        // Other readers want the catalog as an object of its own, marked as one.
        QPDFObjectHandle root = pdf->getRoot();
        if (!root.isIndirect()) {
            root = pdf->makeIndirectObject(root);
            pdf->getTrailer().replaceKey("/Root", root);
        }
        if (!root.getKey("/Type").isNameAndEquals("/Catalog")) root.replaceKey("/Type", QPDFObjectHandle::newName("/Catalog"));
        QPDFWriter writer(*pdf);
        writer.setOutputMemory();
        writer.setPreserveEncryption(false);
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.write();
        std::unique_ptr<Buffer> bytes(writer.getBuffer());
        return std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
    } catch (...) {
        return std::nullopt;
    }
}
