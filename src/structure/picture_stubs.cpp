#include "structure/picture_stubs.h"

#include <memory>
#include <random>
#include <set>
#include <vector>
#include <stdexcept>

#include <qpdf/QPDFPageObjectHelper.hh>

#include "structure/object_access.h"

namespace {

const std::string StubKey = "/SplimeraPictureStub";

// Marks the stubs of this process, so that a key of the same name in an
// input cannot make finishing copy other bytes into an output.
const std::string& processMark() {
    static const std::string mark = [] {
        std::random_device random;
        std::string text;
        for (int i = 0; i < 4; ++i) text += std::to_string(random()) + ".";
        return text;
    }();
    return mark;
}

bool largePicture(QPDFObjectHandle stream, std::int64_t minimumBytes) {
    if (!stream.isStream() || !entry(stream, "/Subtype").isNameAndEquals("/Image")) return false;
    QPDFObjectHandle length = entry(stream, "/Length");
    return length.isInteger() && length.getIntValue() >= minimumBytes;
}

// Hands on a picture's bytes from its input, as they are stored there (decrypted).
class PictureBytes : public QPDFObjectHandle::StreamDataProvider {
public:
    PictureBytes(QPDFObjectHandle picture, std::string input)
        : picture_(std::move(picture)), input_(std::move(input)) {}
    void provideStreamData(QPDFObjGen const&, Pipeline* pipeline) override {
        bool filtered = false;
        if (!picture_.pipeStreamData(pipeline, &filtered, 0, qpdf_dl_none, false, false))
            throw std::runtime_error("a picture of " + input_ + " cannot be read again");
    }

private:
    QPDFObjectHandle picture_;
    std::string input_;
};

// The input of request at path, opened; raises when there is none or it cannot be read.
StructureSource& inputAt(const std::string& path, const StructureRequest& request, StructureSources& sources) {
    for (const StructureInput& input : request.inputs) {
        if (input.path != path) continue;
        if (StructureSource* source = sources.open(input)) return *source;
        break;
    }
    throw std::runtime_error("the pictures of " + path + " cannot be read again");
}

// The pictures the pages draw, directly or through forms, each once; only
// these are looked at, so that a file of many other objects is not read whole.
std::vector<QPDFObjectHandle> picturesDrawn(QPDF& pdf) {
    std::vector<QPDFObjectHandle> pictures;
    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> pending;  // resource dictionaries
    for (QPDFObjectHandle page : pdf.getAllPages())
        pending.push_back(QPDFPageObjectHelper(page).getAttribute("/Resources", false));
    while (!pending.empty()) {
        QPDFObjectHandle drawn = entry(pending.back(), "/XObject");
        pending.pop_back();
        if (!drawn.isDictionary()) continue;
        for (const std::string& name : drawn.getKeys()) {
            QPDFObjectHandle object = drawn.getKey(name);
            if (!object.isStream() || !seen.insert(object.getObjGen()).second) continue;
            if (object.isFormXObject()) pending.push_back(entry(object, "/Resources"));
            else pictures.push_back(object);
        }
    }
    return pictures;
}

}  // namespace

bool stubLargePictures(QPDF& pdf, const std::string& path, std::int64_t minimumBytes) {
    bool stubbed = false;
    for (QPDFObjectHandle object : picturesDrawn(pdf)) {
        if (!largePicture(object, minimumBytes)) continue;
        QPDFObjectHandle dictionary = object.getDict();
        object.replaceStreamData("", dictionary.getKey("/Filter"), dictionary.getKey("/DecodeParms"));
        dictionary.replaceKey(StubKey, QPDFObjectHandle::newArray({QPDFObjectHandle::newString(processMark()),
                                                                   QPDFObjectHandle::newString(path),
                                                                   QPDFObjectHandle::newInteger(object.getObjectID()),
                                                                   QPDFObjectHandle::newInteger(object.getGeneration())}));
        stubbed = true;
    }
    return stubbed;
}

bool mayHoldPictureStubs(const StructureRequest& request) {
    for (const StructureInput& input : request.inputs)
        if (input.pictureStubs) return true;
    return false;
}

void restorePictures(QPDF& output, const StructureRequest& request, StructureSources& sources) {
    // PDFium keeps a page's pictures in its resources: the stubs are among
    // the pictures the output's pages draw, and the rest of the output (its
    // annotations, for one) is not read.
    for (QPDFObjectHandle object : picturesDrawn(output)) {
        QPDFObjectHandle dictionary = object.getDict();
        std::vector<QPDFObjectHandle> stub = itemsOf(dictionary.getKey(StubKey));
        if (stub.size() != 4 || !stub[0].isString() || stub[0].getStringValue() != processMark()) continue;
        if (!stub[1].isString() || !stub[2].isInteger() || !stub[3].isInteger())
            throw std::runtime_error("a picture stub is damaged");
        const std::string path = stub[1].getStringValue();
        StructureSource& input = inputAt(path, request, sources);
        QPDFObjectHandle picture = input.pdf().getObjectByID(stub[2].getIntValueAsInt(), stub[3].getIntValueAsInt());
        if (!picture.isStream()) throw std::runtime_error("the pictures of " + path + " cannot be read again");
        dictionary.removeKey(StubKey);
        object.replaceStreamData(std::make_shared<PictureBytes>(picture, path), dictionary.getKey("/Filter"),
                                 dictionary.getKey("/DecodeParms"));
    }
}
