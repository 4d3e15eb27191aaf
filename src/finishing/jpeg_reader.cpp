#include "finishing/prepared_picture.h"

#include <cstdio>
// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// libjpeg holds a progressive picture's coefficients whole while decoding it.
constexpr long MaxDecoderMemory = 256L << 20;

struct ErrorState {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = "";
};

[[noreturn]] void stop(j_common_ptr info) {
    auto* state = reinterpret_cast<ErrorState*>(info->err);
    info->err->format_message(info, state->message);
    std::longjmp(state->jump, 1);
}

// A warning means damaged data that libjpeg would paint over in grey; a
// viewer may show it broken, so it ends the reading like an error. Trace
// messages are dropped: nothing of libjpeg's reaches the console.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) stop(info);
}

double dpiOf(int density, int unit) {
    if (density <= 0) return 96;
    if (unit == 1) return density;         // dots per inch
    if (unit == 2) return density * 2.54;  // dots per centimetre
    return 96;                             // only an aspect ratio
}

// Only plain data lives in this frame (the row buffer comes from libjpeg's
// own pool), so a longjmp out of libjpeg skips no destructor.
bool decode(jpeg_decompress_struct& info, ErrorState& errors, const std::string& bytes, PreparedPicture& picture) {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = stop;
    errors.manager.emit_message = onMessage;
    if (setjmp(errors.jump)) return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MaxDecoderMemory;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    if (info.data_precision != 8) {
        std::snprintf(errors.message, sizeof errors.message, "%d-bit JPEG samples are not supported",
                      info.data_precision);
        return false;
    }
    if (info.num_components != 1 && info.num_components != 3 && info.num_components != 4) {
        std::snprintf(errors.message, sizeof errors.message,
                      "JPEG pictures with %d colour components are not supported", info.num_components);
        return false;
    }
    if (static_cast<unsigned long long>(info.image_width) * info.image_height > MaxPicturePixels) {
        std::snprintf(errors.message, sizeof errors.message, "the picture is too large");
        return false;
    }
    picture.width = static_cast<int>(info.image_width);
    picture.height = static_cast<int>(info.image_height);
    picture.colorSpace = info.num_components == 1 ? "/DeviceGray" : info.num_components == 3 ? "/DeviceRGB" : "/DeviceCMYK";
    picture.invertedCmyk = info.saw_Adobe_marker && info.num_components == 4;
    picture.widthPoints = picture.width * 72.0 / dpiOf(info.X_density, info.density_unit);
    picture.heightPoints = picture.height * 72.0 / dpiOf(info.Y_density, info.density_unit);

    // Decoded to the end, so that a picture a viewer could not show is refused now.
    info.dct_method = JDCT_IFAST;
    jpeg_start_decompress(&info);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, row, 1);
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

PreparedPicture prepareJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    ErrorState errors;
    PreparedPicture picture;
    const bool read = decode(info, errors, bytes, picture);
    jpeg_destroy_decompress(&info);
    if (!read) throw std::runtime_error(std::string("not a readable JPEG picture (") + errors.message + ")");
    // Embedded as it is: the JPEG data is the stream, decoded by the viewer.
    picture.jpeg = true;
    picture.bitsPerComponent = 8;
    picture.samples = std::make_shared<const std::string>(bytes);
    return picture;
}
