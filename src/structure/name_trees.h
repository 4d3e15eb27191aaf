#pragma once
#include <map>
#include <string>

#include <qpdf/QPDF.hh>

// Entries of a name tree by their text (UTF-8).
using NameTreeEntries = std::map<std::string, QPDFObjectHandle>;

// Writes entries as the name tree key (/Dests, /EmbeddedFiles) of the
// catalog's /Names, in one node; nothing when there are none.
void writeNameTree(QPDF& output, const std::string& key, const NameTreeEntries& entries);
