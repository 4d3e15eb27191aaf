#pragma once
#include <string>

// Tells whether the /Parent chain of a page of fileName leads back into
// itself (or runs deeper than any real page tree), as a reader climbing it
// for inherited entries would find. The bytes are searched first, which is
// enough for most files; libqpdf (quietly, with its own repair of damaged
// files) reads the page tree when objects are packed out of sight or the
// bytes show a circle that may be an old definition an update replaced. A
// file neither can read has no loop. Never raises, never writes to the
// console.
bool parentChainLoops(const std::string& fileName, const std::string& password);
