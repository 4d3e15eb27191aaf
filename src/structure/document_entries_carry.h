#pragma once
#include <qpdf/QPDF.hh>

class InputCarry;

// What an output takes from the document around the pages of its first
// input: title, author, subject and keywords, viewer preferences, page
// layout and mode; for outputs of one source also its language, output
// intents and an opening action that goes to a page the output holds.
struct DocumentEntries {
    QPDFObjectHandle information = QPDFObjectHandle::newNull();  // a dictionary of the four entries
    QPDFObjectHandle viewerPreferences = QPDFObjectHandle::newNull(), pageLayout = QPDFObjectHandle::newNull(),
                     pageMode = QPDFObjectHandle::newNull();
    QPDFObjectHandle language = QPDFObjectHandle::newNull(), outputIntents = QPDFObjectHandle::newNull(),
                     openAction = QPDFObjectHandle::newNull();
};

DocumentEntries collectDocumentEntries(InputCarry& input, bool oneSource);

// Writes the entries after the rest of the structure, so that a page mode
// showing a panel (bookmarks, layers, attachments) is kept only when the
// output has what the panel shows; viewer preferences PDFium already copied
// stay.
void writeDocumentEntries(QPDF& output, DocumentEntries entries);
