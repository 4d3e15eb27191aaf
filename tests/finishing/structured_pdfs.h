#pragma once
#include <string>

#include <qpdf/QPDF.hh>

// PDFs with the structure around their pages that outputs must keep, made
// with libqpdf, and readers that describe an output's structure as text,
// naming pages by their markers.
namespace structured_pdfs {

// Six pages S1 .. S6 labelled i, ii, 1, 2, 3, 4, with
// - bookmarks: Front (S1) [Preface (S2, through the named destination
//   "preface")], Body (S3) [Part A (S4, a GoTo action), Part B (S6)], Web (a URI);
// - on S1 a link of each internal kind (explicit /Dest to S5, GoTo action to
//   S3, named "preface") and a URI link; on S2 a note with its popup;
// - a form: text field "name" = "Ada" and check box "agree" on S3, radio group
//   "choice" = /B with a button on S3 and one on S4, "person.city" = "Paris"
//   on S4; /NeedAppearances, /DA and /DR with a Helvetica /Helv;
// - on S5 a red square in the layer "Secret", off by default, and a green one
//   in the layer "Shown";
// - the attachment "notes.txt", Title "Structure Fixture", Author "Ada Lovelace",
//   and the viewer preference /DisplayDocTitle;
// - tags: a Document element with a P element per page (its marker, marked
//   content 0) and, after S1's, a Link element for the link to S3.
void writeStructuredPdf(const std::string& path);

// Three pages T1 .. T3 without labels, with the bookmark "T intro" (T1), its
// own named destination "preface" (T2) used by a link on T1, a text field also
// named "name" = "Bob" on T1 whose form's /Helv is Courier, and its own
// attachment "notes.txt".
void writeSecondStructuredPdf(const std::string& path);

// Where the square of the hidden layer and of the shown one lie on S5, in
// pixels from the top-left corner of the page rendered at one pixel per point.
constexpr int HiddenSquareX = 150, HiddenSquareY = 642;
constexpr int ShownSquareX = 450, ShownSquareY = 642;

// Descriptions of an output, pages named by their markers (a repeated page by
// marker and occurrence: T1, T1#2).
struct Structure {
    std::string bookmarks;    // "Front=S1 [Preface=S2] Body=S3"; "-" for an entry without target; "(none)"
    std::string links;        // "S1>S3,S2,uri S2>..." per page with links
    std::string fields;       // "agree=Yes choice=B name=Ada" by full name
    std::string labels;       // "i ii 1"
    std::string hiddenLayers; // names of the layers off by default
    std::string title;
    std::string attachments;
    std::string faults;       // see StructureReader::faults; "" when none
    std::string tags;         // "Document [P@S1 Link@S1]": structure elements and their pages; "(none)"
};
Structure readStructure(const std::string& path);

}  // namespace structured_pdfs
