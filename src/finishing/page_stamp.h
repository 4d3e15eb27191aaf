#pragma once
#include <map>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "finishing/watermark_picture.h"

// Where a page is seen: its visible box in default user space and the
// clockwise quarter turns a viewer applies.
struct PageView {
    double left = 0, bottom = 0, right = 612, top = 792;
    int quarterTurns = 0;  // 0 to 3
};

PageView pageViewOf(QPDFPageObjectHelper& page);

// The matrix "a b c d e f" that draws an image (unit square) width x height
// points large with its top-left corner x points right of and y points down
// from the top-left corner of the page as a viewer shows it, upright there.
std::string placementMatrix(const PageView& view, double x, double y, double width, double height);

// Draws one picture on pages, in front of their content. The page's own
// content is wrapped so that whatever state it leaves behind (transformations,
// clipping, colours, even unbalanced saves and restores) does not reach the
// picture. The content streams it adds are shared by pages that need the same.
class PageStamper {
public:
    PageStamper(QPDF& pdf, WatermarkPicture picture);
    void stamp(QPDFPageObjectHelper& page, double x, double y);

private:
    std::string resourceNameOn(QPDFPageObjectHelper& page);
    QPDFObjectHandle sharedStream(const std::string& content);

    QPDF& pdf_;
    WatermarkPicture picture_;
    std::map<std::string, QPDFObjectHandle> streams_;
};
