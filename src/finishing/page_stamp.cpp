#include "finishing/page_stamp.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "finishing/save_depth.h"

namespace {

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string repeated(const std::string& word, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += word + "\n";
    return text;
}

QPDFObjectHandle::Rectangle rectangleOf(QPDFObjectHandle box, QPDFObjectHandle::Rectangle fallback) {
    if (!box.isRectangle()) return fallback;
    QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();
    return {std::min(r.llx, r.urx), std::min(r.lly, r.ury), std::max(r.llx, r.urx), std::max(r.lly, r.ury)};
}

}  // namespace

PageView pageViewOf(QPDFPageObjectHelper& page) {
    // Viewers show the crop box clipped to the media box.
    // A page without a valid media box is shown at the default size, US Letter.
    const QPDFObjectHandle::Rectangle media = rectangleOf(page.getMediaBox(), {0, 0, 612, 792});
    QPDFObjectHandle::Rectangle seen = rectangleOf(page.getCropBox(), media);
    seen = {std::max(seen.llx, media.llx), std::max(seen.lly, media.lly), std::min(seen.urx, media.urx),
            std::min(seen.ury, media.ury)};
    if (seen.urx <= seen.llx || seen.ury <= seen.lly) seen = media;

    PageView view{seen.llx, seen.lly, seen.urx, seen.ury, 0};
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger()) view.quarterTurns = static_cast<int>(((rotate.getIntValue() / 90) % 4 + 4) % 4);
    return view;
}

std::string placementMatrix(const PageView& view, double x, double y, double width, double height) {
    // A point u right of and v down from the seen top-left corner, in user space.
    auto toUser = [&view](double u, double v) -> std::pair<double, double> {
        switch (view.quarterTurns) {
        case 1: return {view.left + v, view.bottom + u};
        case 2: return {view.right - u, view.bottom + v};
        case 3: return {view.right - v, view.top - u};
        default: return {view.left + u, view.top - v};
        }
    };
    // The image's bottom-left, bottom-right and top-left corners.
    const auto origin = toUser(x, y + height), across = toUser(x + width, y + height), up = toUser(x, y);
    return number(across.first - origin.first) + " " + number(across.second - origin.second) + " " +
           number(up.first - origin.first) + " " + number(up.second - origin.second) + " " + number(origin.first) +
           " " + number(origin.second);
}

PageStamper::PageStamper(QPDF& pdf, WatermarkPicture picture) : pdf_(pdf), picture_(std::move(picture)) {}

void PageStamper::stamp(QPDFPageObjectHelper& page, double x, double y) {
    SaveDepthScanner reach;
    try {
        // Stream by stream: libqpdf would gather a page's streams in memory first.
        QPDFObjectHandle contents = page.getObjectHandle().getKey("/Contents");
        const std::vector<QPDFObjectHandle> streams =
            contents.isArray() ? contents.getArrayAsVector() : std::vector<QPDFObjectHandle>{contents};
        for (QPDFObjectHandle stream : streams) {
            if (!stream.isStream() || !stream.pipeStreamData(&reach, 0, qpdf_dl_generalized))
                throw std::runtime_error("unreadable content");
            const unsigned char separator = '\n';
            reach.write(&separator, 1);
        }
        reach.end();
    } catch (const std::exception&) {
        // Content that cannot be read draws nothing a viewer keeps; one level of wrapping does.
        reach.depth = reach.lowest = 0;
    }
    // Enough saves that the content's restores never reach the picture's state,
    // and enough restores to undo them and whatever the content left saved.
    const int saves = 1 - reach.lowest;
    const int restores = saves + reach.depth;

    const std::string name = resourceNameOn(page);
    const std::string drawing = repeated("Q", restores) + "q " + placementMatrix(pageViewOf(page), x, y, picture_.width,
                                                                                 picture_.height) +
                                " cm " + name + " Do Q\n";
    QPDFObjectHandle contents = QPDFObjectHandle::newArray();
    contents.appendItem(sharedStream(repeated("q", saves)));
    QPDFObjectHandle existing = page.getObjectHandle().getKey("/Contents");
    if (existing.isArray()) {
        for (int i = 0; i < existing.getArrayNItems(); ++i) contents.appendItem(existing.getArrayItem(i));
    } else if (existing.isStream()) {
        contents.appendItem(existing);
    }
    contents.appendItem(sharedStream("\n" + drawing));
    page.getObjectHandle().replaceKey("/Contents", contents);
}

std::string PageStamper::resourceNameOn(QPDFPageObjectHelper& page) {
    QPDFObjectHandle pageObject = page.getObjectHandle();
    QPDFObjectHandle resources = pageObject.getKey("/Resources");
    if (!resources.isDictionary()) {
        resources = QPDFObjectHandle::newDictionary();
        pageObject.replaceKey("/Resources", resources);
    }
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    if (!xobjects.isDictionary()) {
        xobjects = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
    }
    // Pages may share one resource dictionary: the picture keeps the name it got on the first.
    for (int suffix = 0;; ++suffix) {
        const std::string name = "/SplimeraWatermark" + (suffix ? std::to_string(suffix) : std::string());
        if (!xobjects.hasKey(name)) {
            xobjects.replaceKey(name, picture_.image);
            return name;
        }
        if (xobjects.getKey(name).getObjGen() == picture_.image.getObjGen()) return name;
    }
}

QPDFObjectHandle PageStamper::sharedStream(const std::string& content) {
    auto found = streams_.find(content);
    if (found != streams_.end()) return found->second;
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf_, content);
    streams_.emplace(content, stream);
    return stream;
}
