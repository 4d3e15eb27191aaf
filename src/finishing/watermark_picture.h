#pragma once
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

// A picture made into one image object of a document, to be drawn on its pages.
struct WatermarkPicture {
    QPDFObjectHandle image;
    double width = 0, height = 0;  // points: pixels at the resolution the file records
};

// Loads a PNG (transparency kept as a soft mask) or a JPEG (embedded as it is)
// into pdf. Throws std::runtime_error naming path and the reason.
WatermarkPicture loadWatermarkPicture(QPDF& pdf, const std::string& path);
