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

// The window's controls as plain values; the grids start with the sizes the
// window gives them (split one data row, merge seven, mix two).
struct FakeControls : FileListControls {
    struct Grid {
        std::vector<std::array<std::string, 6>> rows;  // row 0: the header
        int currentRow = -1;
        bool focused = false;
    };
    std::map<ListKind, bool> addEnabled{{ListKind::Split, true}, {ListKind::Mix, true}};
    std::map<ListKind, std::string> baseName{{ListKind::Split, "filename"}, {ListKind::Mix, "filename"}};
    std::map<ListKind, bool> sourceFolder{{ListKind::Split, true}, {ListKind::Mix, true}};
    std::map<ListKind, std::string> destination;
    std::string mergeOutput;
    std::map<ListKind, Grid> grids{{ListKind::Split, {std::vector<std::array<std::string, 6>>(2)}},
                                   {ListKind::Merge, {std::vector<std::array<std::string, 6>>(8)}},
                                   {ListKind::Mix, {std::vector<std::array<std::string, 6>>(3)}}};

    void setAddEnabled(ListKind kind, bool enabled) override { addEnabled[kind] = enabled; }
    void setBaseFileName(ListKind kind, const std::string& text) override { baseName[kind] = text; }
    bool usesSourceFolder(ListKind kind) const override { return sourceFolder.at(kind); }
    void setDestinationFolder(ListKind kind, const std::string& folder) override { destination[kind] = folder; }
    std::string mergeDestinationFileName() const override { return mergeOutput; }
    void setMergeDestinationFileName(const std::string& path) override { mergeOutput = path; }
    int gridRowCount(ListKind kind) const override { return static_cast<int>(grids.at(kind).rows.size()); }
    void setGridRowCount(ListKind kind, int rows) override { grids[kind].rows.resize(rows); }
    void setGridCell(ListKind kind, int column, int row, const std::string& text) override {
        Grid& grid = grids[kind];
        ASSERT_TRUE(row >= 1 && row < static_cast<int>(grid.rows.size())) << "row " << row;
        ASSERT_TRUE(column >= 0 && column < FileLists::gridColumns(kind));
        grid.rows[row][column] = text;
    }
    void selectGridRow(ListKind kind, int row) override { grids[kind].currentRow = row; }
    void focusGrid(ListKind kind) override { grids[kind].focused = true; }

    // The data rows of a grid, cells joined by "|"; empty rows included.
    Rows gridRows(ListKind kind) const {
        Rows rows;
        const auto& all = grids.at(kind).rows;
        for (std::size_t r = 1; r < all.size(); ++r) {
            std::string line = all[r][0];
            for (int c = 1; c < 5; ++c) line += "|" + all[r][c];
            rows.push_back(line);
        }
        return rows;
    }
};

const std::string emptyRow = "||||";

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
};

const ListKind allKinds[] = {ListKind::Split, ListKind::Merge, ListKind::Mix};

TEST(FileLists, PlainFileFillsTheFirstRowOfEachList) {
    for (ListKind kind : allKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        ListsBench bench;
        const std::string path = bench.pdfFile("plain.pdf", 3);
        bench.add(kind, path);

        EXPECT_EQ(bench.lists.filesCount(kind), 1);
        const FileList& list = bench.lists.list(kind);
        EXPECT_EQ(list[1][1], "plain.pdf");
        EXPECT_EQ(list[2][1], bench.dir.folder());
        EXPECT_EQ(list[3][1], "3");
        EXPECT_EQ(list[4][1], "");
        EXPECT_EQ(bench.controls.gridRows(kind)[0], bench.row(1, "plain.pdf", 3));
        ASSERT_EQ(bench.lists.inputFiles(kind).size(), 1u);
        EXPECT_EQ(bench.lists.inputFiles(kind)[0].path(), path);
        EXPECT_TRUE(bench.dialogs.messages.empty());
    }
}

TEST(FileLists, ProtectedFileKeepsTheTypedPasswordAndTheGridMasksIt) {
    ListsBench bench;
    const std::string secret = "s3 cr!t";
    bench.lists.addMergeFile(bench.pdfFile("plain.pdf", 1));
    bench.dialogs.textAnswers = {secret};
    bench.lists.addMergeFile(bench.pdfFile("locked.pdf", 2, secret));

    EXPECT_EQ(bench.lists.list(ListKind::Merge)[4][2], secret);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[1], bench.row(2, "locked.pdf", 2, FileLists::PasswordMark));
    const std::vector<InputFile> files = bench.lists.inputFiles(ListKind::Merge);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].password, "");
    EXPECT_EQ(files[1].password, secret);
    EXPECT_EQ(files[1].path(), bench.dir.file("locked.pdf"));
}

// The mark does not tell how long the password is.
TEST(FileLists, EveryPasswordShowsTheSameMark) {
    const std::string mark = FileLists::PasswordMark;
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"a", mark}, {"  ", mark}, {"p\xC3\xA4ss", mark}, {std::string(300, 'x'), mark}};
    for (const auto& [password, mask] : cases) EXPECT_EQ(FileLists::maskPassword(password), mask) << password;
}

TEST(FileLists, MergeFilesMoveToAnyRowAndSeveralLeaveAtOnce) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf", "d.pdf"}) bench.lists.addMergeFile(bench.pdfFile(name, 1));
    auto order = [&] {
        std::string names;
        for (const InputFile& file : bench.lists.inputFiles(ListKind::Merge)) names += file.fileName.substr(0, 1);
        return names;
    };
    bench.lists.moveMergeFile(1, 3);
    EXPECT_EQ(order(), "bcad");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 3);
    EXPECT_EQ(bench.controls.grids[ListKind::Merge].currentRow, 3);
    bench.lists.moveMergeFile(4, 1);
    EXPECT_EQ(order(), "dbca");
    bench.lists.moveMergeFile(2, 9);  // beyond the list: nothing
    EXPECT_EQ(order(), "dbca");
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[0], bench.row(1, "d.pdf", 1));

    // A file's page selection goes where the file goes, and leaves with it.
    bench.lists.setPageSelection(3, "z-1");
    bench.lists.setPageSelection(7, "1");  // no file there
    bench.lists.moveMergeFile(3, 1);
    EXPECT_EQ(order(), "cdba");
    EXPECT_EQ(bench.lists.pageSelections(), (std::vector<std::string>{"z-1", "", "", ""}));
    EXPECT_EQ(bench.controls.grids[ListKind::Merge].rows[1][FileList::SelectionColumn], "z-1");
    bench.lists.moveMergeFiles({1, 2}, 1);
    EXPECT_EQ(order(), "bcda");
    bench.lists.moveMergeFiles({3, 4}, 1);  // the last would leave the list: nothing
    EXPECT_EQ(order(), "bcda");
    bench.lists.moveMergeFile(3, 1);
    EXPECT_EQ(order(), "dbca");

    bench.lists.removeMergeFiles({4, 2, 4});
    EXPECT_EQ(order(), "dc");
    EXPECT_EQ(bench.lists.pageSelections(), (std::vector<std::string>{"", "z-1"}));
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 2);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[2], emptyRow);
}

// A file the probe cannot open, or whose prompt is cancelled, leaves every
// list, counter, default name and button as it was; the split list keeps the
// file it holds.
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
            const FileList listBefore = bench.lists.list(kind);
            const int countBefore = bench.lists.filesCount(kind);

            const std::string path = c.name == "missing" ? bench.dir.file("sub/none.pdf")
                                                         : bench.pdfFile("sub/locked.pdf", 4, "right");
            bench.dialogs.textAnswers = c.answers;
            bench.add(kind, path);

            EXPECT_EQ(bench.dialogs.messages.size(), c.messages);
            EXPECT_EQ(bench.lists.filesCount(kind), countBefore);
            EXPECT_EQ(bench.lists.list(kind).cells, listBefore.cells);
            EXPECT_EQ(bench.controls.gridRows(kind), before.gridRows(kind));
            EXPECT_EQ(bench.controls.baseName, before.baseName);
            EXPECT_EQ(bench.controls.destination, before.destination);
            EXPECT_EQ(bench.controls.mergeOutput, before.mergeOutput);
            EXPECT_EQ(bench.controls.addEnabled, before.addEnabled);
        }
    }
}

TEST(FileLists, MissingFileSaysSoWithTheResaveHint) {
    ListsBench bench;
    bench.lists.addMergeFile(bench.dir.file("gone.pdf"));
    EXPECT_EQ(bench.dialogs.messages,
              Rows{"File not found or could not be opened: " + bench.dir.file("gone.pdf") +
                   "; Please save the file with a different encoding and then retry."});
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[0], emptyRow);
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
            EXPECT_EQ(bench.lists.list(kind)[2][1], bench.dir.folder());
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
    bench.lists.addMergeFile(bench.pdfFile("other/x.pdf"));
    EXPECT_EQ(bench.controls.mergeOutput, bench.dir.folder() + "other/output.pdf");
    bench.lists.addMergeFile(bench.pdfFile("a.pdf"));
    EXPECT_EQ(bench.controls.mergeOutput, bench.dir.folder() + "other/output.pdf");

    ListsBench preset;
    preset.controls.mergeOutput = "/kept/result.pdf";
    preset.lists.addMergeFile(preset.pdfFile("a.pdf"));
    EXPECT_EQ(preset.controls.mergeOutput, "/kept/result.pdf");
}

TEST(FileLists, SecondSplitFileReplacesTheFirst) {
    ListsBench bench;
    bench.lists.addSplitFile(bench.pdfFile("first.pdf", 2));
    EXPECT_FALSE(bench.controls.addEnabled[ListKind::Split]);
    bench.lists.addSplitFile(bench.pdfFile("next/second.pdf", 5));  // a drop: the button does not guard it

    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 1);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Split), 1);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Split),
              Rows{"1|second.pdf|" + bench.dir.folder() + "next/|5|"});
    EXPECT_EQ(bench.controls.baseName[ListKind::Split], "second_");
    EXPECT_EQ(bench.controls.destination[ListKind::Split], bench.dir.folder() + "next/");
    EXPECT_EQ(bench.lists.inputFiles(ListKind::Split).size(), 1u);
}

TEST(FileLists, MergeListHoldsFiftyFilesThenRefusesWithAMessage) {
    ListsBench bench;
    const std::string path = bench.pdfFile("same.pdf", 1);
    for (int i = 0; i < 50; ++i) bench.lists.addMergeFile(path);  // duplicates are welcome
    ASSERT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.controls.gridRowCount(ListKind::Merge), 51);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[49], bench.row(50, "same.pdf", 1));
    ASSERT_TRUE(bench.dialogs.messages.empty());

    // Refused before the probe: no password prompt for a file that cannot go in.
    bench.lists.addMergeFile(bench.pdfFile("locked.pdf", 2, "pw"));
    EXPECT_EQ(bench.dialogs.messages, Rows{listFull});
    EXPECT_TRUE(bench.dialogs.prompts.empty());
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.controls.gridRowCount(ListKind::Merge), 51);
    EXPECT_EQ(bench.lists.inputFiles(ListKind::Merge).size(), 50u);

    // After a remove there is room again.
    bench.lists.selectMergeRow(1);
    bench.lists.removeSelectedMergeFile();
    bench.lists.addMergeFile(path);
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 50);
    EXPECT_EQ(bench.dialogs.messages.size(), 1u);
}

TEST(FileLists, MixTakesTwoFilesAndRefusesAThird) {
    ListsBench bench;
    bench.translations["MsgErrMixTwoFiles"] = "Zwei Dateien";
    bench.lists.addMixFile(bench.pdfFile("first.pdf", 1));
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Mix]);
    bench.lists.addMixFile(bench.pdfFile("b/second.pdf", 2));
    EXPECT_FALSE(bench.controls.addEnabled[ListKind::Mix]);
    EXPECT_EQ(bench.controls.baseName[ListKind::Mix], "first_");                      // from the first file
    EXPECT_EQ(bench.controls.destination[ListKind::Mix], bench.dir.folder() + "b/");  // from the last

    const FakeControls before = bench.controls;
    bench.lists.addMixFile(bench.pdfFile("third.pdf", 2, "pw"));  // dropped: the button does not guard it
    EXPECT_EQ(bench.dialogs.messages, Rows{"Zwei Dateien"});
    EXPECT_TRUE(bench.dialogs.prompts.empty());
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 2);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Mix), before.gridRows(ListKind::Mix));
    EXPECT_EQ(bench.controls.destination, before.destination);
    EXPECT_EQ(bench.lists.list(ListKind::Mix)[1][3], "");
}

TEST(FileLists, MergeRemoveCompactsAndRenumbers) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf"}) bench.lists.addMergeFile(bench.pdfFile(name, 1));
    bench.lists.selectMergeRow(2);
    bench.lists.removeSelectedMergeFile();

    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 2);
    const Rows grid = bench.controls.gridRows(ListKind::Merge);
    EXPECT_EQ(grid[0], bench.row(1, "a.pdf", 1));
    EXPECT_EQ(grid[1], bench.row(2, "c.pdf", 1));
    EXPECT_EQ(grid[2], emptyRow);
    EXPECT_EQ(bench.lists.list(ListKind::Merge)[1][3], "");

    // The selection stays at 2: it takes c, then, past the end, the last file.
    bench.lists.removeSelectedMergeFile();
    EXPECT_EQ(bench.lists.list(ListKind::Merge)[1][1], "a.pdf");
    bench.lists.removeSelectedMergeFile();
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    bench.lists.removeSelectedMergeFile();  // empty list: nothing
    EXPECT_EQ(bench.lists.filesCount(ListKind::Merge), 0);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge), Rows(7, emptyRow));
}

TEST(FileLists, SplitAndMixRemoveReopenTheirAddButtons) {
    ListsBench bench;
    bench.lists.removeSelectedSplitFile();  // nothing selected: nothing
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);

    bench.lists.addSplitFile(bench.pdfFile("s.pdf"));
    bench.lists.removeSelectedSplitFile();
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Split), -1);
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Split]);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Split), Rows{emptyRow});
    EXPECT_TRUE(bench.lists.inputFiles(ListKind::Split).empty());
    bench.lists.selectSplitRow(1);  // the empty row can be selected
    bench.lists.removeSelectedSplitFile();
    EXPECT_EQ(bench.lists.filesCount(ListKind::Split), 0);

    bench.lists.addMixFile(bench.pdfFile("m1.pdf", 1));
    bench.lists.addMixFile(bench.pdfFile("m2.pdf", 2));
    bench.lists.selectMixRow(1);
    bench.lists.removeSelectedMixFile();
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 1);
    EXPECT_TRUE(bench.controls.addEnabled[ListKind::Mix]);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Mix), (Rows{bench.row(1, "m2.pdf", 2), emptyRow}));
    bench.lists.removeSelectedMixFile();
    bench.lists.removeSelectedMixFile();  // already empty
    EXPECT_EQ(bench.lists.filesCount(ListKind::Mix), 0);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Mix), Rows(2, emptyRow));
}

TEST(FileLists, MergeRowsMoveUpAndDownWithinTheList) {
    ListsBench bench;
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf"}) bench.lists.addMergeFile(bench.pdfFile(name, 1));
    auto order = [&] {
        std::string names;
        for (const InputFile& file : bench.lists.inputFiles(ListKind::Merge)) names += file.fileName.substr(0, 1);
        return names;
    };
    auto& grid = bench.controls.grids[ListKind::Merge];

    bench.lists.moveMergeFileUp();  // nothing selected
    bench.lists.moveMergeFileDown();
    EXPECT_EQ(order(), "abc");
    EXPECT_EQ(grid.currentRow, -1);

    bench.lists.selectMergeRow(3);
    bench.lists.moveMergeFileUp();
    EXPECT_EQ(order(), "acb");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 2);
    EXPECT_EQ(grid.currentRow, 2);
    EXPECT_TRUE(grid.focused);
    EXPECT_EQ(bench.controls.gridRows(ListKind::Merge)[1], bench.row(2, "c.pdf", 1));

    bench.lists.moveMergeFileUp();
    EXPECT_EQ(order(), "cab");
    bench.lists.moveMergeFileUp();  // row 1: nothing
    EXPECT_EQ(order(), "cab");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 1);

    bench.lists.moveMergeFileDown();
    bench.lists.moveMergeFileDown();
    EXPECT_EQ(order(), "abc");
    bench.lists.moveMergeFileDown();  // the last row: nothing
    EXPECT_EQ(order(), "abc");
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 3);
    EXPECT_EQ(grid.currentRow, 3);
}

TEST(FileLists, SelectionStaysWithinTheFiles) {
    ListsBench bench;
    auto& mergeGrid = bench.controls.grids[ListKind::Merge];
    bench.lists.selectMergeRow(4);  // empty list: nothing recorded
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), -1);
    EXPECT_EQ(mergeGrid.currentRow, -1);

    bench.lists.addMergeFile(bench.pdfFile("a.pdf"));
    bench.lists.addMergeFile(bench.pdfFile("b.pdf"));
    bench.lists.selectMergeRow(6);  // past the end: the last file
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 2);
    EXPECT_EQ(mergeGrid.currentRow, 2);
    bench.lists.selectMergeRow(1);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Merge), 1);

    bench.lists.addMixFile(bench.pdfFile("m.pdf"));
    bench.lists.selectMixRow(2);
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Mix), 1);
    EXPECT_EQ(bench.controls.grids[ListKind::Mix].currentRow, 1);

    bench.lists.selectSplitRow(1);  // split: any row, file or not
    EXPECT_EQ(bench.lists.selectedRow(ListKind::Split), 1);
}

TEST(FileLists, CompactionKeepsTheOrderOfOccupiedRows) {
    FileList source;
    for (int row : {2, 5, 50}) {
        source[0][row] = "junk";
        source[1][row] = "f" + std::to_string(row);
        source[4][row] = "p" + std::to_string(row);
    }
    source[3][7] = "no file name, so not occupied";
    const FileList compact = FileLists::compactFileList(source);
    for (int row = 1; row < FileList::RowCount; ++row) {
        const std::string expected = row == 1 ? "f2" : row == 2 ? "f5" : row == 3 ? "f50" : "";
        EXPECT_EQ(compact[1][row], expected) << row;
        EXPECT_EQ(compact[0][row], "");
        EXPECT_EQ(compact[3][row], "");
    }
    EXPECT_EQ(compact[4][3], "p50");
}

}  // namespace
