#pragma once
#include <string>

// What a second reader makes of a document's page tree.
enum class TPageTreeVerdict {
    ptSound,        // every page's chain of /Parent entries ends
    ptParentLoop,   // some page's /Parent chain leads back into itself
    ptUnreadable    // the file could not be read: no verdict
};

// Reads the page tree of fileName with libqpdf (quietly, with its own repair
// of damaged files) and follows the /Parent chain of every node that may be
// taken for a page. A chain deeper than any real tree counts as a loop.
// Never raises and never writes to the console.
TPageTreeVerdict CheckPageTree(const std::string& fileName, const std::string& password);
