#include "finishing/output_finisher.h"

#include <stdexcept>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "finishing/file_access.h"
#include "finishing/structure/structure_carry.h"
#include "finishing/page_stamp.h"
#include "finishing/pdf_date.h"
#include "finishing/watermark_picture.h"
#include "jobs/whole_number.h"

namespace {

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot read PDF file \"" + path + "\": " + reason);
}

QPDFObjectHandle documentInformation(QPDF& pdf) {
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (!info.isDictionary()) {
        info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", info);
    }
    return info;
}

void drawWatermark(QPDF& pdf, std::vector<QPDFPageObjectHelper>& pages, const Protection& protection) {
    PageStamper stamper(pdf, loadWatermarkPicture(pdf, protection.watermarkPath));
    for (QPDFPageObjectHelper& page : pages) {
        const int x = readIntegerEntry(protection.watermarkX);
        const int y = readIntegerEntry(protection.watermarkY);
        stamper.stamp(page, x, y);
    }
}

// The inputs a job has opened for their structure, kept in the job's memory.
StructureSources& structureSources(std::unique_ptr<StructureMemory>& memory) {
    if (!dynamic_cast<StructureSources*>(memory.get())) memory = std::make_unique<StructureSources>();
    return static_cast<StructureSources&>(*memory);
}

}  // namespace

OutputFinisher::OutputFinisher(Protection protection, std::string creatorText)
    : protection_(std::move(protection)), creatorText_(std::move(creatorText)) {}

void OutputFinisher::finishOutputFile(const std::string& path) { finish(path, nullptr, nullptr); }

std::vector<std::size_t> OutputFinisher::finishWithStructure(const std::string& path, const StructureRequest& request,
                                                             std::unique_ptr<StructureMemory>& memory) {
    return finish(path, &request, &memory);
}

std::vector<std::size_t> OutputFinisher::finish(const std::string& path, const StructureRequest* request,
                                                std::unique_ptr<StructureMemory>* memory) {
    // Read into memory: the file is replaced while the document is still in use.
    std::string bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const std::exception& error) {
        cannotRead(path, error.what());
    }
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    std::vector<std::size_t> unreadInputs;
    try {
        pdf.processMemoryFile(path.c_str(), bytes.data(), bytes.size());
        if (request) unreadInputs = carryStructure(pdf, *request, structureSources(*memory)).unreadInputs;

        QPDFObjectHandle info = documentInformation(pdf);
        info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(creatorText_));
        info.replaceKey("/CreationDate", QPDFObjectHandle::newString(currentPdfDate()));
        info.replaceKey("/ModDate", QPDFObjectHandle::newString(currentPdfDate()));

        if (!protection_.watermarkPath.empty()) {
            QPDFPageDocumentHelper document(pdf);
            std::vector<QPDFPageObjectHelper> pages = document.getAllPages();
            if (!pages.empty()) {
                document.pushInheritedAttributesToPage();
                drawWatermark(pdf, pages, protection_);
            }
        }
    } catch (const QPDFExc& error) {
        cannotRead(path, error.getMessageDetail());
    }

    const std::string& password = protection_.outputPassword;
    replaceFile(path, [&](std::FILE* file) {
        QPDFWriter writer(pdf, path.c_str(), file, false);
        if (!password.empty())
            // The same text opens the file and owns it, so whoever opens it may do everything.
            writer.setR6EncryptionParameters(password.c_str(), password.c_str(), true, true, true, true, true, true,
                                             qpdf_r3p_full, true);
        writer.write();
    });
    return unreadInputs;
}
