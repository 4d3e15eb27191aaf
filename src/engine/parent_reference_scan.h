#pragma once
#include <string>

// No real page tree comes near this depth; a longer /Parent chain is treated
// as endless, as a reader climbing it would take it to be.
constexpr int DeepestParentChain = 10000;

// What the bytes of a file show, read the way a reader rebuilding a damaged
// file's cross-reference table reads them: every "N G obj" found starts an
// object, whatever the table says, and each of its "/Parent N G R" entries
// links it to a parent. Every definition of an object counts, since a
// rebuilding reader may take any of them.
struct ParentLinkScan {
    bool circle = false;         // the links somewhere lead in a circle
    bool objectStreams = false;  // some objects are packed in object streams, out of sight
};

// Reads the file in parts, so that memory does not grow with its size. Never
// raises; a file that cannot be read shows nothing.
ParentLinkScan scanParentLinks(const std::string& fileName);
