#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/foreign_copier.h"
#include "structure/name_trees.h"
#include "structure/structure_sources.h"
#include "structure/structure_request.h"

// The output document and the origin of each of its pages.
struct CarryTarget {
    QPDF& pdf;
    std::vector<QPDFObjectHandle> pages;  // the output's pages, in order
    const StructureRequest& request;
};

// Named destinations the output holds: name -> explicit destination.
using DestinationNames = NameTreeEntries;

// One input's part of an output: its pages in the output, and a copier that
// maps the input's pages to their first copy in the output. Destinations
// met while copying (in links, actions and bookmarks) are rewritten to the
// output's pages; named ones are carried under names unique in the output.
class InputCarry {
public:
    InputCarry(CarryTarget& target, std::size_t input, StructureSource& source, const DestinationNames& carriedBefore);
    InputCarry(const InputCarry&) = delete;
    InputCarry& operator=(const InputCarry&) = delete;

    std::size_t input() const { return input_; }
    StructureSource& source() { return source_; }
    CarryTarget& target() { return target_; }
    QPDF& output() { return target_.pdf; }

    // The copier; it takes the input's pages to their first copy in the output.
    ForeignCopier& copier() { return copier_; }

    // The input's pages as libqpdf reads them. Raises when libqpdf finds
    // another number of pages than PDFium did: the pages would not match.
    const std::vector<QPDFObjectHandle>& sourcePages();

    // The output positions of this input's pages, in output order.
    const std::vector<std::size_t>& outputPositions() const { return positions_; }
    int sourcePageAt(std::size_t position) const { return target_.request.pages[position].sourcePage; }
    // The first output page made from a 0-based source page, or null.
    QPDFObjectHandle outputPageOf(int sourcePage) const;
    // The same for a page object of the input.
    QPDFObjectHandle outputPageOf(QPDFObjectHandle sourcePage);

    // A destination (explicit, by name or by string) rewritten for the output,
    // or null when its page is not in the output.
    QPDFObjectHandle carryDestination(QPDFObjectHandle destination);
    // The named destinations this input added to the output.
    const DestinationNames& destinationNames() const { return names_; }

private:
    QPDFObjectHandle explicitDestination(QPDFObjectHandle destination, int depth);
    void rewriteDestinations(QPDFObjectHandle source, QPDFObjectHandle copy);

    CarryTarget& target_;
    const std::size_t input_;
    StructureSource& source_;
    ForeignCopier copier_;
    std::vector<std::size_t> positions_;
    std::map<int, std::size_t> firstPosition_;  // source page -> first output position
    const DestinationNames& carriedBefore_;     // by the inputs before this one
    DestinationNames names_;                    // output name -> destination, added by this input
    std::map<std::string, std::string> renamed_;  // source name -> output name ("" when not carried)
};
