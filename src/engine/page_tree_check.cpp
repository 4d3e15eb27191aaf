#include "engine/page_tree_check.h"

#include "engine/parent_reference_scan.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFLogger.hh>
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

// Walks every node reachable through /Kids from the catalog's /Pages, each
// once, and tells whether a page's /Parent chain loops.
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

std::shared_ptr<QPDFLogger> silentLogger() {
    auto logger = QPDFLogger::create();
    logger->setInfo(logger->discard());
    logger->setWarn(logger->discard());
    logger->setError(logger->discard());
    return logger;
}

}  // namespace

bool parentChainLoops(const std::string& fileName, const std::string& password) {
    const ParentLinkScan scan = scanParentLinks(fileName);
    if (!scan.circle && !scan.objectStreams) return false;
    try {
        QPDF pdf;
        pdf.setLogger(silentLogger());
        pdf.setSuppressWarnings(true);
        pdf.processFile(fileName.c_str(), password.empty() ? nullptr : password.c_str());
        if (anyParentLoop(pdf)) return true;
        if (!pdf.anyWarnings()) return false;
    } catch (...) {
    }
    // A damaged file may be rebuilt by another reader into objects other than
    // the ones qpdf read (a later definition of an object, one qpdf could not
    // parse): a circle in its bytes counts.
    return scan.circle;
}
