#include "engine/page_tree_check.h"

#include "engine/parent_reference_scan.h"
#include "engine/quiet_qpdf.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <set>
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace {

// A node is reached through /Kids; a reader that meets one without /Kids (or
// marked as a page) takes it for a page and climbs its /Parent chain for the
// inherited entries it lacks.
bool takenForPage(QPDFObjectHandle node) {
    if (node.getKey("/Type").isNameAndEquals("/Page")) return true;
    return !node.getKey("/Kids").isArray();
}

class ParentChains {
public:
    // True when the /Parent chain that starts at node ends. Chains found to
    // end are remembered, so that pages sharing their parents cost one step.
    bool ends(QPDFObjectHandle node) {
        std::set<QPDFObjGen> onChain;
        std::vector<QPDFObjGen> walked;
        int depth = 0;
        for (;;) {
            const QPDFObjGen id = node.getObjGen();
            if (id.isIndirect()) {
                if (ending_.count(id)) break;
                if (!onChain.insert(id).second) return false;
                walked.push_back(id);
            }
            if (++depth > DeepestParentChain) return false;
            QPDFObjectHandle parent = node.getKey("/Parent");
            if (!parent.isDictionary()) break;
            node = parent;
        }
        ending_.insert(walked.begin(), walked.end());
        return true;
    }

private:
    std::set<QPDFObjGen> ending_;
};

// Decoded object streams larger than this are not searched: no page tree
// needs them, and a stream made to inflate without end would take the memory.
constexpr std::size_t MaxObjectStreamBytes = std::size_t(64) << 20;

class BoundedText : public Pipeline {
public:
    BoundedText() : Pipeline("object stream", nullptr) {}
    void write(unsigned char const* data, size_t length) override {
        if (text.size() + length > MaxObjectStreamBytes) throw std::length_error("object stream too large");
        text.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}
    std::string text;
};

// The objects an object stream holds: pairs of object number and offset
// (from /First) in its header.
void scanObjectStream(QPDFObjectHandle stream, ParentLinks& links) {
    QPDFObjectHandle dictionary = stream.getDict();
    if (!dictionary.getKey("/N").isInteger() || !dictionary.getKey("/First").isInteger()) return;
    const long long count = dictionary.getKey("/N").getIntValue(), first = dictionary.getKey("/First").getIntValue();
    BoundedText decoded;
    if (!stream.pipeStreamData(&decoded, 0, qpdf_dl_generalized)) return;
    const std::string& text = decoded.text;
    if (first < 0 || static_cast<std::size_t>(first) > text.size()) return;
    std::vector<std::pair<long, std::size_t>> objects;
    const char* at = text.c_str();
    for (long long i = 0; i < count && i < 1000000; ++i) {
        char* end = nullptr;
        const long number = std::strtol(at, &end, 10);
        if (end == at) break;
        at = end;
        const long offset = std::strtol(at, &end, 10);
        if (end == at || offset < 0) break;
        at = end;
        objects.emplace_back(number, static_cast<std::size_t>(first + offset));
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::size_t from = objects[i].second;
        const std::size_t to = i + 1 < objects.size() ? objects[i + 1].second : text.size();
        if (from < to && to <= text.size()) scanObjectText(text.substr(from, to - from), objects[i].first, links);
    }
}

void scanObjectStreams(QPDF& pdf, ParentLinks& links) {
    std::set<int> streams;
    for (const auto& [id, entry] : pdf.getXRefTable())
        if (entry.getType() == 2) streams.insert(entry.getObjStreamNumber());
    for (int number : streams) {
        try {
            QPDFObjectHandle stream = pdf.getObjectByID(number, 0);
            if (stream.isStream()) scanObjectStream(stream, links);
        } catch (const std::exception&) {
            // a stream that cannot be read holds nothing a reader would climb
        }
    }
}

}  // namespace

bool anyParentLoop(QPDF& pdf) {
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    if (!root.isDictionary()) return false;
    ParentChains chains;
    std::set<QPDFObjGen> visited;
    std::vector<QPDFObjectHandle> pending{root};
    while (!pending.empty()) {
        QPDFObjectHandle node = pending.back();
        pending.pop_back();
        if (!node.isDictionary()) continue;
        const QPDFObjGen id = node.getObjGen();
        if (id.isIndirect() && !visited.insert(id).second) continue;
        if (takenForPage(node) && !chains.ends(node)) return true;
        QPDFObjectHandle kids = node.getKey("/Kids");
        if (!kids.isArray()) continue;
        const int count = kids.getArrayNItems();
        for (int i = count - 1; i >= 0; --i) pending.push_back(kids.getArrayItem(i));
    }
    return false;
}

bool parentChainLoops(const std::string& fileName, const std::string& password, std::shared_ptr<QPDF>* parsed) {
    ParentLinkScan scan = scanParentLinks(fileName);
    std::shared_ptr<QPDF> pdf;
    const auto handOn = [&](bool loops) {
        if (parsed) *parsed = loops ? nullptr : pdf;
        return loops;
    };
    if (scan.objectStreams) {
        try {
            pdf = openQuietly(fileName, password);
            scanObjectStreams(*pdf, scan.links);
        } catch (...) {
            pdf.reset();
        }
    }
    if (!linksCircle(scan.links)) return handOn(false);
    // A damaged file may be rebuilt by another reader into objects other than
    // the ones qpdf reads (a later definition of an object, one qpdf cannot
    // parse): the circle counts unless qpdf reads the file cleanly and its
    // page tree ends.
    try {
        if (!pdf) pdf = openQuietly(fileName, password);
        return handOn(anyParentLoop(*pdf) || pdf->anyWarnings());
    } catch (...) {
        pdf.reset();
        return handOn(true);
    }
}
