#pragma once
#include <map>
#include <string>
#include <vector>

// No real page tree comes near this depth; a longer /Parent chain is treated
// as endless, as a reader climbing it would take it to be.
constexpr int DeepestParentChain = 10000;

// What the bytes of a file show, read the way a reader rebuilding a damaged
// file's cross-reference table reads them: every "N G obj" found starts an
// object, whatever the table says, and each of its "/Parent N G R" entries
// links it to a parent. Every definition of an object counts, since a
// rebuilding reader may take any of them.
using ParentLinks = std::map<long, std::vector<long>>;  // object -> the parents it names

struct ParentLinkScan {
    ParentLinks links;
    bool objectStreams = false;  // some objects are packed in object streams, out of sight of the scan
};

// Reads the file in parts, so that memory does not grow with its size. Never
// raises; a file that cannot be read shows nothing.
ParentLinkScan scanParentLinks(const std::string& fileName);

// Adds the links of one object whose text (without "N G obj") is given, as
// an object stream holds it.
void scanObjectText(const std::string& text, long object, ParentLinks& links);

// True when the links somewhere lead in a circle, or a chain runs deeper
// than DeepestParentChain.
bool linksCircle(const ParentLinks& links);
