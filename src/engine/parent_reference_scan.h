#pragma once
#include <string>

// Reads a file as bytes, the way a reader rebuilding a damaged file's
// cross-reference table does: every "N G obj" found starts an object, whatever
// the table says, and each of its "/Parent N G R" entries links it to a parent.
// Every definition of an object counts, since a rebuilding reader may take any
// of them. Tells whether those links anywhere lead in a circle. Never raises;
// a file that cannot be read has no loop.
bool ParentLinksLoop(const std::string& fileName);
