#include "finishing/watermark_picture.h"

#include <stdexcept>

#include "finishing/file_access.h"

namespace {

bool startsWith(const std::string& bytes, const char* signature, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, signature, length) == 0;
}

// Hands the writer the prepared bytes without copying them into each document.
class SharedBytes : public QPDFObjectHandle::StreamDataProvider {
public:
    explicit SharedBytes(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}
    void provideStreamData(QPDFObjGen const&, Pipeline* pipeline) override {
        pipeline->write(reinterpret_cast<const unsigned char*>(bytes_->data()), bytes_->size());
        pipeline->finish();
    }

private:
    std::shared_ptr<const std::string> bytes_;
};

QPDFObjectHandle predictorParameters(int colors, int bitsPerComponent, int columns) {
    QPDFObjectHandle parameters = QPDFObjectHandle::newDictionary();
    parameters.replaceKey("/Predictor", QPDFObjectHandle::newInteger(15));
    parameters.replaceKey("/Colors", QPDFObjectHandle::newInteger(colors));
    parameters.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(bitsPerComponent));
    parameters.replaceKey("/Columns", QPDFObjectHandle::newInteger(columns));
    return parameters;
}

QPDFObjectHandle imageStream(QPDF& pdf, const PreparedPicture& picture, const char* colorSpace,
                             const std::shared_ptr<const std::string>& bytes) {
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf);
    QPDFObjectHandle dictionary = image.getDict();
    dictionary.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dictionary.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dictionary.replaceKey("/Width", QPDFObjectHandle::newInteger(picture.width));
    dictionary.replaceKey("/Height", QPDFObjectHandle::newInteger(picture.height));
    dictionary.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(picture.bitsPerComponent));
    dictionary.replaceKey("/ColorSpace", QPDFObjectHandle::newName(colorSpace));
    const int colors = std::string(colorSpace) == "/DeviceGray" ? 1 : std::string(colorSpace) == "/DeviceRGB" ? 3 : 4;
    auto provider = std::make_shared<SharedBytes>(bytes);
    if (picture.jpeg)
        image.replaceStreamData(provider, QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    else
        image.replaceStreamData(provider, QPDFObjectHandle::newName("/FlateDecode"),
                                predictorParameters(colors, picture.bitsPerComponent, picture.width));
    return image;
}

}  // namespace

PreparedPicture preparePictureBytes(const std::string& bytes) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return preparePng(bytes);
    if (startsWith(bytes, "\xFF\xD8\xFF", 3)) return prepareJpeg(bytes);
    throw std::runtime_error("not a PNG or JPEG picture");
}

PreparedPicture preparePicture(const std::string& path) {
    try {
        return preparePictureBytes(readWholeFile(path, MaxPictureFileBytes));
    } catch (const std::exception& error) {
        throw std::runtime_error("Cannot load the watermark picture \"" + path + "\": " + error.what());
    }
}

WatermarkPicture embedPicture(QPDF& pdf, const PreparedPicture& picture) {
    QPDFObjectHandle image = imageStream(pdf, picture, picture.colorSpace, picture.samples);
    if (picture.invertedCmyk) image.getDict().replaceKey("/Decode", QPDFObjectHandle::parse("[1 0 1 0 1 0 1 0]"));
    if (picture.alpha) image.getDict().replaceKey("/SMask", imageStream(pdf, picture, "/DeviceGray", picture.alpha));
    return {image, picture.widthPoints, picture.heightPoints};
}
