#pragma once
#include <functional>
#include <map>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

// Copies objects of one input document into the output document, following
// references, each indirect object once. Any object may be mapped to a
// replacement beforehand (null drops it). A page met is asked of the page
// resolver (its copy in the output, or null when the output does not hold
// it); the copier never copies a page or the page tree.
// Stream data is read while copying, so a damaged stream fails here, where
// the input can still be left out, and not later while the output is saved.
class ForeignCopier {
public:
    ForeignCopier(QPDF& output, QPDF& source);
    ForeignCopier(const ForeignCopier&) = delete;
    ForeignCopier& operator=(const ForeignCopier&) = delete;

    void map(QPDFObjGen source, QPDFObjectHandle replacement);
    void unmap(QPDFObjGen source) { map_.erase(source); }
    // The copy or replacement of an indirect object, or an uninitialized
    // handle when it has none yet.
    QPDFObjectHandle mapped(QPDFObjGen source) const;

    // Called for every dictionary copied (also streams' dictionaries) with
    // the source and its finished copy, for rewriting what the copy needs.
    using DictionaryHook = std::function<void(QPDFObjectHandle source, QPDFObjectHandle copy)>;
    void setDictionaryHook(DictionaryHook hook) { hook_ = std::move(hook); }
    // Asked about every indirect object met that is not mapped yet; one it
    // refuses becomes null, wherever it is referred to.
    using Admission = std::function<bool(QPDFObjectHandle object)>;
    void setAdmission(Admission admission) { admission_ = std::move(admission); }
    // Asked about every indirect dictionary met that is not mapped yet: the
    // output page for an input page (null when the output lacks it), or an
    // uninitialized handle for anything that is no page.
    using PageResolver = std::function<QPDFObjectHandle(QPDFObjectHandle object)>;
    void setPageResolver(PageResolver resolver) { resolver_ = std::move(resolver); }

    // Copies a direct or indirect object with everything it refers to.
    QPDFObjectHandle copy(QPDFObjectHandle object);
    // Copies indirect objects again as new objects, even those copied
    // before; references among them lead to the new copies, everything else
    // they refer to is shared with the earlier copies.
    std::vector<QPDFObjectHandle> copyAgain(const std::vector<QPDFObjectHandle>& objects);

    QPDF& output() { return output_; }
    QPDF& source() { return source_; }

private:
    QPDFObjectHandle copyValue(QPDFObjectHandle object);
    QPDFObjectHandle reference(QPDFObjectHandle indirect);
    QPDFObjectHandle newShell(QPDFObjectHandle indirect);
    void fill(QPDFObjectHandle source, QPDFObjectHandle shell);
    void copyDictionaryInto(QPDFObjectHandle source, QPDFObjectHandle target);
    void drain();

    QPDF& output_;
    QPDF& source_;
    std::map<QPDFObjGen, QPDFObjectHandle> map_;
    std::vector<std::pair<QPDFObjectHandle, QPDFObjectHandle>> pending_;  // source and its empty copy
    DictionaryHook hook_;
    Admission admission_;
    PageResolver resolver_;
};
