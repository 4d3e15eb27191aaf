#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "job_runs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"
#include "test_pages.h"

namespace {

using fixtures::TempDir;
using Object = QPDFObjectHandle;

// How the second page of a fixture hides its red square.
enum class Hiding {
    VisibilityExpression,   // marked content of a membership dictionary whose /VE is false
    MembershipGroups,       // marked content of a membership dictionary, all of whose /OCGs must be on
    BaseStateOff,           // /BaseState /OFF, the group not in /ON
    UsageApplication,       // the group's /Usage /View off, applied through /AS
    AnnotationOnly,         // a square annotation in the group, nothing in the content
    FormXObjectOnly,        // a form XObject whose /OC is a membership dictionary with a false /VE
};

Object make(QPDF& pdf, const std::string& text) { return pdf.makeIndirectObject(Object::parse(text)); }

constexpr const char* RedSquare = "1 0 0 rg 100 100 50 50 re f\n";
constexpr int RedX = 125, RedY = 792 - 125, GreenX = 325, GreenY = 792 - 125;

Object form(QPDF& pdf, const std::string& content) {
    Object stream = Object::newStream(&pdf, content);
    stream.replaceDict(Object::parse("<< /Type /XObject /Subtype /Form /BBox [0 0 612 792] >>"));
    return stream;
}

// Two pages L1, L2; on L2 a green square in the layer "On" and a red one that
// the author hid as hiding says, with the layer "Off" off.
void writeHiddenLayerPdf(const std::string& path, Hiding hiding) {
    fixtures::writeMarkedPdf(path + ".plain", "L", 2);
    QPDF pdf;
    pdf.processFile((path + ".plain").c_str());
    Object page = pdf.getAllPages()[1];
    Object on = make(pdf, "<< /Type /OCG /Name (On) >>"), off = make(pdf, "<< /Type /OCG /Name (Off) >>");
    Object properties = Object::newDictionary();
    page.getKey("/Resources").replaceKey("/Properties", properties);
    properties.replaceKey("/MC1", on);
    std::string content = "/OC /MC1 BDC 0 1 0 rg 300 100 50 50 re f EMC\n";
    Object configuration = Object::parse("<< >>");
    configuration.replaceKey("/Order", Object::newArray({on, off}));
    configuration.replaceKey("/OFF", Object::newArray({off}));
    auto membership = [&](const std::string& body) {
        Object dictionary = make(pdf, "<< /Type /OCMD " + body + " >>");
        return dictionary;
    };
    switch (hiding) {
    case Hiding::VisibilityExpression: {
        Object expression = membership("");
        expression.replaceKey("/VE", Object::newArray({Object::newName("/And"), on, off}));
        properties.replaceKey("/MC0", expression);
        content += std::string("/OC /MC0 BDC ") + RedSquare + "EMC\n";
        break;
    }
    case Hiding::MembershipGroups: {
        Object groups = membership("/P /AllOn");
        groups.replaceKey("/OCGs", Object::newArray({on, off}));
        properties.replaceKey("/MC0", groups);
        content += std::string("/OC /MC0 BDC ") + RedSquare + "EMC\n";
        break;
    }
    case Hiding::BaseStateOff:
        configuration = Object::parse("<< /BaseState /OFF >>");
        configuration.replaceKey("/ON", Object::newArray({on}));
        properties.replaceKey("/MC0", off);
        content += std::string("/OC /MC0 BDC ") + RedSquare + "EMC\n";
        break;
    case Hiding::UsageApplication:
        configuration.removeKey("/OFF");
        off.replaceKey("/Usage", Object::parse("<< /View << /ViewState /OFF >> >>"));
        configuration.replaceKey("/AS", Object::newArray({Object::parse("<< /Event /View /Category [/View] >>")}));
        configuration.getKey("/AS").getArrayItem(0).replaceKey("/OCGs", Object::newArray({off}));
        properties.replaceKey("/MC0", off);
        content += std::string("/OC /MC0 BDC ") + RedSquare + "EMC\n";
        break;
    case Hiding::AnnotationOnly: {
        Object square = make(pdf, "<< /Type /Annot /Subtype /Square /Rect [100 100 150 150] /F 4 /AP << >> >>");
        Object appearance = form(pdf, "1 0 0 rg 0 0 50 50 re f\n");
        appearance.getDict().replaceKey("/BBox", Object::parse("[0 0 50 50]"));
        square.getKey("/AP").replaceKey("/N", appearance);
        square.replaceKey("/OC", off);
        page.replaceKey("/Annots", Object::newArray({square}));
        break;
    }
    case Hiding::FormXObjectOnly: {
        Object picture = form(pdf, RedSquare);
        Object expression = membership("");
        expression.replaceKey("/VE", Object::newArray({Object::newName("/Or"), off,
                                                       Object::newArray({Object::newName("/Not"), on})}));
        picture.getDict().replaceKey("/OC", expression);
        page.getKey("/Resources").replaceKey("/XObject", Object::newDictionary());
        page.getKey("/Resources").getKey("/XObject").replaceKey("/Fm0", picture);
        content += "/Fm0 Do\n";
        break;
    }
    }
    page.addPageContents(Object::newStream(&pdf, content), false);
    // A group of no page, and an alternate configuration naming it.
    Object unused = make(pdf, "<< /Type /OCG /Name (Unused) >>");
    Object alternate = Object::parse("<< /Name (Alternate) /BaseState /ON >>");
    alternate.replaceKey("/OFF", Object::newArray({on, unused}));
    alternate.replaceKey("/Order", Object::newArray({Object::newString("Label"), on, off, Object::newArray({unused})}));
    Object layers = Object::newDictionary();
    layers.replaceKey("/OCGs", Object::newArray({on, off, unused}));
    layers.replaceKey("/D", configuration);
    layers.replaceKey("/Configs", Object::newArray({alternate}));
    pdf.getRoot().replaceKey("/OCProperties", layers);
    QPDFWriter(pdf, path.c_str()).write();
}

// Whether the first annotation of a page is in a group that the default configuration hides.
std::string annotationLayer(const std::string& path, int pageIndex) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    Object annotation = Object(pdf.getAllPages().at(static_cast<std::size_t>(pageIndex))).getKey("/Annots").getArrayItem(0);
    Object group = annotation.getKey("/OC");
    Object properties = pdf.getRoot().getKey("/OCProperties");
    auto holds = [&group](Object list) {
        for (Object item : list.aitems())
            if (item.isSameObjectAs(group)) return true;
        return false;
    };
    if (!group.isDictionary() || !holds(properties.getKey("/OCGs"))) return "in no group of the document";
    return holds(properties.getKey("/D").getKey("/OFF")) ? "hidden" : "shown";
}

std::string colours(const std::string& path, int pageIndex) {
    const test_pages::RenderedPage page = test_pages::renderPage(path, pageIndex, "", true);
    auto name = [](test_pages::Rgb pixel) {
        return std::to_string(pixel.r) + "," + std::to_string(pixel.g) + "," + std::to_string(pixel.b);
    };
    return "red square " + name(page.at(RedX, RedY)) + ", green square " + name(page.at(GreenX, GreenY));
}

TEST(HiddenLayers, ALayerTheAuthorHidStaysHiddenInSplitsAndMerges) {
    const std::string expected = "red square 255,255,255, green square 0,255,0";
    const std::pair<const char*, Hiding> hidings[] = {
        {"visibility expression", Hiding::VisibilityExpression},
        {"membership groups", Hiding::MembershipGroups},
        {"base state off", Hiding::BaseStateOff},
        {"usage application", Hiding::UsageApplication},
        {"form XObject only", Hiding::FormXObjectOnly},
    };
    for (const auto& [name, hiding] : hidings) {
        SCOPED_TRACE(name);
        TempDir dir;
        writeHiddenLayerPdf(dir.file("layers.pdf"), hiding);
        ASSERT_EQ(colours(dir.file("layers.pdf"), 1), expected);

        RecordingReporter reporter;
        job_runs::splitByRanges(dir.folder(), "layers.pdf", "2", reporter);
        EXPECT_EQ(colours(dir.file("part_1.pdf"), 0), expected) << "split";
        job_runs::merge(dir.folder(), {"layers.pdf", "layers.pdf"}, "merged.pdf", reporter);
        EXPECT_EQ(colours(dir.file("merged.pdf"), 1), expected) << "merge, first copy";
        EXPECT_EQ(colours(dir.file("merged.pdf"), 3), expected) << "merge, second copy";
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// The names of the groups in a list, nested lists in brackets.
std::string groupNames(Object list) {
    std::string names;
    for (Object item : list.aitems()) {
        names += names.empty() ? "" : " ";
        if (item.isArray()) names += "[" + groupNames(item) + "]";
        else if (item.isString()) names += "'" + item.getUTF8Value() + "'";
        else names += item.getKey("/Name").getUTF8Value();
    }
    return names;
}

TEST(HiddenLayers, AlternateConfigurationsKeepOnlyTheGroupsOfTheOutput) {
    TempDir dir;
    writeHiddenLayerPdf(dir.file("layers.pdf"), Hiding::BaseStateOff);
    RecordingReporter reporter;
    job_runs::splitByRanges(dir.folder(), "layers.pdf", "2", reporter);
    QPDF pdf;
    pdf.processFile(dir.file("part_1.pdf").c_str());
    Object properties = pdf.getRoot().getKey("/OCProperties");
    ASSERT_EQ(properties.getKey("/Configs").getArrayNItems(), 1);
    Object alternate = properties.getKey("/Configs").getArrayItem(0);
    EXPECT_EQ(groupNames(properties.getKey("/OCGs")), "On Off");
    EXPECT_EQ(alternate.getKey("/Name").getUTF8Value(), "Alternate");
    EXPECT_EQ(alternate.getKey("/BaseState").getName(), "/ON");
    EXPECT_EQ(groupNames(alternate.getKey("/OFF")), "On");
    EXPECT_EQ(groupNames(alternate.getKey("/Order")), "'Label' On Off");
}

// PDFium draws annotations whatever their layer, so their layer is read from the file.
TEST(HiddenLayers, AnAnnotationInAHiddenLayerStaysInIt) {
    TempDir dir;
    writeHiddenLayerPdf(dir.file("layers.pdf"), Hiding::AnnotationOnly);
    RecordingReporter reporter;
    job_runs::merge(dir.folder(), {"layers.pdf", "layers.pdf"}, "merged.pdf", reporter);
    EXPECT_EQ(annotationLayer(dir.file("merged.pdf"), 1), "hidden");
    EXPECT_EQ(annotationLayer(dir.file("merged.pdf"), 3), "hidden");
}

}  // namespace
