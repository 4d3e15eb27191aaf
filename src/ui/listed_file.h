#pragma once
#include <memory>
#include <string>

#include "jobs/input_file.h"
#include "structure/document_outline.h"

// A file in one of the window's job lists: what the jobs read of it, and what
// the list learnt when the file was added.
struct ListedFile {
    InputFile input;  // the password that opened it, never the open document
    int pageCount = 0;
    // The merge list only: the pages to take, as "1-3,z" (page_selection.h); empty for all.
    std::string pageSelection;
    // The bookmark outline, once it was needed (FileListModel::outline).
    std::shared_ptr<const DocumentOutline> outline;
};
