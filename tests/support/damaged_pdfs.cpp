#include "support/damaged_pdfs.h"

#include <filesystem>
#include <random>

#include "support/fixtures.h"

namespace fixtures {
namespace {

// Objects numbered from 1 in order, a cross-reference table that points at
// each, and a trailer with /Root 1 0 R plus trailerExtra.
std::string assemble(const std::vector<std::string>& objects, const std::string& trailerExtra = "") {
    std::string pdf = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R" + trailerExtra + " >>\n";
    pdf += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string stream(const std::string& data) {
    return "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// Objects: 1 catalog, 2 page tree (kids and count as given), 3 font, then for
// each page a page object and its content stream.
std::vector<std::string> pageObjects(const std::string& prefix, int pages, const std::string& treeKidsAndCount) {
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages " + treeKidsAndCount + " >>",
                                        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    for (int i = 1; i <= pages; ++i) {
        const int contents = static_cast<int>(objects.size()) + 2;
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 300] /Contents " +
                          std::to_string(contents) + " 0 R /Resources << /Font << /F1 3 0 R >> >> >>");
        objects.push_back(stream("BT /F1 36 Tf 40 200 Td (" + prefix + std::to_string(i) + ") Tj ET"));
    }
    return objects;
}

// "/Kids [4 0 R 6 0 R ...] /Count N" for the pages pageObjects makes.
std::string kidsOf(int pages, const std::string& count) {
    std::string kids;
    for (int i = 0; i < pages; ++i) kids += std::to_string(4 + 2 * i) + " 0 R ";
    return "/Kids [" + kids + "] /Count " + count;
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

// Every cross-reference offset replaced by one that points at nothing useful.
std::string brokenCrossReferences(std::string pdf) {
    const std::size_t table = pdf.find("xref\n");
    for (std::size_t at = pdf.find(" 00000 n ", table); at != std::string::npos; at = pdf.find(" 00000 n ", at + 1))
        pdf.replace(at - 10, 10, "0000000003");
    const std::size_t start = pdf.rfind("startxref\n") + 10;
    pdf.replace(start, pdf.find('\n', start) - start, "999999");
    return pdf;
}

// The objects without a header, a cross-reference table or startxref: only
// the objects and a trailer.
std::string withoutHeaderOrCrossReferences(const std::vector<std::string>& objects) {
    std::string pdf = "\n";
    for (std::size_t i = 0; i < objects.size(); ++i)
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    return pdf + "trailer\n<< /Root 1 0 R >>\n%%EOF\n";
}

// A form whose field tree lists the same child twice at each of `levels`
// levels: 2^levels paths to one widget on the first page.
std::vector<std::string> doubledFieldTree(int levels) {
    std::vector<std::string> objects = pageObjects("A", 3, kidsOf(3, "3"));
    const int first = static_cast<int>(objects.size()) + 1;
    objects[0] = "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [" + std::to_string(first) + " 0 R] >> >>";
    for (int level = 0; level < levels; ++level) {
        const std::string child = std::to_string(first + level + 1) + " 0 R";
        objects.push_back("<< /T (f" + std::to_string(level) + ") /Kids [" + child + " " + child + "] >>");
    }
    objects.push_back("<< /Type /Annot /Subtype /Widget /FT /Tx /T (leaf) /V (value) /Rect [10 10 100 30] /P 4 0 R >>");
    objects[3].insert(objects[3].size() - 2, " /Annots [" + std::to_string(first + levels) + " 0 R]");
    return objects;
}

}  // namespace

std::string assemblePdf(const std::vector<std::string>& objects, const std::string& trailerExtra) {
    return assemble(objects, trailerExtra);
}

std::string handMadePdf(const std::string& prefix, int pages) {
    return assemble(pageObjects(prefix, pages, kidsOf(pages, std::to_string(pages))));
}

std::vector<DamagedPdf> damagedPdfs() {
    const std::string sound = handMadePdf("A", 3);
    const auto cut = [&](std::size_t size) { return sound.substr(0, size); };

    // A page tree node 10 whose only kid is the root node 2 again.
    std::vector<std::string> loop = pageObjects("A", 3, "/Kids [4 0 R 10 0 R] /Count 3");
    loop.push_back("<< /Type /Pages /Parent 2 0 R /Kids [2 0 R] /Count 2 >>");

    std::vector<std::string> wrongTree = pageObjects("A", 3, "");
    wrongTree[1] = "42";

    std::vector<std::string> encrypted = pageObjects("A", 3, kidsOf(3, "3"));
    encrypted.push_back("<< /Filter /Bogus /V 1 /R 2 /P -4 /O <00> /U <00> >>");
    const std::string encryption = " /Encrypt " + std::to_string(encrypted.size()) +
                                   " 0 R /ID [<0123456789abcdef0123456789abcdef> <0123456789abcdef0123456789abcdef>]";

    // The catalog written out in the trailer instead of as an object.
    std::vector<std::string> rootInTrailer = pageObjects("A", 3, kidsOf(3, "3"));
    std::string directRoot = assemble(rootInTrailer);
    directRoot.replace(directRoot.find("/Root 1 0 R"), 11, "/Root << /Type /Catalog /Pages 2 0 R >>");

    return {
        {"empty.pdf", ""},
        {"header-only.pdf", cut(9)},
        {"cut-at-quarter.pdf", cut(sound.size() / 4)},
        {"cut-at-half.pdf", cut(sound.size() / 2)},
        {"cut-before-trailer.pdf", cut(sound.find("xref\n"))},
        {"garbage.pdf", randomBytes(4096, 1)},
        {"header-then-garbage.pdf", "%PDF-1.7\n" + randomBytes(4096, 2)},
        {"broken-xref.pdf", brokenCrossReferences(sound)},
        {"pages-not-a-dictionary.pdf", assemble(wrongTree)},
        {"no-pages.pdf", assemble(pageObjects("A", 0, "/Kids [] /Count 0"))},
        {"page-tree-loop.pdf", assemble(loop)},
        {"count-2147483647.pdf", assemble(pageObjects("A", 3, kidsOf(3, "2147483647")))},
        {"count-1000000.pdf", assemble(pageObjects("A", 3, kidsOf(3, "1000000")))},
        {"missing-kid.pdf", assemble(pageObjects("A", 3, "/Kids [4 0 R 99 0 R 6 0 R 8 0 R] /Count 4"))},
        {"unknown-security-handler.pdf", assemble(encrypted, encryption)},
        {"no-header-or-cross-references.pdf", withoutHeaderOrCrossReferences(pageObjects("A", 3, kidsOf(3, "3")))},
        {"root-in-trailer.pdf", directRoot},
        {"doubled-field-tree.pdf", assemble(doubledFieldTree(26))},
        {"folder.pdf", "", true},
        {"with blanks  in it.pdf", sound},
        {"quotes \"double\" and 'single'.pdf", sound},
        {"Übersicht-ñ-日本語.pdf", sound},
        {"-leading-dash.pdf", sound},
    };
}

std::string placeDamagedPdf(const std::string& folder, const DamagedPdf& entry) {
    const std::string path = folder + entry.name;
    if (entry.isFolder)
        std::filesystem::create_directory(path);
    else
        writeFile(path, entry.bytes);
    return path;
}

}  // namespace fixtures
