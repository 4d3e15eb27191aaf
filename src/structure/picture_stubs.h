#pragma once
#include <cstdint>
#include <string>

#include <qpdf/QPDF.hh>

#include "structure/structure_request.h"
#include "structure/structure_sources.h"

// Copying a page with PDFium copies the bytes of its pictures into the new
// document in memory: a scan's output would be held whole. A large input is
// therefore given to PDFium with its large pictures as empty stand-ins
// ("stubs") that name the input and the picture object they stand for, and
// finishing puts the pictures' bytes back, read from the input by libqpdf
// while the output is written, never held whole.

// Pictures whose encoded bytes are at least this large are left out.
constexpr std::int64_t PictureStubBytes = 64 * 1024;

// Replaces every picture of at least minimumBytes that a page of pdf (read
// from path) draws by a stub; false when there is none.
bool stubLargePictures(QPDF& pdf, const std::string& path, std::int64_t minimumBytes = PictureStubBytes);

// Whether an output of request may hold stubs: whether the page engine read
// one of its inputs as a rewrite that may have them (StructureInput::pictureStubs).
bool mayHoldPictureStubs(const StructureRequest& request);

// Puts back the bytes of every stub in output, each read from the picture it
// stands for in the input of request that it names (opened through sources,
// which must outlive the writing of output). Raises, naming the input, when
// a picture cannot be found there again. Stubs made by another process are
// left alone.
void restorePictures(QPDF& output, const StructureRequest& request, StructureSources& sources);
