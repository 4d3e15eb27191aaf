#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "ui/input_probe.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/file_lists.h"

namespace {

using fixtures::TempDir;
using Rows = std::vector<std::string>;

const std::string listFull = "The list is full: it holds at most 50 files.";
const std::string mixFull = "The mix takes two files. Remove one before adding another.";

// The window's controls as plain values.
struct FakeControls : FileListControls {
    struct Grid {
        int currentRow = -1;
        bool focused = false;
    };
    std::map<ListKind, bool> addEnabled{{ListKind::Split, true}, {ListKind::Mix, true}};
    std::map<ListKind, std::string> baseName{{ListKind::Split, "filename"}, {ListKind::Mix, "filename"}};
    std::map<ListKind, bool> sourceFolder{{ListKind::Split, true}, {ListKind::Mix, true}};
    std::map<ListKind, std::string> destination;
    std::string mergeOutput;
    std::map<ListKind, Grid> grids;

    void setAddEnabled(ListKind kind, bool enabled) override { addEnabled[kind] = enabled; }
    void setBaseFileName(ListKind kind, const std::string& text) override { baseName[kind] = text; }
    bool usesSourceFolder(ListKind kind) const override { return sourceFolder.at(kind); }
    void setDestinationFolder(ListKind kind, const std::string& folder) override { destination[kind] = folder; }
    std::string mergeDestinationFileName() const override { return mergeOutput; }
    void setMergeDestinationFileName(const std::string& path) override { mergeOutput = path; }
    void selectGridRows(ListKind kind, const std::vector<int>& rows) override {
        if (!rows.empty()) grids[kind].currentRow = rows.front();
    }
    void focusGrid(ListKind kind) override { grids[kind].focused = true; }
};

struct ListsBench {
    TempDir dir;
    std::map<std::string, std::string> translations;
    ScriptedDialogs dialogs;
    InputProbe probe{dialogs, [this](const std::string& key) { return translate(key); }};
    FakeControls controls;
    FileLists lists{probe, dialogs, [this](const std::string& key) { return translate(key); }, controls};

    std::string translate(const std::string& key) {
        auto it = translations.find(key);
        return it == translations.end() ? "" : it->second;
    }

    // A PDF of `pages` pages in the bench folder (or a subfolder of it).
    std::string pdfFile(const std::string& name, int pages = 3, const std::string& password = "") {
        std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
        fixtures::writeMarkedPdf(dir.file(name), "A", pages, fixtures::PdfOptions().withPassword(password));
        return dir.file(name);
    }
    std::string row(int number, const std::string& name, int pages, const std::string& mask = "") const {
        return std::to_string(number) + "|" + name + "|" + dir.folder() + "|" + std::to_string(pages) + "|" + mask;
    }
    void add(ListKind kind, const std::string& path) { lists.addFile(kind, path); }

    // The rows the list's view shows, the columns every list has joined by "|".
    Rows shown(ListKind kind) const {
        const FileListModel& list = lists.model(kind);
        Rows rows;
        for (int r = 0; r < list.rowCount(); ++r) {
            std::string line;
            for (int c = 0; c <= FileListModel::PasswordColumn; ++c)
                line += (c ? "|" : "") + list.index(r, c).data().toString().toStdString();
            rows.push_back(line);
        }
        return rows;
    }
    // The merge files' initials, in order.
    std::string mergeOrder() const {
        std::string names;
        for (const InputFile& file : lists.inputFiles(ListKind::Merge)) names += file.fileName.substr(0, 1);
        return names;
    }
};

const ListKind allKinds[] = {ListKind::Split, ListKind::Merge, ListKind::Mix};

TEST(FileLists, PlainFileFillsTheFirstRowOfEachList) {
    for (ListKind kind : allKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        ListsBench bench;
        const std::string path = bench.pdfFile("plain.pdf", 3);
        bench.add(kind, path);

        EXPECT_EQ(bench.lists.filesCount(kind), 1);
        const ListedFile& file = bench.lists.model(kind).file(0);
        EXPECT_EQ(file.input.fileName, "plain.pdf");
        EXPECT_EQ(file.input.folder, bench.dir.folder());
        EXPECT_EQ(file.pageCount, 3);
        EXPECT_EQ(file.input.password, "");
        EXPECT_EQ(bench.shown(kind), Rows{bench.row(1, "plain.pdf", 3)});
        ASSERT_EQ(bench.lists.inputFiles(kind).size(), 1u);
        EXPECT_EQ(bench.lists.inputFiles(kind)[0].path(), path);
        EXPECT_TRUE(bench.dialogs.messages.empty());
    }
}

TEST(FileLists, ProtectedFileKeepsTheTypedPasswordAndTheGridMasksIt) {
    ListsBench bench;
    const std::string secret = "s3 cr!t";
    bench.add(ListKind::Merge, bench.pdfFile("plain.pdf", 1));
    bench.dialogs.textAnswers = {secret};
    bench.add(ListKind::Merge, bench.pdfFile("locked.pdf", 2, secret));

    EXPECT_EQ(bench.lists.model(ListKind::Merge).file(1).input.password, secret);
    EXPECT_EQ(bench.shown(ListKind::Merge)[1], bench.row(2, "locked.pdf", 2, FileListModel::PasswordMark));
    const std::vector<InputFile> files = bench.lists.inputFiles(ListKind::Merge);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].password, "");
    EXPECT_EQ(files[1].password, secret);
    EXPECT_EQ(files[1].path(), bench.dir.file("locked.pdf"));
}

// The mark does not tell how long the password is.
TEST(FileLists, EveryPasswordShowsTheSameMark) {
    const std::string mark = FileListModel::PasswordMark;
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"a", mark}, {"  ", mark}, {"p\xC3\xA4ss", mark}, {std::string(300, 'x'), mark}};
    for (const auto& [password, mask] : cases) EXPECT_EQ(FileListModel::maskPassword(password), mask) << password;
}

TEST(FileLists, MergeFilesMoveToAnyRowAndSeveralLeaveAtOnce) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf", "d.pdf"}) bench.add(ListKind::Merge, bench.pdfFile(name, 1));
    bench.lists.moveFile(ListKind::Merge, 0, 2);
    EXPECT_EQ(bench.mergeOrder(), "bcad");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 2);
    EXPECT_EQ(bench.controls.grids[ListKind::Merge].currentRow, 2);
    bench.lists.moveFile(ListKind::Merge, 3, 0);
    EXPECT_EQ(bench.mergeOrder(), "dbca");
    bench.lists.moveFile(ListKind::Merge, 1, 8);  // beyond the list: nothing
    EXPECT_EQ(bench.mergeOrder(), "dbca");
    EXPECT_EQ(bench.shown(ListKind::Merge)[0], bench.row(1, "d.pdf", 1));

    // A file's page selection goes where the file goes, and leaves with it.
    bench.lists.setPageSelection(2, "z-1");
    bench.lists.setPageSelection(6, "1");  // no file there
    bench.lists.moveFile(ListKind::Merge, 2, 0);
    EXPECT_EQ(bench.mergeOrder(), "cdba");
    EXPECT_EQ(bench.lists.pageSelections(), (std::vector<std::string>{"z-1", "", "", ""}));
    const FileListModel& list = bench.lists.model(ListKind::Merge);
    EXPECT_EQ(list.index(0, FileListModel::SelectionColumn).data().toString(), "z-1");
    bench.lists.moveFiles(ListKind::Merge, {0, 1}, 1);
    EXPECT_EQ(bench.mergeOrder(), "bcda");
    bench.lists.moveFiles(ListKind::Merge, {2, 3}, 1);  // the last would leave the list: nothing
    EXPECT_EQ(bench.mergeOrder(), "bcda");
    bench.lists.moveFile(ListKind::Merge, 2, 0);
    EXPECT_EQ(bench.mergeOrder(), "dbca");

    bench.lists.removeFiles(ListKind::Merge, {3, 1, 3});
    EXPECT_EQ(bench.mergeOrder(), "dc");
    EXPECT_EQ(bench.lists.pageSelections(), (std::vector<std::string>{"", "z-1"}));
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 2);
    EXPECT_EQ(bench.shown(ListKind::Merge)[1], bench.row(2, "c.pdf", 1)) << "numbered anew";
}

// The merge list's selection column: what the user types, without its spaces,
// checked against the file's pages; a wrong one is marked and its tip says why.
TEST(FileLists, TypedPageSelectionsAreCheckedAgainstTheFile) {
    ListsBench bench;
    bench.add(ListKind::Merge, bench.pdfFile("a.pdf", 4));
    FileListModel& list = bench.lists.model(ListKind::Merge);
    list.setSelectionHint("pages such as 1-3,z");
    const QModelIndex cell = list.index(0, FileListModel::SelectionColumn);
    EXPECT_TRUE(list.flags(cell) & Qt::ItemIsEditable);
    EXPECT_FALSE(list.flags(list.index(0, FileListModel::FileNameColumn)) & Qt::ItemIsEditable);
    struct Case {
        const char* typed;
        std::string kept;
        bool wrong;
    } cases[] = {{" 1 - 2 , z ", "1-2,z", false}, {"2,5", "2,5", true}, {"1-x", "1-x", true}, {"", "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(list.setData(cell, QString::fromUtf8(c.typed)));
        EXPECT_EQ(bench.lists.pageSelections(), std::vector<std::string>{c.kept});
        EXPECT_EQ(cell.data(FileListModel::WrongSelectionRole).toBool(), c.wrong);
        const std::string tip = cell.data(Qt::ToolTipRole).toString().toStdString();
        if (c.wrong) EXPECT_NE(tip.find(bench.dir.file("a.pdf")), std::string::npos) << tip;
        else EXPECT_EQ(tip, "pages such as 1-3,z");
    }
}

// A listed file's outline is read when first asked for and then kept; one
// that cannot be read says why, each time alike.
TEST(FileLists, OutlineIsReadOnceWhenNeeded) {
    ListsBench bench;
    const std::string path = bench.pdfFile("marked.pdf", 3);
    fixtures::writeMarkedPdf(path, "A", 3, fixtures::PdfOptions().withBookmarks({{"One", 1, 2}}));
    bench.add(ListKind::Split, path);
    bench.add(ListKind::Merge, bench.pdfFile("plain.pdf", 2));
    FileListModel& split = bench.lists.model(ListKind::Split);
    EXPECT_EQ(split.file(0).outline, nullptr) << "not read before it is needed";
    ASSERT_EQ(split.outline(0).entries.size(), 1u);
    std::filesystem::remove(path);
    EXPECT_EQ(split.outline(0).entries.at(0).title, "One") << "kept, not read again";

    FileListModel& merge = bench.lists.model(ListKind::Merge);
    fixtures::writeFile(bench.dir.file("plain.pdf"), "no longer a PDF");
    std::string first, second;
    try { merge.outline(0); } catch (const std::runtime_error& error) { first = error.what(); }
    fixtures::writeMarkedPdf(bench.dir.file("plain.pdf"), "A", 2);
    try { merge.outline(0); } catch (const std::runtime_error& error) { second = error.what(); }
    EXPECT_NE(first.find("plain.pdf"), std::string::npos) << first;
    EXPECT_EQ(second, first);
}

// A file the probe cannot open, or whose prompt is cancelled, leaves every
// list, default name and button as it was; the split list keeps the file it
// holds.
TEST(FileLists, FileThatDoesNotOpenChangesNothing) {
    struct Case {
        std::string name;
        std::deque<std::string> answers;
        std::size_t messages;
    } cases[] = {{"wrong password, then cancelled", {"wrong"}, 0}, {"cancelled", {}, 0}, {"missing", {}, 1}};
    for (const Case& c : cases) {
        for (ListKind kind : allKinds) {
            SCOPED_TRACE(c.name + " " + std::to_string(static_cast<int>(kind)));
            ListsBench bench;
            const std::string first = bench.pdfFile("first.pdf", 2);
            bench.add(kind, first);
            const FakeControls before = bench.controls;
            const Rows shownBefore = bench.shown(kind);

            const std::string path = c.name == "missing" ? bench.dir.file("sub/none.pdf")
                                                         : bench.pdfFile("sub/locked.pdf", 4, "right");
            bench.dialogs.textAnswers = c.answers;
            bench.add(kind, path);

            EXPECT_EQ(bench.dialogs.messages.size(), c.messages);
            EXPECT_EQ(bench.shown(kind), shownBefore);
            EXPECT_EQ(bench.lists.inputFiles(kind).front().path(), first);
            EXPECT_EQ(bench.controls.baseName, before.baseName);
            EXPECT_EQ(bench.controls.destination, before.destination);
            EXPECT_EQ(bench.controls.mergeOutput, before.mergeOutput);
            EXPECT_EQ(bench.controls.addEnabled, before.addEnabled);
        }
    }
}

TEST(FileLists, MissingFileSaysSoWithTheResaveHint) {
    ListsBench bench;
    bench.add(ListKind::Merge, bench.dir.file("gone.pdf"));
    EXPECT_EQ(bench.dialogs.messages,
              Rows{"File not found or could not be opened: " + bench.dir.file("gone.pdf") +
                   "; Please save the file with a different encoding and then retry."});
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    EXPECT_TRUE(bench.shown(ListKind::Merge).empty());
}

TEST(FileLists, BaseNameDropsEveryPdfAndDestinationIsTheSourceFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"Report.pdf.PDF", "Report_"}, {"my.pdfs.pdf", "mys_"}, {"plain.Pdf", "plain_"}, {"notes", "notes_"}};
    for (ListKind kind : {ListKind::Split, ListKind::Mix}) {
        for (const auto& [file, base] : cases) {
            SCOPED_TRACE(file);
            ListsBench bench;
            bench.add(kind, bench.pdfFile(file));
            EXPECT_EQ(bench.controls.baseName[kind], base);
            EXPECT_EQ(bench.controls.destination[kind], bench.dir.folder());
            EXPECT_EQ(bench.lists.model(kind).file(0).input.folder, bench.dir.folder());
        }
    }
}

TEST(FileLists, ChosenDestinationFolderIsKept) {
    for (ListKind kind : {ListKind::Split, ListKind::Mix}) {
        ListsBench bench;
        bench.controls.sourceFolder[kind] = false;
        bench.controls.destination[kind] = "/chosen/";
        bench.add(kind, bench.pdfFile("a.pdf"));
        EXPECT_EQ(bench.controls.destination[kind], "/chosen/");
        EXPECT_EQ(bench.controls.baseName[kind], "a_");
    }
}

TEST(FileLists, MergeOutputIsProposedOnlyWhileEmpty) {
    ListsBench bench;
    bench.add(ListKind::Merge, bench.pdfFile("other/x.pdf"));
    EXPECT_EQ(bench.controls.mergeOutput, bench.dir.folder() + "other/output.pdf");
    bench.add(ListKind::Merge, bench.pdfFile("a.pdf"));
    EXPECT_EQ(bench.controls.mergeOutput, bench.dir.folder() + "other/output.pdf");

    ListsBench preset;
    preset.controls.mergeOutput = "/kept/result.pdf";
    preset.add(ListKind::Merge, preset.pdfFile("a.pdf"));
    EXPECT_EQ(preset.controls.mergeOutput, "/kept/result.pdf");
}

TEST(FileLists, SecondSplitFileReplacesTheFirst) {
    ListsBench bench;
    bench.add(ListKind::Split, bench.pdfFile("first.pdf", 2));
    EXPECT_FALSE(bench.controls.addEnabled[ListKind::Split]);
    bench.add(ListKind::Split, bench.pdfFile("next/second.pdf", 5));  // a drop: the button does not guard it

    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 1);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Split), 0);
    EXPECT_EQ(bench.shown(ListKind::Split), Rows{"1|second.pdf|" + bench.dir.folder() + "next/|5|"});
    EXPECT_EQ(bench.controls.baseName[ListKind::Split], "second_");
    EXPECT_EQ(bench.controls.destination[ListKind::Split], bench.dir.folder() + "next/");
    EXPECT_EQ(bench.lists.inputFiles(ListKind::Split).size(), 1u);
}

TEST(FileLists, MergeListHoldsFiftyFilesThenRefusesWithAMessage) {
    ListsBench bench;
    const std::string path = bench.pdfFile("same.pdf", 1);
    for (int i = 0; i < 50; ++i) bench.add(ListKind::Merge, path);  // duplicates are welcome
    ASSERT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.shown(ListKind::Merge).size(), 50u);
    EXPECT_EQ(bench.shown(ListKind::Merge)[49], bench.row(50, "same.pdf", 1));
    ASSERT_TRUE(bench.dialogs.messages.empty());

    // Refused before the probe: no password prompt for a file that cannot go in.
    bench.add(ListKind::Merge, bench.pdfFile("locked.pdf", 2, "pw"));
    EXPECT_EQ(bench.dialogs.messages, Rows{listFull});
    EXPECT_TRUE(bench.dialogs.prompts.empty());
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.lists.inputFiles(ListKind::Merge).size(), 50u);

    // After a remove there is room again.
    bench.lists.selectRow(ListKind::Merge, 0);
    bench.lists.removeSelectedFile(ListKind::Merge);
    bench.add(ListKind::Merge, path);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.dialogs.messages.size(), 1u);
}

TEST(FileLists, MixTakesTwoFilesAndRefusesAThird) {
    ListsBench bench;
    bench.translations["MsgErrMixTwoFiles"] = "Zwei Dateien";
    bench.add(ListKind::Mix, bench.pdfFile("first.pdf", 1));
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Mix]);
    bench.add(ListKind::Mix, bench.pdfFile("b/second.pdf", 2));
    EXPECT_FALSE(bench.controls.addEnabled[ListKind::Mix]);
    EXPECT_EQ(bench.controls.baseName[ListKind::Mix], "first_");                      // from the first file
    EXPECT_EQ(bench.controls.destination[ListKind::Mix], bench.dir.folder() + "b/");  // from the last

    const FakeControls before = bench.controls;
    const Rows shownBefore = bench.shown(ListKind::Mix);
    bench.add(ListKind::Mix, bench.pdfFile("third.pdf", 2, "pw"));  // dropped: the button does not guard it
    EXPECT_EQ(bench.dialogs.messages, Rows{"Zwei Dateien"});
    EXPECT_TRUE(bench.dialogs.prompts.empty());
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 2);
    EXPECT_EQ(bench.shown(ListKind::Mix), shownBefore);
    EXPECT_EQ(bench.controls.destination, before.destination);
}

TEST(FileLists, MergeRemoveCompactsAndRenumbers) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf"}) bench.add(ListKind::Merge, bench.pdfFile(name, 1));
    bench.lists.selectRow(ListKind::Merge, 1);
    bench.lists.removeSelectedFile(ListKind::Merge);

    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 2);
    EXPECT_EQ(bench.shown(ListKind::Merge), (Rows{bench.row(1, "a.pdf", 1), bench.row(2, "c.pdf", 1)}));

    // The selection stays at 1: it takes c, then, past the end, the last file.
    bench.lists.removeSelectedFile(ListKind::Merge);
    EXPECT_EQ(bench.lists.inputFiles(ListKind::Merge).front().fileName, "a.pdf");
    bench.lists.removeSelectedFile(ListKind::Merge);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), -1);
    bench.lists.removeSelectedFile(ListKind::Merge);  // empty list: nothing
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    EXPECT_TRUE(bench.shown(ListKind::Merge).empty());
}

TEST(FileLists, SplitAndMixRemoveReopenTheirAddButtons) {
    ListsBench bench;
    bench.lists.removeSelectedFile(ListKind::Split);  // nothing selected: nothing
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);

    bench.add(ListKind::Split, bench.pdfFile("s.pdf"));
    bench.lists.removeSelectedFile(ListKind::Split);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Split), -1);
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Split]);
    EXPECT_TRUE(bench.shown(ListKind::Split).empty());
    EXPECT_TRUE(bench.lists.inputFiles(ListKind::Split).empty());
    bench.lists.selectRow(ListKind::Split, 0);  // an empty list records no selection
    bench.lists.removeSelectedFile(ListKind::Split);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);

    bench.add(ListKind::Mix, bench.pdfFile("m1.pdf", 1));
    bench.add(ListKind::Mix, bench.pdfFile("m2.pdf", 2));
    bench.lists.selectRow(ListKind::Mix, 1);
    bench.lists.removeSelectedFile(ListKind::Mix);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 1);
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Mix]);
    EXPECT_EQ(bench.shown(ListKind::Mix), (Rows{bench.row(1, "m1.pdf", 1)}));
    // The selection past the end takes the last file, not nothing.
    bench.lists.removeSelectedFile(ListKind::Mix);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 0);
    bench.lists.removeSelectedFile(ListKind::Mix);  // already empty
    EXPECT_TRUE(bench.shown(ListKind::Mix).empty());
}

TEST(FileLists, MergeRowsMoveUpAndDownWithinTheList) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf"}) bench.add(ListKind::Merge, bench.pdfFile(name, 1));
    auto& grid = bench.controls.grids[ListKind::Merge];
    const auto moveSelected = [&](int step) {
        const int row = bench.lists.selectedRow(ListKind::Merge);
        bench.lists.moveFiles(ListKind::Merge, row == -1 ? std::vector<int>{} : std::vector<int>{row}, step);
    };

    moveSelected(-1);  // nothing selected
    moveSelected(1);
    EXPECT_EQ(bench.mergeOrder(), "abc");
    EXPECT_EQ(grid.currentRow, -1);

    bench.lists.selectRow(ListKind::Merge, 2);
    moveSelected(-1);
    EXPECT_EQ(bench.mergeOrder(), "acb");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 1);
    EXPECT_EQ(grid.currentRow, 1);
    EXPECT_TRUE(grid.focused);
    EXPECT_EQ(bench.shown(ListKind::Merge)[1], bench.row(2, "c.pdf", 1));

    moveSelected(-1);
    EXPECT_EQ(bench.mergeOrder(), "cab");
    moveSelected(-1);  // the first row: nothing
    EXPECT_EQ(bench.mergeOrder(), "cab");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 0);

    moveSelected(1);
    moveSelected(1);
    EXPECT_EQ(bench.mergeOrder(), "abc");
    moveSelected(1);  // the last row: nothing
    EXPECT_EQ(bench.mergeOrder(), "abc");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 2);
    EXPECT_EQ(grid.currentRow, 2);
}

TEST(FileLists, SelectionStaysWithinTheFiles) {
    ListsBench bench;
    auto& mergeGrid = bench.controls.grids[ListKind::Merge];
    bench.lists.selectRow(ListKind::Merge, 3);  // empty list: nothing recorded
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), -1);
    EXPECT_EQ(mergeGrid.currentRow, -1);

    bench.add(ListKind::Merge, bench.pdfFile("a.pdf"));
    bench.add(ListKind::Merge, bench.pdfFile("b.pdf"));
    bench.lists.selectRow(ListKind::Merge, 5);  // past the end: the last file
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 1);
    EXPECT_EQ(mergeGrid.currentRow, 1);
    bench.lists.selectRow(ListKind::Merge, 0);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 0);

    bench.add(ListKind::Mix, bench.pdfFile("m.pdf"));
    bench.lists.selectRow(ListKind::Mix, 1);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Mix), 0);
    EXPECT_EQ(bench.controls.grids[ListKind::Mix].currentRow, 0);
}

}  // namespace
