#include <gtest/gtest.h>

#include <functional>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "engine/pdf_document.h"
#include "finishing/output_finisher.h"
#include "structure/structure_carry.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"
#include "job_runs.h"
#include "structured_pdfs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"
#include "test_pages.h"

namespace {

using fixtures::TempDir;
using structured_pdfs::Structure;

// The jobs as the window runs them, over structured.pdf (S1 .. S6) and
// second.pdf (T1 .. T3).
class StructureJobs {
public:
    StructureJobs() {
        structured_pdfs::writeStructuredPdf(dir.file("structured.pdf"));
        structured_pdfs::writeSecondStructuredPdf(dir.file("second.pdf"));
    }

    // Padded, the shorter file comes first, so that its blank page lies
    // between the two.
    void merge(BookmarkMode bookmarks, bool padOdd = false, std::vector<std::string> selections = {}) {
        MergeRequest request;
        request.inputs = {input("structured.pdf"), input("second.pdf")};
        request.pageSelections = std::move(selections);
        if (padOdd) std::swap(request.inputs[0], request.inputs[1]);
        request.padOdd = padOdd;
        request.outputPath = dir.file("out.pdf");
        request.bookmarks = bookmarks;
        runMerge(request, reporter);
    }
    void split(const std::string& ranges) {
        SplitRequest request = splitOf(SplitMethod::ByPageRange);
        request.rangeList = ranges;
        runSplit(request, reporter);
    }
    void splitByBookmarks(const std::string& level) {
        SplitRequest request = splitOf(SplitMethod::ByBookmarks);
        request.bookmarkLevel = level;
        runSplit(request, reporter);
    }
    // Page by page in turns; the second file, shorter, starts again from its first page.
    void mixPageByPage() {
        MixRequest request;
        request.first = input("structured.pdf");
        request.second = input("second.pdf");
        request.firstMethod.groupCount = request.secondMethod.groupCount = "1";
        request.baseName = "mix_";
        request.destinationFolder = dir.folder();
        request.singleFile = true;
        runMix(request, reporter);
    }

    TempDir dir;
    RecordingReporter reporter;

private:
    InputFile input(const std::string& name) { return {name, dir.folder(), ""}; }
    SplitRequest splitOf(SplitMethod method) {
        SplitRequest request;
        request.input = input("structured.pdf");
        request.method = method;
        request.baseName = "part_";
        request.destinationFolder = dir.folder();
        return request;
    }
};

struct OutputExpectation {
    std::string file;
    std::string markers;
    Structure structure;
};

struct JobCase {
    const char* name;
    std::function<void(StructureJobs&)> run;
    std::vector<OutputExpectation> outputs;
};

// What a merge of both files holds with the inputs' bookmarks kept.
Structure mergedStructure() {
    Structure merged;
    merged.bookmarks = "Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri T intro=T1";
    merged.links = "S1>S5,S3,S2,uri T1>T2";
    merged.fields = "agree=Yes choice=B name+1=Bob name=Ada person.city=Paris";
    merged.labels = "i ii 1 2 3 4 1 2 3";
    merged.hiddenLayers = "Secret";
    merged.title = "Structure Fixture";
    merged.attachments = "notes.txt notes.txt+1";
    merged.tags = "(none)";  // the second file has none, so that a reader of tags would miss its pages
    return merged;
}

Structure withBookmarks(Structure structure, const std::string& bookmarks) {
    structure.bookmarks = bookmarks;
    return structure;
}

const JobCase jobCases[] = {
    {"merge keeping the bookmarks", [](StructureJobs& jobs) { jobs.merge(BookmarkMode::Keep); },
     {{"out.pdf", "S1 S2 S3 S4 S5 S6 T1 T2 T3", mergedStructure()}}},
    {"merge with an entry per file", [](StructureJobs& jobs) { jobs.merge(BookmarkMode::PerFile); },
     {{"out.pdf", "S1 S2 S3 S4 S5 S6 T1 T2 T3",
       withBookmarks(mergedStructure(), "structured=S1 [Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri] "
                                        "second=T1 [T intro=T1]")}}},
    {"merge without bookmarks", [](StructureJobs& jobs) { jobs.merge(BookmarkMode::None); },
     {{"out.pdf", "S1 S2 S3 S4 S5 S6 T1 T2 T3", withBookmarks(mergedStructure(), "(none)")}}},
    {"merge with a blank page after the odd file", [](StructureJobs& jobs) { jobs.merge(BookmarkMode::Keep, true); },
     {{"out.pdf", "T1 T2 T3  S1 S2 S3 S4 S5 S6",
       {"T intro=T1 Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri", "T1>T2 S1>S5,S3,S2,uri",
        "agree=Yes choice=B name+1=Ada name=Bob person.city=Paris", "1 2 3 4 i ii 1 2 3 4", "Secret", "(none)",
        "notes.txt notes.txt+1", "", "(none)"}}}},
    {"merge of selected pages, backwards", [](StructureJobs& jobs) { jobs.merge(BookmarkMode::Keep, false, {"z-3,1", "r2"}); },
     {{"out.pdf", "S6 S5 S4 S3 S1 T2",
       {"Front=S1 Body=S3 [Part A=S4 Part B=S6] Web=uri", "S1>S5,S3,uri", "agree=Yes choice=B name=Ada person.city=Paris",
        "4 3 2 1 i 2", "Secret", "Structure Fixture", "notes.txt notes.txt+1", "", "(none)"}}}},
    {"split by ranges", [](StructureJobs& jobs) { jobs.split("1-3;4-6"); },
     {{"part_1.pdf", "S1 S2 S3",
       {"Front=S1 [Preface=S2] Body=S3 Web=uri", "S1>S3,S2,uri", "agree=Yes choice=B name=Ada", "i ii 1", "",
        "Structure Fixture", "notes.txt", "", "Document [P@S1 Link@S1 P@S2 P@S3]"}},
      {"part_2.pdf", "S4 S5 S6",
       {"Body=- [Part A=S4 Part B=S6] Web=uri", "", "choice=B person.city=Paris", "2 3 4", "Secret",
        "Structure Fixture", "notes.txt", "", "Document [P@S4 P@S5 P@S6]"}}}},
    {"split repeating a page: each copy has fields of its own", [](StructureJobs& jobs) { jobs.split("4,3,4"); },
     {{"part_1.pdf", "S4 S3 S4",
       {"Body=S3 [Part A=S4] Web=uri", "", "agree=Yes choice+1=B choice=B name=Ada person+1.city=Paris person.city=Paris",
        "2 1 2", "", "Structure Fixture", "notes.txt", "", "Document [P@S3 P@S4]"}}}},
    {"split by bookmarks: each file keeps those beneath its own", [](StructureJobs& jobs) { jobs.splitByBookmarks("1"); },
     {{"part_1.pdf", "S1 S2",
       {"Front=S1 [Preface=S2] Web=uri", "S1>S2,uri", "", "i ii", "", "Structure Fixture", "notes.txt", "",
        "Document [P@S1 Link@S1 P@S2]"}},
      {"part_2.pdf", "S3 S4 S5 S6",
       {"Body=S3 [Part A=S4 Part B=S6] Web=uri", "", "agree=Yes choice=B name=Ada person.city=Paris", "1 2 3 4",
        "Secret", "Structure Fixture", "notes.txt", "", "Document [P@S3 P@S4 P@S5 P@S6]"}}}},
    {"mix with a repeated page", [](StructureJobs& jobs) { jobs.mixPageByPage(); },
     {{"mix_mixed.pdf", "S1 T1 S2 T2 S3 T3 S4 T1 S5 T2 S6 T3",
       {"Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri T intro=T1", "S1>S5,S3,S2,uri T1>T2 T1#2>T2",
        "agree=Yes choice=B name+1=Bob name+2=Bob name=Ada person.city=Paris", "i 1 ii 2 1 3 2 1 3 2 4 3", "Secret",
        "Structure Fixture", "notes.txt notes.txt+1", "", "(none)"}}}},
};

TEST(StructureCarry, EveryJobKeepsTheStructureOfThePagesItWrites) {
    for (const JobCase& job : jobCases) {
        SCOPED_TRACE(job.name);
        StructureJobs jobs;
        job.run(jobs);
        EXPECT_TRUE(jobs.reporter.messages.empty());
        for (const OutputExpectation& output : job.outputs) {
            SCOPED_TRACE(output.file);
            const std::string path = jobs.dir.file(output.file);
            ASSERT_EQ(fixtures::markerText(path), output.markers);
            const Structure found = structured_pdfs::readStructure(path);
            EXPECT_EQ(found.bookmarks, output.structure.bookmarks);
            EXPECT_EQ(found.links, output.structure.links);
            EXPECT_EQ(found.fields, output.structure.fields);
            EXPECT_EQ(found.labels, output.structure.labels);
            EXPECT_EQ(found.hiddenLayers, output.structure.hiddenLayers);
            EXPECT_EQ(found.title, output.structure.title);
            EXPECT_EQ(found.attachments, output.structure.attachments);
            EXPECT_EQ(found.faults, output.structure.faults);
            EXPECT_EQ(found.tags, output.structure.tags);
        }
    }
}

TEST(StructureCarry, AHiddenLayerStaysHiddenWhenDrawn) {
    StructureJobs jobs;
    jobs.merge(BookmarkMode::Keep);
    const test_pages::RenderedPage page = test_pages::renderPage(jobs.dir.file("out.pdf"), 4);
    const test_pages::Rgb hidden = page.at(structured_pdfs::HiddenSquareX, structured_pdfs::HiddenSquareY);
    const test_pages::Rgb shown = page.at(structured_pdfs::ShownSquareX, structured_pdfs::ShownSquareY);
    EXPECT_EQ((std::vector<int>{hidden.r, hidden.g, hidden.b}), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ((std::vector<int>{shown.r, shown.g, shown.b}), (std::vector<int>{0, 255, 0}));
}

TEST(StructureCarry, FieldsOfTheSecondFormKeepTheirOwnFont) {
    StructureJobs jobs;
    jobs.merge(BookmarkMode::Keep);
    QPDF pdf;
    pdf.processFile(jobs.dir.file("out.pdf").c_str());
    QPDFObjectHandle form = pdf.getRoot().getKey("/AcroForm");
    QPDFObjectHandle second = form.getKey("/Fields").getArrayItem(4);
    ASSERT_EQ(second.getKey("/T").getUTF8Value(), "name+1");
    const std::string appearance = second.getKey("/DA").getUTF8Value();
    const std::string font = appearance.substr(0, appearance.find(' '));
    EXPECT_EQ(form.getKey("/DR").getKey("/Font").getKey(font).getKey("/BaseFont").getName(), "/Courier") << appearance;
    EXPECT_EQ(form.getKey("/DR").getKey("/Font").getKey("/Helv").getKey("/BaseFont").getName(), "/Helvetica");
}

// An output as PDFium writes it: the pages of the inputs, nothing around them.
void writePagesOnly(const std::vector<std::string>& inputs, const std::string& output) {
    PdfDocument made = PdfDocument::create();
    for (const std::string& input : inputs) {
        const PdfDocument source = PdfDocument::open(input);
        std::vector<int> all;
        for (int page = 1; page <= source.pageCount(); ++page) all.push_back(page);
        made.importPages(source, all, made.pageCount() + 1);
    }
    fixtures::writeFile(output, made.save());
}

TEST(StructureCarry, AnInputLibqpdfCannotReadIsLeftOutWhole) {
    TempDir dir;
    structured_pdfs::writeStructuredPdf(dir.file("structured.pdf"));
    structured_pdfs::writeSecondStructuredPdf(dir.file("second.pdf"));
    writePagesOnly({dir.file("structured.pdf"), dir.file("second.pdf")}, dir.file("made.pdf"));
    fixtures::writeFile(dir.file("not-a-pdf.pdf"), "not a PDF at all");

    StructureRequest request;
    request.inputs = {{dir.file("structured.pdf"), "", -1, nullptr, nullptr}, {dir.file("not-a-pdf.pdf"), "", -1, nullptr, nullptr}};
    for (int page = 0; page < 6; ++page) request.pages.push_back({0, page});
    for (int page = 0; page < 3; ++page) request.pages.push_back({1, page});
    QPDF output;
    output.processFile(dir.file("made.pdf").c_str());
    StructureSources sources;
    EXPECT_EQ(carryStructure(output, request, sources).unreadInputs, (std::vector<std::size_t>{1}));
    QPDFWriter(output, dir.file("carried.pdf").c_str()).write();

    const Structure carried = structured_pdfs::readStructure(dir.file("carried.pdf"));
    EXPECT_EQ(carried.bookmarks, "Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri");
    // The unread input's field stays on its page as PDFium copied it, outside the form.
    EXPECT_EQ(carried.fields, "agree=Yes choice=B name=Ada name=Bob person.city=Paris");
    EXPECT_EQ(carried.labels, "i ii 1 2 3 4 1 2 3");
    EXPECT_EQ(fixtures::markerText(dir.file("carried.pdf")), "S1 S2 S3 S4 S5 S6 T1 T2 T3");
}

// An input the job has parsed already is read from that parse, not from its file.
TEST(StructureCarry, AParseTheJobMadeIsReadInsteadOfTheFile) {
    TempDir dir;
    structured_pdfs::writeStructuredPdf(dir.file("structured.pdf"));
    writePagesOnly({dir.file("structured.pdf")}, dir.file("made.pdf"));
    auto parsed = std::make_shared<QPDF>();
    parsed->processFile(dir.file("structured.pdf").c_str());

    StructureRequest request;
    request.inputs = {{dir.file("gone.pdf"), "", -1, nullptr, parsed}};
    for (int page = 0; page < 6; ++page) request.pages.push_back({0, page});
    QPDF output;
    output.processFile(dir.file("made.pdf").c_str());
    StructureSources sources;
    EXPECT_TRUE(carryStructure(output, request, sources).unreadInputs.empty());
    QPDFWriter(output, dir.file("carried.pdf").c_str()).write();
    EXPECT_EQ(structured_pdfs::readStructure(dir.file("carried.pdf")).bookmarks,
              "Front=S1 [Preface=S2] Body=S3 [Part A=S4 Part B=S6] Web=uri");
}

// The structured file with its objects in object streams, and the
// cross-reference stream that finds them overwritten: libqpdf cannot read it,
// PDFium repairs it.
void writeStructuredPdfWithBrokenCrossReferenceStream(const std::string& path) {
    structured_pdfs::writeStructuredPdf(path + ".sound");
    QPDF pdf;
    pdf.processFile((path + ".sound").c_str());
    QPDFWriter writer(pdf, path.c_str());
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    std::string bytes = fixtures::readFile(path);
    const std::size_t data = bytes.find("stream", bytes.rfind("/Type /XRef")) + 7;
    bytes.replace(data, 40, std::string(40, 'x'));
    fixtures::writeFile(path, bytes);
}

TEST(StructureCarry, AFileOnlyPdfiumCanRepairKeepsItsStructure) {
    TempDir dir;
    writeStructuredPdfWithBrokenCrossReferenceStream(dir.file("damaged.pdf"));
    structured_pdfs::writeSecondStructuredPdf(dir.file("second.pdf"));
    ASSERT_NE(fixtures::errorOf([&] {
                  QPDF pdf;
                  pdf.setSuppressWarnings(true);
                  pdf.processFile(dir.file("damaged.pdf").c_str());
              }),
              "(no error)");
    RecordingReporter reporter;
    job_runs::merge(dir.folder(), {"damaged.pdf", "second.pdf"}, "out.pdf", reporter);
    EXPECT_TRUE(reporter.messages.empty());
    const Structure merged = structured_pdfs::readStructure(dir.file("out.pdf"));
    EXPECT_EQ(merged.bookmarks, mergedStructure().bookmarks);
    EXPECT_EQ(merged.links, mergedStructure().links);
    EXPECT_EQ(merged.fields, mergedStructure().fields);
    EXPECT_EQ(merged.labels, mergedStructure().labels);

    // A split, whose parts are finished while PDFium makes the next: each
    // reads the repaired copy, which PDFium makes on the job's thread.
    job_runs::splitByRanges(dir.folder(), "damaged.pdf", "1-3;4-6", reporter);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(structured_pdfs::readStructure(dir.file("part_1.pdf")).bookmarks, "Front=S1 [Preface=S2] Body=S3 Web=uri");
    EXPECT_EQ(structured_pdfs::readStructure(dir.file("part_2.pdf")).bookmarks, "Body=- [Part A=S4 Part B=S6] Web=uri");
}

// The structured file with its language, and its first paragraph of the
// type /Para, which the role map takes to role.
void writeTaggedVariant(const std::string& path, const std::string& language, const std::string& role) {
    structured_pdfs::writeStructuredPdf(path + ".plain");
    QPDF pdf;
    pdf.processFile((path + ".plain").c_str());
    QPDFObjectHandle root = pdf.getRoot().getKey("/StructTreeRoot");
    root.replaceKey("/RoleMap", QPDFObjectHandle::parse("<< /Para " + role + " >>"));
    root.getKey("/K").getKey("/K").getArrayItem(0).replaceKey("/S", QPDFObjectHandle::newName("/Para"));
    pdf.getRoot().replaceKey("/Lang", QPDFObjectHandle::newString(language));
    QPDFWriter(pdf, path.c_str()).write();
}

TEST(StructureCarry, AMergeOfTaggedFilesHasOneTreeWithAPartForEach) {
    TempDir dir;
    writeTaggedVariant(dir.file("english.pdf"), "en", "/P");
    writeTaggedVariant(dir.file("german.pdf"), "de", "/H1");
    RecordingReporter reporter;
    job_runs::merge(dir.folder(), {"english.pdf", "german.pdf"}, "out.pdf", reporter);
    const Structure merged = structured_pdfs::readStructure(dir.file("out.pdf"));
    EXPECT_EQ(merged.faults, "");
    // Both documents in reading order, each under a part of its own.
    EXPECT_EQ(merged.tags, "Document [Part [Document [Para@S1 Link@S1 P@S2 P@S3 P@S4 P@S5 P@S6]] "
                           "Part [Document [Para+1@S1#2 Link@S1#2 P@S2#2 P@S3#2 P@S4#2 P@S5#2 P@S6#2]]]");

    QPDF pdf;
    pdf.processFile(dir.file("out.pdf").c_str());
    QPDFObjectHandle root = pdf.getRoot().getKey("/StructTreeRoot");
    EXPECT_EQ(root.getKey("/RoleMap").unparse(), "<< /Para /P /Para+1 /H1 >>");
    QPDFObjectHandle parts = root.getKey("/K").getKey("/K");
    ASSERT_EQ(parts.getArrayNItems(), 2);
    EXPECT_EQ(parts.getArrayItem(0).getKey("/Lang").getUTF8Value(), "en");
    EXPECT_EQ(parts.getArrayItem(1).getKey("/Lang").getUTF8Value(), "de");
    auto firstParagraphType = [](QPDFObjectHandle part) {
        return part.getKey("/K").getArrayItem(0).getKey("/K").getArrayItem(0).getKey("/S").getName();
    };
    EXPECT_EQ(firstParagraphType(parts.getArrayItem(0)), "/Para");
    EXPECT_EQ(firstParagraphType(parts.getArrayItem(1)), "/Para+1");
    EXPECT_TRUE(pdf.getRoot().getKey("/MarkInfo").getKey("/Marked").getBoolValue());
}

// Says that the first input could not be read, for every output.
class UnreadFirstInput : public RecordingFinisher {
public:
    std::vector<std::size_t> structureNotCarried() const override { return {0}; }
};

TEST(StructureCarry, AJobNamesAnInputWhoseStructureItCannotCarryOnce) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("in.pdf"), "A", 3);
    UnreadFirstInput finisher;
    RecordingReporter reporter;
    SplitRequest request;
    request.input = {"in.pdf", dir.folder(), ""};
    request.destinationFolder = dir.folder();
    runSplit(request, reporter, finisher);
    EXPECT_EQ(finisher.finished.size(), 3u);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"<MsgStructureLost> " + dir.file("in.pdf")}));
}

// Says of both inputs, the same file, that their structure was lost or cut.
class BothInputsHurt : public RecordingFinisher {
public:
    std::vector<std::size_t> structureNotCarried() const override { return {0, 1}; }
    std::vector<StructureNote> structureNotes() const override {
        return {{0, "bookmarks beyond the first 50000"}, {1, "bookmarks beyond the first 50000"}};
    }
};

TEST(StructureCarry, AFileGivenTwiceIsNamedOnce) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("in.pdf"), "A", 3);
    BothInputsHurt finisher;
    RecordingReporter reporter;
    MergeRequest request;
    request.inputs = {{"in.pdf", dir.folder(), ""}, {"in.pdf", dir.folder(), ""}};
    request.outputPath = dir.file("out.pdf");
    runMerge(request, reporter, finisher);
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{"<MsgStructureLost> " + dir.file("in.pdf"),
                                        dir.file("in.pdf") + ": bookmarks beyond the first 50000 were left out"}));
}

}  // namespace
