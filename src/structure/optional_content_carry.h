#pragma once
#include <vector>

#include <qpdf/QPDF.hh>

class InputCarry;

// An input's optional content (layers) as the output uses it: its groups
// that the output's pages or carried annotations use, and its default
// configuration restricted to them.
struct LayerPart {
    std::vector<QPDFObjectHandle> groups;  // the output's objects
    std::vector<QPDFObjectHandle> off;     // those hidden by default
    std::vector<QPDFObjectHandle> order, locked, radioButtons, usage;
    // The input's alternate configurations (/Configs), restricted to the groups above.
    std::vector<QPDFObjectHandle> configurations;
    // Of the default configuration.
    QPDFObjectHandle name = QPDFObjectHandle::newNull(), intent = QPDFObjectHandle::newNull();
};

// Finds the groups PDFium copied with the input's pages (through each page's
// /Resources: /Properties and the /OC of form XObjects, nested ones too) and
// maps each input group to one copy, pointing the pages' other copies of it
// there, so that a group has one object in the output. Run before the
// annotations are copied, so that their /OC finds the same copies.
void mapLayers(InputCarry& input);

// The input's layers in the output, after everything else of it is copied.
LayerPart collectLayers(InputCarry& input);

// Writes /OCProperties when any part has groups; the first part's name and
// intent are the configuration's.
void writeLayers(QPDF& output, const std::vector<LayerPart>& parts);
