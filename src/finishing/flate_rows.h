#pragma once
#include <string>
#include <vector>

#include <zlib.h>

// Compresses picture rows as a PDF Flate stream with PNG prediction
// (/Predictor 15): each row is written with the Paeth filter, which serves
// photographs and flat artwork alike.
class FlateRows {
public:
    FlateRows(std::size_t rowBytes, int bytesPerPixel);
    ~FlateRows();
    FlateRows(const FlateRows&) = delete;
    FlateRows& operator=(const FlateRows&) = delete;

    void addRow(const unsigned char* row);
    // The compressed stream; call once, after the last row.
    std::string finish();

private:
    void deflateInput(int flush);

    z_stream stream_{};
    std::size_t rowBytes_;
    std::size_t bytesPerPixel_;
    std::vector<unsigned char> previous_, filtered_;
    std::string output_;
};
