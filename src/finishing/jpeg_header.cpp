#include "finishing/picture_data.h"

#include <cstdio>
// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <stdexcept>

namespace {

struct ErrorState {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = "";
};

void onError(j_common_ptr info) {
    auto* state = reinterpret_cast<ErrorState*>(info->err);
    info->err->format_message(info, state->message);
    std::longjmp(state->jump, 1);
}

double dpiOf(int density, int unit) {
    if (density <= 0) return 96;
    if (unit == 1) return density;         // dots per inch
    if (unit == 2) return density * 2.54;  // dots per centimetre
    return 96;                             // only an aspect ratio
}

// Only plain data lives in this frame, so a longjmp out of libjpeg skips no destructor.
bool readHeader(jpeg_decompress_struct& info, ErrorState& errors, const std::string& bytes, JpegHeader& header) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onError;
    if (setjmp(errors.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    if (info.data_precision != 8) {
        std::snprintf(errors.message, sizeof errors.message, "%d-bit JPEG samples are not supported",
                      info.data_precision);
        return false;
    }
    header.width = static_cast<int>(info.image_width);
    header.height = static_cast<int>(info.image_height);
    header.components = info.num_components;
    header.invertedCmyk = info.saw_Adobe_marker && info.num_components == 4;
    header.dpiX = dpiOf(info.X_density, info.density_unit);
    header.dpiY = dpiOf(info.Y_density, info.density_unit);
    if (header.components != 1 && header.components != 3 && header.components != 4) {
        std::snprintf(errors.message, sizeof errors.message, "JPEG pictures with %d colour components are not supported",
                      header.components);
        return false;
    }
    return true;
}

}  // namespace

JpegHeader readJpegHeader(const std::string& bytes) {
    jpeg_decompress_struct info{};
    ErrorState errors;
    JpegHeader header;
    const bool read = readHeader(info, errors, bytes, header);
    jpeg_destroy_decompress(&info);
    if (!read) throw std::runtime_error(std::string("not a readable JPEG picture (") + errors.message + ")");
    return header;
}
