#pragma once
#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeindex>
#include <vector>

#include <qpdf/QPDF.hh>

#include "base/background_work.h"

#include "structure/structure_request.h"

// One input read with libqpdf for its structure. Opening reads only the
// cross-reference table and the trailer; the page list is read when first
// asked for, so an input that has nothing to carry costs next to nothing.
class StructureSource {
public:
    StructureSource(const std::string& path, const std::string& password);
    // Reads a repaired copy of the file at path from memory.
    StructureSource(const std::string& path, const std::string& password, std::string repairedCopy);
    // Takes a reading of the input libqpdf has made already.
    explicit StructureSource(std::shared_ptr<QPDF> parsed);

    QPDF& pdf() { return *pdf_; }
    QPDFObjectHandle catalog() { return pdf_->getRoot(); }
    // The input's pages, in order.
    const std::vector<QPDFObjectHandle>& pages();
    bool pagesRead() const { return pagesRead_; }
    // The 0-based index of a page object, or -1 when it is no page of the input.
    int pageIndex(QPDFObjGen page);
    // What a destination name (a name of /Dests or a string of the /Dests
    // name tree) stands for; null when the input does not name it.
    QPDFObjectHandle namedDestination(QPDFObjectHandle name);
    // The 0-based page a destination (explicit, by name, or an action's
    // dictionary with its /D) goes to, or -1.
    int destinationPage(QPDFObjectHandle destination);

    // Whether the page's /Annots list was cut when the file was opened (see
    // shortenLongAnnotationLists).
    bool annotationsShortened(QPDFObjGen page) const { return shortenedLists_.count(page) > 0; }

    // Records that something of the input was left out (see StructureNote);
    // each text once.
    void note(const std::string& text);
    const std::vector<std::string>& notes() const { return notes_; }

    // Something worked out once from the input (by make) and kept for the
    // job's later outputs, one of each type.
    template <typename T, typename Make>
    T& remembered(Make make) {
        std::shared_ptr<void>& slot = memos_[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<T>(make());
        return *std::static_pointer_cast<T>(slot);
    }

private:
    std::string memory_;  // the repaired copy pdf_ reads, when it reads one
    std::shared_ptr<QPDF> pdf_;
    bool pagesRead_ = false;
    std::map<QPDFObjGen, int> pageIndices_;
    std::set<QPDFObjGen> shortenedLists_;
    std::map<std::type_index, std::shared_ptr<void>> memos_;
    std::vector<std::string> notes_;
};

// An input opened for carrying (its cross-reference table, trailer and
// catalog read; with object streams, that of the catalog unpacked) on a
// second core (base/background_work.h) while the job goes on with PDFium, so
// that finishing finds it read; when it holds structure, its pages and their
// annotations are read ahead too, within bounds, until finishing takes it.
// Its QPDF object is the read-ahead's alone until take() has returned.
class SourceReadAhead {
public:
    // Starts reading the input, from its parse when it has one.
    explicit SourceReadAhead(const StructureInput& input);
    // Ends reading ahead (a job that stops or fails does not wait for it).
    ~SourceReadAhead() { stop_ = true; }
    SourceReadAhead(const SourceReadAhead&) = delete;
    SourceReadAhead& operator=(const SourceReadAhead&) = delete;
    // The source read, once: raises what opening it raised. Null when taken before.
    std::unique_ptr<StructureSource> take();

private:
    std::unique_ptr<StructureSource> source_;
    std::atomic<bool> stop_{false};  // take() wants the source: reading ahead ends
    BackgroundWork reading_;  // after source_: it goes first, waiting for the work that fills source_
};

// The inputs of one job that have been opened, each once, kept between the
// outputs of the job (a split writes many outputs from one input).
class StructureSources {
public:
    // The input opened (or its parse taken, see StructureInput::parsed), or
    // null when libqpdf cannot read it; a failure is remembered, so that the
    // file is not tried again.
    StructureSource* open(const StructureInput& input);
    // The input's repaired copy (see StructureInput::repairedCopy) opened, or
    // null when there is none or libqpdf cannot read it either; made once.
    StructureSource* openRepaired(const StructureInput& input);

private:
    using Opened = std::map<std::pair<std::string, std::string>, std::unique_ptr<StructureSource>>;
    static StructureSource* openOnce(Opened& opened, const StructureInput& input,
                                     const std::function<std::unique_ptr<StructureSource>()>& make);

    Opened opened_, repaired_;
};
