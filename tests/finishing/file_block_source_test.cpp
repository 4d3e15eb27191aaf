#include <gtest/gtest.h>

#include <memory>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "base/file_block_source.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;

// Every object of the file as libqpdf reads it, in object order.
std::string everyObject(QPDF& pdf) {
    std::string text;
    for (QPDFObjectHandle object : pdf.getAllObjects())
        text += object.isStream() ? object.getDict().unparse() + " stream\n" : object.unparse() + "\n";
    return text;
}

std::string throughFileSource(const std::string& path) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(path.c_str());
    return everyObject(pdf);
}

std::string throughBlocks(const std::string& path) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processInputSource(std::make_shared<FileBlockSource>(path));
    return everyObject(pdf);
}

TEST(FileBlockSource, ReadsWhatLibqpdfsFileSourceReads) {
    TempDir dir;
    // Several blocks: a shared embedded font of some hundred kilobytes and many pages.
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "A", 300, fixtures::PdfOptions().withSharedFont());
    {
        QPDF pdf;
        pdf.processFile(dir.file("plain.pdf").c_str());
        const std::string packed = dir.file("packed.pdf");
        QPDFWriter writer(pdf, packed.c_str());
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.write();
    }
    // A cross-reference table pointing nowhere: libqpdf rebuilds it by scanning the lines.
    std::string bytes = fixtures::readFile(dir.file("plain.pdf"));
    bytes.replace(bytes.rfind("startxref") + 10, 4, "9999");
    fixtures::writeFile(dir.file("damaged.pdf"), bytes);

    for (const char* name : {"plain.pdf", "packed.pdf", "damaged.pdf"}) {
        SCOPED_TRACE(name);
        const std::string expected = throughFileSource(dir.file(name));
        EXPECT_GT(expected.size(), 1000u);
        EXPECT_EQ(throughBlocks(dir.file(name)), expected);
    }
}

TEST(FileBlockSource, AMissingFileIsNamed) {
    EXPECT_THROW(
        {
            try {
                FileBlockSource source("/no/such/file.pdf");
            } catch (const std::runtime_error& error) {
                EXPECT_NE(std::string(error.what()).find("/no/such/file.pdf"), std::string::npos);
                throw;
            }
        },
        std::runtime_error);
}

}  // namespace
