#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <sys/stat.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/pdf_error.h"
#include "engine/pdf_document.h"
#include "finishing/output_finisher.h"
#include "base/application.h"
#include "base/whole_number.h"
#include "support/finish_file.h"
#include "support/fixtures.h"
#include "support/scoped_environment.h"
#include "hostile_pictures.h"
#include "test_pages.h"
#include "test_pictures.h"

namespace {

using fixtures::errorOf;

using fixtures::TempDir;

std::string infoEntry(const std::string& path, const std::string& key, const std::string& password = "") {
    QPDF pdf;
    pdf.processFile(path.c_str(), password.empty() ? nullptr : password.c_str());
    QPDFObjectHandle value = pdf.getTrailer().getKey("/Info").getKey(key);
    return value.isString() ? value.getUTF8Value() : "(none)";
}

// Seconds since the epoch of a "D:YYYYMMDDHHmmSS+HH'mm'" date.
std::time_t secondsOf(const std::string& date) {
    std::smatch m;
    static const std::regex shape(R"(D:(\d{4})(\d\d)(\d\d)(\d\d)(\d\d)(\d\d)([+-])(\d\d)'(\d\d)')");
    if (!std::regex_match(date, m, shape)) return -1;
    std::tm utc{};
    utc.tm_year = std::stoi(m[1]) - 1900;
    utc.tm_mon = std::stoi(m[2]) - 1;
    utc.tm_mday = std::stoi(m[3]);
    utc.tm_hour = std::stoi(m[4]);
    utc.tm_min = std::stoi(m[5]);
    utc.tm_sec = std::stoi(m[6]);
    const int offset = (std::stoi(m[8]) * 60 + std::stoi(m[9])) * 60 * (m[7] == "-" ? -1 : 1);
    return timegm(&utc) - offset;
}

class Finishing : public ::testing::Test {
protected:
    void SetUp() override { fixtures::writeMarkedPdf(output, "A", 3); }

    // Finishes path as every job does, with the protection set up so far.
    void finish(const std::string& path) { fixtures::finishFile(OutputFinisher(protection, CreatorText), path); }

    TempDir dir;
    std::string output = dir.file("out.pdf");
    Protection protection;
};

TEST_F(Finishing, StampsCreatorAndDatesWhenNothingIsConfigured) {
    const fixtures::ScopedEnvironment clock("SOURCE_DATE_EPOCH", std::nullopt);  // the dates come from the clock
    const std::time_t before = std::time(nullptr);
    finish(output);
    const std::time_t after = std::time(nullptr);

    EXPECT_EQ(infoEntry(output, "/Creator"), "Splimera (https://splimera.brellow.org)");
    for (const char* key : {"/CreationDate", "/ModDate"}) {
        const std::string date = infoEntry(output, key);
        const std::time_t when = secondsOf(date);
        EXPECT_GE(when, before) << key << " " << date;
        EXPECT_LE(when, after) << key << " " << date;
    }
    EXPECT_EQ(fixtures::markerText(output), "A1 A2 A3");
    EXPECT_EQ(fixtures::filesIn(dir.path()), std::vector<std::string>{"out.pdf"});
}

TEST_F(Finishing, KeepsOtherInformationAndTakesTheCaptionGiven) {
    {
        QPDF pdf;
        pdf.processFile(output.c_str());
        QPDFObjectHandle info = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Title (Kept) /Creator (Old) >>"));
        pdf.getTrailer().replaceKey("/Info", info);
        const std::string titled = dir.file("titled.pdf");
        QPDFWriter writer(pdf, titled.c_str());
        writer.write();
    }
    fixtures::finishFile(OutputFinisher(protection, "Splimera – Ünïcode (https://splimera.brellow.org)"),
                       dir.file("titled.pdf"));
    EXPECT_EQ(infoEntry(dir.file("titled.pdf"), "/Title"), "Kept");
    EXPECT_EQ(infoEntry(dir.file("titled.pdf"), "/Creator"), "Splimera – Ünïcode (https://splimera.brellow.org)");
}

// The same text opens the file and owns it, in libqpdf and in PDFium alike.
TEST_F(Finishing, PasswordOpensTheFileWithEveryRight) {
    protection.outputPassword = "s3cret pässword";
    finish(output);

    {
        QPDF locked;
        EXPECT_THROW(locked.processFile(output.c_str()), QPDFExc);
        QPDF wrong;
        EXPECT_THROW(wrong.processFile(output.c_str(), "s3cret"), QPDFExc);
    }
    QPDF pdf;
    pdf.processFile(output.c_str(), "s3cret pässword");
    int revision = 0, permissions = 0, version = 0;
    QPDF::encryption_method_e stream, string, file;
    ASSERT_TRUE(pdf.isEncrypted(revision, permissions, version, stream, string, file));
    EXPECT_EQ(revision, 6);
    EXPECT_EQ(stream, QPDF::e_aesv3);
    EXPECT_TRUE(pdf.userPasswordMatched());
    EXPECT_TRUE(pdf.ownerPasswordMatched());
    EXPECT_TRUE(pdf.allowAccessibility() && pdf.allowExtractAll() && pdf.allowPrintHighRes() &&
                pdf.allowModifyAssembly() && pdf.allowModifyForm() && pdf.allowModifyAnnotation() &&
                pdf.allowModifyOther() && pdf.allowModifyAll());
    EXPECT_EQ(fixtures::markerText(output, "s3cret pässword"), "A1 A2 A3");
    EXPECT_EQ(infoEntry(output, "/Creator", "s3cret pässword"), "Splimera (https://splimera.brellow.org)");

    EXPECT_EQ(errorOf([&] { PdfDocument::open(output); }), "Password required or incorrect password");
    const PdfDocument opened = PdfDocument::open(output, "s3cret pässword");
    EXPECT_EQ(opened.pageCount(), 3);
    auto documentPermissions =
        reinterpret_cast<unsigned long (*)(FPDF_DOCUMENT)>(test_pages::pdfiumEntry("FPDF_GetDocPermissions"));
    // Print, modify, copy, annotate, fill, extract, assemble, print faithfully.
    const unsigned long everyRight = 0xF3C;
    EXPECT_EQ(documentPermissions(opened.handle()) & everyRight, everyRight);
}

// The password is hashed into a file key once per job: every output of one
// finisher holds the same encrypted key and opens with the password alone;
// another job makes a key of its own.
TEST_F(Finishing, OutputsOfOneJobShareTheirFileKey) {
    protection.outputPassword = "pw";
    const std::string second = dir.file("second.pdf"), otherJob = dir.file("other.pdf");
    fixtures::writeMarkedPdf(second, "B", 2);
    fixtures::writeMarkedPdf(otherJob, "C", 1);
    OutputFinisher job(protection, CreatorText);
    fixtures::finishFile(job, output);
    fixtures::finishFile(job, second);
    finish(otherJob);

    const auto encryptedKey = [](const std::string& path) {
        QPDF pdf;
        pdf.processFile(path.c_str(), "pw");
        return pdf.getTrailer().getKey("/Encrypt").getKey("/UE").getStringValue();
    };
    EXPECT_EQ(encryptedKey(output), encryptedKey(second));
    EXPECT_NE(encryptedKey(output), encryptedKey(otherJob));
    EXPECT_EQ(fixtures::markerText(output, "pw"), "A1 A2 A3");
    EXPECT_EQ(fixtures::markerText(second, "pw"), "B1 B2");
    EXPECT_EQ(errorOf([&] { PdfDocument::open(second); }), "Password required or incorrect password");
    EXPECT_EQ(PdfDocument::open(second, "pw").pageCount(), 2);
}

// A password other readers would cut short is refused before anything is written.
TEST_F(Finishing, RefusesAnOutputPasswordLongerThan127Bytes) {
    const std::string saved = fixtures::readFile(output);
    protection.outputPassword = std::string(128, 'p');
    EXPECT_EQ(errorOf([&] { finish(output); }),
              "The output password is longer than 127 bytes; other PDF readers could not open the files with it");
    EXPECT_EQ(fixtures::readFile(output), saved);
    protection.outputPassword = std::string(127, 'p');
    finish(output);
    EXPECT_EQ(fixtures::markerText(output, protection.outputPassword), "A1 A2 A3");
}

// A stored password its keyring could not give is not left out without a word.
TEST_F(Finishing, RefusesWhenTheStoredPasswordCouldNotBeRead) {
    const std::string saved = fixtures::readFile(output);
    protection.outputPasswordUnreadable = "The stored output password cannot be read from the desktop's keyring: no answer";
    EXPECT_EQ(errorOf([&] { finish(output); }), protection.outputPasswordUnreadable);
    EXPECT_EQ(fixtures::readFile(output), saved);
}

// A position that is not a whole number stops finishing before anything is
// written: the file stays byte for byte as it was, X is read first, and the
// message says which position it is.
TEST_F(Finishing, PositionErrorLeavesTheFileAsSaved) {
    pictures::writePng(dir.file("mark.png"), {});
    const std::string saved = fixtures::readFile(output);
    struct Case {
        std::string x, y, message;
    } cases[] = {
        {"abc", "0", "Watermark position X: 'abc' is not a valid integer value for Integer type"},
        {"", "0", "Watermark position X: '' is not a valid integer value for Integer type"},
        {"10", "1.5", "Watermark position Y: '1.5' is not a valid integer value for Integer type"},
        {"10", "", "Watermark position Y: '' is not a valid integer value for Integer type"},
        {"left", "top", "Watermark position X: 'left' is not a valid integer value for Integer type"},
    };
    protection.outputPassword = "pw";
    protection.watermarkPath = dir.file("mark.png");
    for (const Case& c : cases) {
        protection.watermarkX = c.x;
        protection.watermarkY = c.y;
        try {
            finish(output);
            ADD_FAILURE() << "no error for " << c.x << ", " << c.y;
        } catch (const ConvertError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(fixtures::readFile(output), saved) << c.x << ", " << c.y;
        EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"mark.png", "out.pdf"}));
    }
}

TEST_F(Finishing, PictureErrorsNameThePictureAndLeaveTheFile) {
    fixtures::writeFile(dir.file("notes.png"), "just some text, not a picture");
    pictures::writePng(dir.file("whole.png"), {});
    const std::string png = fixtures::readFile(dir.file("whole.png"));
    fixtures::writeFile(dir.file("cut.png"), png.substr(0, png.size() / 2));
    fixtures::writeFile(dir.file("cut.jpg"), "\xFF\xD8\xFF\xE0 truncated");
    std::filesystem::create_directory(dir.file("folder.png"));
    fixtures::writeFile(dir.file("huge-text.png"), hostile_pictures::pngWithHugeTextChunk());
    fixtures::writeFile(dir.file("no-pixels.png"), hostile_pictures::pngDeclaringPixelsItLacks());
    pictures::writeJpeg(dir.file("whole.jpg"), 64, 64, 3, pictures::QuadrantA, 72);
    const std::string jpeg = fixtures::readFile(dir.file("whole.jpg"));
    fixtures::writeFile(dir.file("cut-scan.jpg"), hostile_pictures::jpegCutAfterScanHeader(jpeg));
    fixtures::writeFile(dir.file("tall.jpg"), hostile_pictures::jpegWithTallerFrame(jpeg));
    struct Case {
        std::string picture, reason;
    } cases[] = {
        {"missing.png", "No such file or directory"},
        {"notes.png", "not a PNG or JPEG picture"},
        {"cut.png", "not a readable PNG picture"},
        {"cut.jpg", "not a readable JPEG picture"},
        {"folder.png", "Is a directory"},
        {"huge-text.png", "not a readable PNG picture"},
        {"no-pixels.png", "not a readable PNG picture (the picture lacks most of its data)"},
        {"cut-scan.jpg", "not a readable JPEG picture"},
        {"tall.jpg", "not a readable JPEG picture"},
    };
    const std::string saved = fixtures::readFile(output);
    protection.watermarkX = protection.watermarkY = "0";
    for (const Case& c : cases) {
        protection.watermarkPath = dir.file(c.picture);
        const std::string message = errorOf([&] { finish(output); });
        EXPECT_EQ(message.rfind("Cannot load the watermark picture \"" + dir.file(c.picture) + "\": " + c.reason, 0), 0u)
            << message;
        EXPECT_EQ(fixtures::readFile(output), saved) << c.picture;
    }
}

TEST_F(Finishing, UnreadableOutputIsReportedWithItsName) {
    fixtures::writeFile(dir.file("garbage.pdf"), "this is not a PDF at all");
    const std::string message = errorOf([&] { finish(dir.file("garbage.pdf")); });
    EXPECT_EQ(message.rfind("Cannot write file \"" + dir.file("garbage.pdf") + "\": the new document cannot be read", 0), 0u)
        << message;
    EXPECT_EQ(fixtures::readFile(dir.file("garbage.pdf")), "this is not a PDF at all");
}

// A file marked read-only is not replaced; a writable one keeps its permissions.
TEST_F(Finishing, RespectsTheFilesPermissions) {
    const std::string saved = fixtures::readFile(output);
    ::chmod(output.c_str(), 0444);
    EXPECT_EQ(errorOf([&] { finish(output); }),
              "Cannot create file \"" + output + "\". Permission denied");
    EXPECT_EQ(fixtures::readFile(output), saved);
    EXPECT_EQ(fixtures::filesIn(dir.path()), std::vector<std::string>{"out.pdf"});

    ::chmod(output.c_str(), 0640);
    finish(output);
    struct stat status {};
    ::stat(output.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

}  // namespace
