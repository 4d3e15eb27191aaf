#include "support/fixtures.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>
#include <unistd.h>

namespace fixtures {
namespace {

std::string fontProgram() {
    const char* candidates[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"};
    for (const char* candidate : candidates)
        if (fileExists(candidate)) return readFile(candidate);
    // No system font: a stand-in of a realistic size is enough to weigh copies.
    std::string blob(300000, '\0');
    std::mt19937 random(7);
    for (char& c : blob) c = static_cast<char>(random());
    return blob;
}

QPDFObjectHandle embeddedFont(QPDF& pdf) {
    QPDFObjectHandle program = QPDFObjectHandle::newStream(&pdf, fontProgram());
    const std::string length = std::to_string(program.getRawStreamData()->getSize());
    program.getDict().replaceKey("/Length1", QPDFObjectHandle::parse(length));
    QPDFObjectHandle descriptor = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /FontDescriptor /FontName /DejaVuSans /Flags 32 /FontBBox [-1021 -463 1793 1232]"
        " /ItalicAngle 0 /Ascent 928 /Descent -236 /CapHeight 700 /StemV 80 >>"));
    descriptor.replaceKey("/FontFile2", program);
    QPDFObjectHandle font = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /TrueType /BaseFont /DejaVuSans /FirstChar 32 /LastChar 32 /Widths [318]"
        " /Encoding /WinAnsiEncoding >>"));
    font.replaceKey("/FontDescriptor", descriptor);
    return font;
}

// A picture of random bytes, which no compression makes smaller.
QPDFObjectHandle randomPicture(QPDF& pdf, int bytes, int seed) {
    std::string data(static_cast<std::size_t>(bytes), '\0');
    std::mt19937 random(static_cast<unsigned>(seed));
    for (char& c : data) c = static_cast<char>(random());
    QPDFObjectHandle picture = QPDFObjectHandle::newStream(&pdf, data);
    picture.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    picture.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    picture.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(bytes));
    picture.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(1));
    picture.getDict().replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
    picture.getDict().replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    return picture;
}

void addOutline(QPDF& pdf, const std::vector<BookmarkFixture>& bookmarks) {
    if (bookmarks.empty()) return;
    const std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
    QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
    std::vector<QPDFObjectHandle> parents{outlines};  // parents[level - 1]
    std::map<QPDFObjGen, QPDFObjectHandle> lastChild;
    for (const BookmarkFixture& bookmark : bookmarks) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(bookmark.title));
        if (bookmark.page > 0)
            item.replaceKey("/Dest", QPDFObjectHandle::newArray({pages.at(static_cast<std::size_t>(bookmark.page - 1)),
                                                                 QPDFObjectHandle::newName("/Fit")}));
        parents.resize(static_cast<std::size_t>(bookmark.level));
        QPDFObjectHandle parent = parents.back();
        item.replaceKey("/Parent", parent);
        auto last = lastChild.find(parent.getObjGen());
        if (last == lastChild.end()) {
            parent.replaceKey("/First", item);
        } else {
            last->second.replaceKey("/Next", item);
            item.replaceKey("/Prev", last->second);
        }
        parent.replaceKey("/Last", item);
        lastChild[parent.getObjGen()] = item;
        parents.push_back(item);
    }
    pdf.getRoot().replaceKey("/Outlines", outlines);
}

std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

void writeMarkedPdf(const std::string& path, const std::string& prefix, int pages, const PdfOptions& options) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle helvetica =
        pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    QPDFObjectHandle shared = options.sharedFont ? embeddedFont(pdf) : QPDFObjectHandle::newNull();
    QPDFPageDocumentHelper document(pdf);
    for (int i = 1; i <= pages; ++i) {
        const std::string marker = prefix + std::to_string(i);
        std::string content = "BT /F1 36 Tf 72 " + number(options.height - 120) + " Td (" + marker + ") Tj ET\n";
        if (options.sharedFont) content += "BT /F2 12 Tf 72 72 Td ( ) Tj ET\n";
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", helvetica);
        if (options.sharedFont) fonts.replaceKey("/F2", shared);
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/Font", fonts);
        if (auto picture = options.pictureBytes.find(i); picture != options.pictureBytes.end()) {
            QPDFObjectHandle pictures = QPDFObjectHandle::newDictionary();
            pictures.replaceKey("/Im1", randomPicture(pdf, picture->second, i));
            resources.replaceKey("/XObject", pictures);
            content += "q 100 0 0 1 72 200 cm /Im1 Do Q\n";
        }
        QPDFObjectHandle page = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 " + number(options.width) + " " + number(options.height) + "] >>"));
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
        page.replaceKey("/Resources", resources);
        if (options.rotate) page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(options.rotate));
        if (options.cropBox.size() == 4) {
            std::string box = "[";
            for (double v : options.cropBox) box += number(v) + " ";
            page.replaceKey("/CropBox", QPDFObjectHandle::parse(box + "]"));
        }
        document.addPage(QPDFPageObjectHelper(page), false);
    }
    addOutline(pdf, options.bookmarks);
    QPDFWriter writer(pdf, path.c_str());
    writer.setStaticID(true);
    if (!options.password.empty())
        writer.setR6EncryptionParameters(options.password.c_str(), options.password.c_str(), true, true, true, true,
                                         true, true, qpdf_r3p_full, true);
    writer.write();
}

std::vector<std::string> readMarkers(const std::string& path, const std::string& password) {
    QPDF pdf;
    pdf.processFile(path.c_str(), password.empty() ? nullptr : password.c_str());
    static const std::regex marker(R"(\(([^()]*)\)\s*Tj)");
    std::vector<std::string> markers;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        Pl_Buffer buffer("contents");
        page.pipeContents(&buffer);
        std::unique_ptr<Buffer> data(buffer.getBuffer());
        const std::string text(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        std::smatch match;
        markers.push_back(std::regex_search(text, match, marker) ? match[1].str() : std::string());
    }
    return markers;
}

std::string bookmarkTitles(const std::string& path) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    std::string titles;
    QPDFObjectHandle outlines = pdf.getRoot().getKey("/Outlines");
    for (QPDFObjectHandle item = outlines.isDictionary() ? outlines.getKey("/First") : outlines; item.isDictionary();
         item = item.getKey("/Next"))
        titles += (titles.empty() ? "" : " ") + item.getKey("/Title").getUTF8Value();
    return titles;
}

namespace {

void appendTree(QPDFObjectHandle parent, std::string& text) {
    for (QPDFObjectHandle item = parent.getKey("/First"); item.isDictionary(); item = item.getKey("/Next")) {
        text += (text.empty() || text.back() == '[' ? "" : " ") + item.getKey("/Title").getUTF8Value();
        if (!item.getKey("/First").isDictionary()) continue;
        text += " [";
        appendTree(item, text);
        text += "]";
    }
}

}  // namespace

std::string bookmarkTree(const std::string& path) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    std::string text;
    QPDFObjectHandle outlines = pdf.getRoot().getKey("/Outlines");
    if (outlines.isDictionary()) appendTree(outlines, text);
    return text;
}

std::string markerText(const std::string& path, const std::string& password) {
    std::string text;
    for (const std::string& marker : readMarkers(path, password)) text += (text.empty() ? "" : " ") + marker;
    return text;
}

std::string markerRun(const std::string& prefix, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) text += (text.empty() ? "" : " ") + prefix + std::to_string(i);
    return text;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "splimera-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Restore permissions that tests took away so that everything can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string programFolder() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool fileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(no error)";
}

}  // namespace fixtures
