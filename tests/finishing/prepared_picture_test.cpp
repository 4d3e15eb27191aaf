#include <gtest/gtest.h>

#include <memory>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "finishing/watermark_picture.h"
#include "support/fixtures.h"
#include "test_pictures.h"

namespace {

// A document whose only object of note is the embedded picture, written and
// read back; the written bytes live as long as the copy that reads them.
struct WrittenCopy {
    std::shared_ptr<Buffer> bytes;
    QPDF pdf;
};

std::unique_ptr<WrittenCopy> roundTrip(const PreparedPicture& prepared) {
    QPDF pdf;
    pdf.emptyPDF();
    const WatermarkPicture picture = embedPicture(pdf, prepared);
    pdf.getRoot().replaceKey("/Picture", picture.image);
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    auto copy = std::make_unique<WrittenCopy>();
    copy->bytes = writer.getBufferSharedPointer();
    copy->pdf.processMemoryFile("written", reinterpret_cast<const char*>(copy->bytes->getBuffer()),
                                copy->bytes->getSize());
    return copy;
}

std::string rawData(QPDFObjectHandle stream) {
    std::shared_ptr<Buffer> data(stream.getRawStreamData());
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
}

TEST(PreparedPicture, EveryDocumentEmbedsTheBytesPreparedOnce) {
    fixtures::TempDir dir;
    pictures::writePng(dir.file("mark.png"), {});
    pictures::writeJpeg(dir.file("mark.jpg"), 16, 8, 3, pictures::QuadrantA, 72);
    for (const char* name : {"mark.png", "mark.jpg"}) {
        SCOPED_TRACE(name);
        const PreparedPicture prepared = preparePicture(dir.file(name));
        for (int document = 0; document < 2; ++document) {
            const std::unique_ptr<WrittenCopy> copy = roundTrip(prepared);
            QPDFObjectHandle image = copy->pdf.getRoot().getKey("/Picture");
            EXPECT_EQ(rawData(image), *prepared.samples);
            if (prepared.alpha) {
                EXPECT_EQ(rawData(image.getDict().getKey("/SMask")), *prepared.alpha);
            }
        }
        EXPECT_EQ(prepared.alpha != nullptr, std::string(name) == "mark.png");
    }
}

}  // namespace
