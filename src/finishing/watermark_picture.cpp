#include "finishing/watermark_picture.h"

#include <stdexcept>

#include "finishing/file_access.h"
#include "finishing/picture_data.h"

namespace {

bool startsWith(const std::string& bytes, const char* signature, size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, signature, length) == 0;
}

// An image stream of the given samples, stored unfiltered: the writer compresses them.
QPDFObjectHandle imageStream(QPDF& pdf, const std::string& samples, int width, int height, int bitsPerComponent,
                             const char* colorSpace) {
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf, samples);
    QPDFObjectHandle dictionary = image.getDict();
    dictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dictionary.replaceKey("/Width", QPDFObjectHandle::newInteger(width));
    dictionary.replaceKey("/Height", QPDFObjectHandle::newInteger(height));
    dictionary.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(bitsPerComponent));
    dictionary.replaceKey("/ColorSpace", QPDFObjectHandle::newName(colorSpace));
    return image;
}

WatermarkPicture pngPicture(QPDF& pdf, const std::string& bytes) {
    const DecodedPicture decoded = decodePng(bytes);
    QPDFObjectHandle image = imageStream(pdf, decoded.colorSamples, decoded.width, decoded.height,
                                         decoded.bitsPerComponent,
                                         decoded.colorChannels == 1 ? "/DeviceGray" : "/DeviceRGB");
    if (!decoded.alphaSamples.empty())
        image.getDict().replaceKey("/SMask", imageStream(pdf, decoded.alphaSamples, decoded.width, decoded.height,
                                                         decoded.bitsPerComponent, "/DeviceGray"));
    return {image, decoded.width * 72.0 / decoded.dpiX, decoded.height * 72.0 / decoded.dpiY};
}

WatermarkPicture jpegPicture(QPDF& pdf, const std::string& bytes) {
    const JpegHeader header = readJpegHeader(bytes);
    const char* colorSpace = header.components == 1 ? "/DeviceGray" : header.components == 3 ? "/DeviceRGB" : "/DeviceCMYK";
    QPDFObjectHandle image = imageStream(pdf, "", header.width, header.height, 8, colorSpace);
    // Embedded as it is: the JPEG data is the stream, decoded by the viewer.
    image.replaceStreamData(bytes, QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    if (header.invertedCmyk) image.getDict().replaceKey("/Decode", QPDFObjectHandle::parse("[1 0 1 0 1 0 1 0]"));
    return {image, header.width * 72.0 / header.dpiX, header.height * 72.0 / header.dpiY};
}

}  // namespace

WatermarkPicture loadWatermarkPicture(QPDF& pdf, const std::string& path) {
    try {
        const std::string bytes = readWholeFile(path);
        if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return pngPicture(pdf, bytes);
        if (startsWith(bytes, "\xFF\xD8\xFF", 3)) return jpegPicture(pdf, bytes);
        throw std::runtime_error("not a PNG or JPEG picture");
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot load the watermark picture \"" + path + "\": " + error.what());
    }
}
