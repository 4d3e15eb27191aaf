#pragma once

// The names that files and users rely on: every control's object name (the
// language files set captions by it, and tests find controls by it) and the
// message keys of the language files. Code refers to them only through these
// constants.

// The controls of the Destination group of the Split and Mix tabs.
struct DestinationNames {
    const char* group;
    const char* baseNameLabel;
    const char* baseName;
    const char* folderLabel;
    const char* sourceFolder;
    const char* otherFolder;
    const char* folder;
    const char* browse;
};

// One document's method group of the Mix tab: "Every group of" and "Each",
// each with its count, label and start page.
struct MixMethodNames {
    const char* group;
    const char* groupMethod;
    const char* groupCount;
    const char* groupLabel;
    const char* groupStart;
    const char* eachMethod;
    const char* eachCount;
    const char* eachLabel;
    const char* eachStart;
};

namespace widgetName {

// --- the window
inline constexpr const char* window = "FormTest";
inline constexpr const char* tabs = "PageControl1";
inline constexpr const char* splitTab = "TabSplit";
inline constexpr const char* mergeTab = "TabMerge";
inline constexpr const char* mixTab = "TabMix";
inline constexpr const char* aboutTab = "TabAbout";
inline constexpr const char* settingsButton = "settingsButton";
inline constexpr const char* languageSelector = "language_selector";
inline constexpr const char* statusBar = "StatusBar1";
inline constexpr const char* statusText = "statusPanel";

// --- Split tab
inline constexpr const char* splitGrid = "SplitStringGrid";
inline constexpr const char* splitAddButton = "splitBtnAddFile";
inline constexpr const char* splitRemoveButton = "splitBtnRemoveFile";
inline constexpr const char* splitMethodGroup = "frm_split_method";
inline constexpr const char* splitIntoFilesOf = "r_split_method1";
inline constexpr const char* splitFilesOfSize = "split_method1_input1";
inline constexpr const char* splitPagesLabel = "lbl_split_pages";
inline constexpr const char* splitEveryGroupOf = "r_split_method3";
inline constexpr const char* splitGroupSize = "split_method3_input1";
inline constexpr const char* splitGroupLabel = "Label14";
inline constexpr const char* splitGroupStart = "split_method3_input2";
inline constexpr const char* splitEach = "r_split_method4";
inline constexpr const char* splitEachStep = "split_method4_input1";
inline constexpr const char* splitEachLabel = "Label15";
inline constexpr const char* splitEachStart = "split_method4_input2";
inline constexpr const char* splitByRange = "r_split_method2";
inline constexpr const char* splitRangeList = "split_method2_input1";
inline constexpr const char* splitRangeHelp = "lbl_split_demo";
inline constexpr const char* splitByBookmarks = "r_split_method5";
inline constexpr const char* splitBookmarkLevel = "split_method5_input1";
inline constexpr const char* splitTitleNames = "split_method5_titles";
inline constexpr const char* splitBySize = "r_split_method6";
inline constexpr const char* splitSizeLimit = "split_method6_input1";
inline constexpr const char* splitSizeLabel = "lbl_split_method6";
inline constexpr DestinationNames splitDestination{
    "frm_split_dest",    "lbl_split_basefilename", "split_base_filename",      "lbl_split_dest",
    "split_dest_source", "split_dest_other",       "split_destination_folder", "cmd_split_dest"};
inline constexpr const char* splitRunButton = "cmd_split_run";
inline constexpr const char* splitProgress = "ProgressBarSplit";

// --- Merge tab
inline constexpr const char* mergeGrid = "MergeStringGrid";
inline constexpr const char* mergeTotalPages = "mergeTotalPages";
inline constexpr const char* mergeAddButton = "mergeBtnAddFile";
inline constexpr const char* mergeRemoveButton = "mergeBtnRemoveFile";
inline constexpr const char* mergeUpButton = "mergeBtnMoveUp";
inline constexpr const char* mergeDownButton = "mergeBtnMoveDown";
inline constexpr const char* mergeOutputGroup = "merge_output";
inline constexpr const char* mergeOutputLabel = "lbl_mfile";
inline constexpr const char* mergeOutput = "merge_destination_filename";
inline constexpr const char* mergeBrowse = "cmd_merge_dest";
inline constexpr const char* mergePadOdd = "merge_pad_odd";
inline constexpr const char* mergeRunButton = "cmd_merge";
inline constexpr const char* mergeProgress = "ProgressBar2";

// --- Mix tab
inline constexpr const char* mixGrid = "MixStringGrid";
inline constexpr const char* mixAddButton = "mixBtnAddFile";
inline constexpr const char* mixRemoveButton = "mixBtnRemoveFile";
inline constexpr const char* mixMethodGroup = "frm_mix_method";
inline constexpr MixMethodNames mixFirstMethod{
    "frm_mix_meth_doc1",       "r_mix1_method1",      "mix_doc1_method1_input1",
    "r_mix1_method1_lbl2",     "mix_doc1_method1_input2", "r_mix1_method2",
    "mix_doc1_method2_input1", "r_mix1_method2_lbl2", "mix_doc1_method2_input2"};
inline constexpr MixMethodNames mixSecondMethod{
    "frm_mix_meth_doc2",       "r_mix2_method1",      "mix_doc2_method1_input1",
    "r_mix2_method1_lbl2",     "mix_doc2_method1_input2", "r_mix2_method2",
    "mix_doc2_method2_input1", "r_mix2_method2_lbl2", "mix_doc2_method2_input2"};
inline constexpr const char* mixReverseSecond = "mix_reverse_second";
inline constexpr DestinationNames mixDestination{
    "frm_mix_dest",    "lbl_mix_basefilename", "mix_base_filename",      "lbl_mix_dest",
    "mix_dest_source", "mix_dest_other",       "mix_destination_folder", "cmd_mix_dest"};
inline constexpr const char* mixSingleFile = "mix_single_file";
inline constexpr const char* mixRunButton = "cmd_mix_run";
inline constexpr const char* mixProgress = "ProgressBarMix";

// --- About tab
inline constexpr const char* appIcon = "appIcon";
inline constexpr const char* appName = "label_app_name";
inline constexpr const char* aboutLine = "ab_lb3";
inline constexpr const char* websiteCaption = "ab_lb4a";
inline constexpr const char* websiteLink = "link_website";
inline constexpr const char* supportCaption = "ab_lb5a";
inline constexpr const char* supportLink = "LinkLabel1";
inline constexpr const char* lockedPicture = "glyphLocked";
inline constexpr const char* unlockedPicture = "glyphUnlocked";

// --- Protection dialog
inline constexpr const char* protectionDialog = "settingsForm";
inline constexpr const char* passwordGroup = "groupBoxPassword";
inline constexpr const char* passwordIntro = "SettingsIntro";
inline constexpr const char* passwordLabel = "LabelPass";
inline constexpr const char* passwordField = "passwordEdit1";
inline constexpr const char* confirmLabel = "LabelPassConfirm";
inline constexpr const char* confirmField = "passwordEdit2";
inline constexpr const char* watermarkGroup = "groupBoxWatermark";
inline constexpr const char* watermarkIntro = "watemarkIntro";
inline constexpr const char* watermarkPath = "editWatermarkPath";
inline constexpr const char* watermarkBrowse = "cmd_select_watermark";
inline constexpr const char* watermarkReset = "cmd_no_watermark";
inline constexpr const char* positionLabel = "labelPosition";
inline constexpr const char* positionX = "editWatermarkX";
inline constexpr const char* positionY = "editWatermarkY";
inline constexpr const char* cancelButton = "Command3";
inline constexpr const char* okButton = "Command2";

// --- The job tabs' panels of pages: the buttons that open and close them
inline constexpr const char* splitPages = "split_pages";
inline constexpr const char* mergePages = "merge_pages";
inline constexpr const char* mixPages = "mix_pages";

}  // namespace widgetName

namespace messageKey {

inline constexpr const char* statusText = "Statustext2";
inline constexpr const char* gridFileName = "GridFilename";
inline constexpr const char* gridPath = "GridPath";
inline constexpr const char* gridPages = "GridPages";
inline constexpr const char* gridPassword = "GridPassword";
inline constexpr const char* enterPassword = "MsgEnterPassw";
inline constexpr const char* wrongTab = "MsgErrTab";
inline constexpr const char* notPdf = "MsgErrExtension";
inline constexpr const char* splitNeedsFile = "MsgSplitAddFile";
inline constexpr const char* mergeNeedsTwo = "MsgErrAdd2files";
inline constexpr const char* mixNeedsTwo = "MsgErrMixAdd2files";
inline constexpr const char* splitDone = "MsgSplitDone";
inline constexpr const char* mergeDone = "MsgMergeDone";
inline constexpr const char* mixDone = "MsgMixDone";
// The protection dialog's captions without a control of the same name.
inline constexpr const char* protectionTitle = "ProtectDocuments";
inline constexpr const char* passwordIntro = "settingsIntro";

}  // namespace messageKey

// A text of the language files that the program shows as a message; the
// built-in English stands in for it when the loaded language lacks it. "%1",
// "%2" stand for what the program fills in.
struct MessageText {
    const char* key;
};

namespace messageText {

// The language's name for Qt's own translations ("de"), which its dialogs use.
inline constexpr MessageText languageCode{"LanguageCode"};
// What the language selector is called where a screen reader names it.
inline constexpr MessageText languageChoice{"LanguageChoice"};
inline constexpr MessageText listFull{"MsgErrListFull"};
inline constexpr MessageText mixTakesTwo{"MsgErrMixTwoFiles"};
inline constexpr MessageText passwordsDiffer{"MsgPasswordsDiffer"};
inline constexpr MessageText cancelJob{"CancelJob"};
inline constexpr MessageText stopJobAndClose{"MsgStopJob"};
inline constexpr MessageText jobStopped{"MsgJobStopped"};
inline constexpr MessageText filesExist{"MsgFilesExist"};
inline constexpr MessageText fileExists{"MsgFileExists"};
inline constexpr MessageText wroteFiles{"MsgWroteFiles"};
inline constexpr MessageText wroteFile{"MsgWroteFile"};
inline constexpr MessageText wroteNothing{"MsgWroteNothing"};
inline constexpr MessageText openFolder{"MsgOpenFolder"};
inline constexpr MessageText baseNameWithFolder{"MsgBaseNameFolder"};
inline constexpr MessageText splitKept{"MsgSplitKept"};
inline constexpr MessageText mixKept{"MsgMixKept"};
inline constexpr MessageText passwordOf{"MsgPasswordOf"};
inline constexpr MessageText totalPages{"MsgTotalPages"};
// A field of a job that cannot be read, said in the user's words.
inline constexpr MessageText emptyNumber{"MsgEmptyNumber"};
inline constexpr MessageText wrongNumber{"MsgWrongNumber"};
inline constexpr MessageText wrongSize{"MsgWrongSize"};
inline constexpr MessageText emptyRangeList{"MsgEmptyRanges"};
inline constexpr MessageText wrongRangeGroup{"MsgWrongRangeGroup"};
// Said after a split that left out pages the file does not have.
inline constexpr MessageText pagesSkipped{"MsgPagesSkipped"};
inline constexpr MessageText folderNotOpened{"MsgFolderNotOpened"};
// The Split tab's panel of pages while the split is by size.
inline constexpr MessageText cutsBySize{"MsgCutsBySize"};
// The Mix tab's panel of pages while the mix writes one file.
inline constexpr MessageText mixOneFilePages{"MsgMixOneFilePages"};
// The Merge grid's column of the pages to take from each file, and its tip.
inline constexpr MessageText gridSelection{"GridSelection"};
inline constexpr MessageText gridSelectionHint{"GridSelectionHint"};
// The tips of pages that show a placeholder instead of their picture.
inline constexpr MessageText pageNotDrawn{"MsgPageNotDrawn"};
inline constexpr MessageText pageTooSlow{"MsgPageTooSlow"};

}  // namespace messageText
