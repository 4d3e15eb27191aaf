#include "finishing/output_finisher.h"

#include <stdexcept>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/InputSource.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDFWriter.hh>

#include "finishing/job_encryption.h"
#include "finishing/page_stamp.h"
#include "structure/picture_stubs.h"
#include "structure/structure_carry.h"
#include "finishing/pdf_date.h"
#include "finishing/shared_resources.h"
#include "finishing/watermark_picture.h"
#include "base/whole_number.h"

namespace {

// Reproducible outputs (SOURCE_DATE_EPOCH set): the identifier comes from the
// content, not the clock. Encryption keeps its random salt, so only plain
// files can be.
bool reproducible(const Protection& protection) { return protection.outputPassword.empty() && sourceDateEpoch(); }

QPDFObjectHandle documentInformation(QPDF& pdf) {
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (!info.isDictionary()) {
        info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", info);
    }
    return info;
}

int positionOf(const std::string& text, const char* axis) {
    try {
        return readIntegerEntry(text);
    } catch (const ConvertError& error) {
        throw ConvertError(std::string("Watermark position ") + axis + ": " + error.what());
    }
}

}  // namespace

OutputFinisher::OutputFinisher(Protection protection, std::string creatorText)
    : protection_(std::move(protection)), creatorText_(std::move(creatorText)) {}

OutputFinisher::OutputFinisher(OutputFinisher&&) = default;
OutputFinisher::~OutputFinisher() = default;

void OutputFinisher::prepare() {
    if (!protection_.outputPasswordUnreadable.empty()) throw std::runtime_error(protection_.outputPasswordUnreadable);
    if (const std::string problem = outputPasswordProblem(protection_.outputPassword); !problem.empty())
        throw std::runtime_error(problem);
    sourceDateEpoch();  // a value that is no time fails the job before its first output
    if (!protection_.outputPassword.empty() && !encryption_)
        encryption_ = std::make_unique<JobEncryption>(protection_.outputPassword);
    if (protection_.watermarkPath.empty() || picture_) return;
    picture_ = preparePicture(protection_.watermarkPath);
    x_ = positionOf(protection_.watermarkX, "X");
    y_ = positionOf(protection_.watermarkY, "Y");
}

void OutputFinisher::finish(QPDF& pdf, const NewOutput& output) {
    prepare();
    pdf.setSuppressWarnings(true);
    try {
        pdf.processInputSource(output.pdf.source(output.path));
        if (!sources_) sources_ = std::make_unique<StructureSources>();
        // Both walks read every object of the output or the page tree of every input: only where needed.
        if (mayHoldPictureStubs(output.structure)) restorePictures(pdf, output.structure, *sources_);
        // Pruning reads every page's content: only where pages may hold what they do not draw. An output
        // of whole inputs keeps what they held, as its pages did there.
        if (!output.structure.takesWholeInputs() && mayHoldUnusedResources(output.structure, *sources_))
            QPDFPageDocumentHelper(pdf).removeUnreferencedResources();
        StructureResult carried = carryStructure(pdf, output.structure, *sources_);
        structureNotCarried_ = carried.unreadInputs;
        structureNotes_ = carried.notes;

        QPDFObjectHandle info = documentInformation(pdf);
        const std::string now = currentPdfDate();
        info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(creatorText_));
        info.replaceKey("/CreationDate", QPDFObjectHandle::newString(now));
        info.replaceKey("/ModDate", QPDFObjectHandle::newString(now));
        // The writer would keep the first half of the engine's random identifier.
        if (reproducible(protection_)) pdf.getTrailer().removeKey("/ID");

        if (picture_) {
            QPDFPageDocumentHelper document(pdf);
            std::vector<QPDFPageObjectHelper> pages = document.getAllPages();
            if (!pages.empty()) {
                document.pushInheritedAttributesToPage();
                PageStamper stamper(pdf, embedPicture(pdf, *picture_));
                for (QPDFPageObjectHelper& page : pages) stamper.stamp(page, x_, y_);
            }
        }
    } catch (const QPDFExc& error) {
        throw std::runtime_error("the new document cannot be read (" + error.getMessageDetail() + ")");
    }
}

void OutputFinisher::protect(QPDFWriter& writer) const {
    if (reproducible(protection_)) writer.setDeterministicID(true);
    if (encryption_) encryption_->applyTo(writer);
}

void OutputFinisher::writeFinished(const NewOutput& output, std::FILE* file) {
    QPDF pdf;
    finish(pdf, output);
    QPDFWriter writer(pdf, output.path.c_str(), file, false);
    protect(writer);
    writer.write();
}

std::string OutputFinisher::finishInMemory(const NewOutput& output) {
    QPDF pdf;
    finish(pdf, output);
    // Written straight into the string: the writer's own memory output grows
    // a buffer by copies and copies it out twice.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(output.pdf.size()) + (output.pdf.size() >> 3) + 4096);
    Pl_String into("finished output", nullptr, bytes);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&into);
    protect(writer);
    writer.write();
    return bytes;
}
