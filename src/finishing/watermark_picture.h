#pragma once
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "finishing/prepared_picture.h"

// A picture made into one image object of a document, to be drawn on its pages.
struct WatermarkPicture {
    QPDFObjectHandle image;
    double width = 0, height = 0;  // points: pixels at the resolution the file records
};

// Makes the prepared picture an image object of pdf (transparency as a soft
// mask); the encoded bytes are shared, not copied.
WatermarkPicture embedPicture(QPDF& pdf, const PreparedPicture& picture);
