#pragma once
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/input_probe.h"
#include "finishing/protection.h"
#include "ui/bookmark_choice.h"
#include "settings/translations.h"
#include "ui/file_lists.h"

class Dialogs;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QToolButton;
class JobReporter;
class TsettingsForm;

// The main window: the Split, Merge and Mix tabs with their lists and
// options, the About tab, the language selector and the protection settings
// button. Controls carry their designer names as objectName and member name.
// The jobs run inside the run buttons' handlers; the window reads its controls
// into each job's options.
class TFormTest : public QMainWindow, private FileListControls {
    Q_OBJECT

public:
    // `languagesFolder` holds the language files; empty means the "languages"
    // folder beside the program.
    explicit TFormTest(Dialogs& dialogs, QWidget* parent = nullptr, std::string languagesFolder = {});
    ~TFormTest() override;

    // --- creation, show, close and texts
    void FormCreate();
    void FormShow();
    void FormClose();
    void _updateWindowTexts();
    void _initTranslations();
    void _loadLanguage(const std::string& name);
    std::string _getTranslation(const std::string& key);

    // --- files dropped on the window, in the order of the drop
    void _dropFiles(const std::vector<std::string>& paths);

    // --- list operations (the file lists)
    void _addSplitFile(const std::string& path);
    void _addMergeFile(const std::string& path);
    void _addMixFile(const std::string& path);

    // --- handlers
    void splitBtnAddFileClick();
    void mergeBtnAddFileClick();
    void mixBtnAddFileClick();
    void cmd_split_destClick();
    void cmd_mix_destClick();
    void cmd_merge_destClick();
    void split_method1_input1Change();
    void split_method2_input1Change();
    void split_method3_input1Change();
    void split_method3_input2Change();
    void split_method4_input1Change();
    void split_method4_input2Change();
    void settingsButtonClick();
    void language_selectorChange();
    void link_websiteLinkClick(const QString& link);
    void LinkLabel1LinkClick(const QString& link);
    void cmd_split_runClick();
    void cmd_mergeClick();
    void cmd_mix_runClick();

    // --- jobs: the request of each run button, without its start checks
    void _runSplit();
    void _runMerge();
    void _runMix();

    // Shows the picture of glyphLocked while an output password is set, else that of glyphUnlocked.
    void _updateSettingsPicture();
    void _showLocked(bool locked);
    TsettingsForm& _settingsForm();

    Dialogs& dialogs() { return _dialogs; }

    // --- state
    Dialogs& _dialogs;
    bool _isCommandLine = false;  // the command line chose the tab to open on
    Protection _protection;  // the four protection settings, read at start
    std::string _selected_language;
    std::string _mergeSaveName;  // the save dialog's file name, kept between uses
    std::string _languages_folder;
    std::unique_ptr<Translations> _app_languages;
    InputProbe _probe;
    TFileLists _lists;  // _split_list, _merge_list, _mix_list with their counters and selected rows
    TsettingsForm* settingsForm = nullptr;  // the protection settings dialog, made on first use

    // --- controls outside the tabs
    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSplit = nullptr, *TabMerge = nullptr, *TabMix = nullptr, *TabAbout = nullptr;
    QToolButton* settingsButton = nullptr;
    QComboBox* language_selector = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusPanel = nullptr;

    // --- Split tab
    QTableWidget* SplitStringGrid = nullptr;
    QToolButton *splitBtnAddFile = nullptr, *splitBtnRemoveFile = nullptr;
    QGroupBox* frm_split_method = nullptr;
    QRadioButton *r_split_method1 = nullptr, *r_split_method3 = nullptr, *r_split_method4 = nullptr,
                 *r_split_method2 = nullptr;
    QLineEdit *split_method1_input1 = nullptr, *split_method3_input1 = nullptr, *split_method3_input2 = nullptr,
              *split_method4_input1 = nullptr, *split_method4_input2 = nullptr, *split_method2_input1 = nullptr;
    QLabel *lbl_split_pages = nullptr, *Label14 = nullptr, *Label15 = nullptr, *lbl_split_demo = nullptr;
    QGroupBox* frm_split_dest = nullptr;
    QLabel *lbl_split_basefilename = nullptr, *lbl_split_dest = nullptr;
    QLineEdit *split_base_filename = nullptr, *split_destination_folder = nullptr;
    QRadioButton *split_dest_source = nullptr, *split_dest_other = nullptr;
    QPushButton *cmd_split_dest = nullptr, *cmd_split_run = nullptr;
    QProgressBar* ProgressBarSplit = nullptr;

    // --- Merge tab
    QTableWidget* MergeStringGrid = nullptr;
    QToolButton *mergeBtnAddFile = nullptr, *mergeBtnRemoveFile = nullptr, *mergeBtnMoveUp = nullptr,
                *mergeBtnMoveDown = nullptr;
    QGroupBox* merge_output = nullptr;
    QLabel* lbl_mfile = nullptr;
    QLineEdit* merge_destination_filename = nullptr;
    QPushButton *cmd_merge_dest = nullptr, *cmd_merge = nullptr;
    BookmarkChoice mergeBookmarks{};  // lbl_merge_bookmarks, merge_bookmarks_keep, _per_file, _none
    QProgressBar* ProgressBar2 = nullptr;

    // --- Mix tab
    QTableWidget* MixStringGrid = nullptr;
    QToolButton *mixBtnAddFile = nullptr, *mixBtnRemoveFile = nullptr;
    QGroupBox *frm_mix_method = nullptr, *frm_mix_meth_doc1 = nullptr, *frm_mix_meth_doc2 = nullptr;
    QRadioButton *r_mix1_method1 = nullptr, *r_mix1_method2 = nullptr, *r_mix2_method1 = nullptr,
                 *r_mix2_method2 = nullptr;
    QLineEdit *mix_doc1_method1_input1 = nullptr, *mix_doc1_method1_input2 = nullptr,
              *mix_doc1_method2_input1 = nullptr, *mix_doc1_method2_input2 = nullptr;
    QLineEdit *mix_doc2_method1_input1 = nullptr, *mix_doc2_method1_input2 = nullptr,
              *mix_doc2_method2_input1 = nullptr, *mix_doc2_method2_input2 = nullptr;
    QLabel *r_mix1_method1_lbl2 = nullptr, *r_mix1_method2_lbl2 = nullptr, *r_mix2_method1_lbl2 = nullptr,
           *r_mix2_method2_lbl2 = nullptr;
    QCheckBox* mix_reverse_second = nullptr;
    QGroupBox* frm_mix_dest = nullptr;
    QLabel *lbl_mix_basefilename = nullptr, *lbl_mix_dest = nullptr;
    QLineEdit *mix_base_filename = nullptr, *mix_destination_folder = nullptr;
    QRadioButton *mix_dest_source = nullptr, *mix_dest_other = nullptr;
    QPushButton *cmd_mix_dest = nullptr, *cmd_mix_run = nullptr;
    QCheckBox* mix_single_file = nullptr;
    BookmarkChoice mixBookmarks{};  // lbl_mix_bookmarks, mix_bookmarks_keep, _per_file, _none
    QProgressBar* ProgressBarMix = nullptr;

    // --- About tab
    QLabel *label_app_name = nullptr, *ab_lb3 = nullptr, *ab_lb4a = nullptr, *link_website = nullptr,
           *ab_lb5a = nullptr, *LinkLabel1 = nullptr;
    QToolButton *glyphLocked = nullptr, *glyphUnlocked = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void _buildControls();
    void _buildSplitTab();
    void _buildMergeTab();
    void _buildMixTab();
    void _buildAboutTab();
    void _connectHandlers();
    void _connectListHandlers();
    // Runs a handler; an error escaping it is shown in a message box.
    void _guarded(const std::function<void()>& handler);
    void _chooseFolderInto(QLineEdit* destination, QRadioButton* otherFolder);
    template <typename Request>
    void _runJob(void (*job)(const Request&, JobReporter&), const Request& request, QProgressBar* progressBar);

    // The controls the file lists read and write.
    QTableWidget* _gridOf(ListKind kind) const;
    void setAddEnabled(ListKind kind, bool enabled) override;
    void setBaseFileName(ListKind kind, const std::string& text) override;
    bool usesSourceFolder(ListKind kind) const override;
    void setDestinationFolder(ListKind kind, const std::string& folder) override;
    std::string mergeDestinationFileName() const override;
    void setMergeDestinationFileName(const std::string& path) override;
    int gridRowCount(ListKind kind) const override;
    void setGridRowCount(ListKind kind, int rows) override;
    void setGridCell(ListKind kind, int column, int row, const std::string& text) override;
    void selectGridRow(ListKind kind, int row) override;
    void focusGrid(ListKind kind) override;
    void _selectWhenFilled(QLineEdit* field, QRadioButton* method);

    bool _shownBefore = false;
    std::string _languagesFolderChoice;  // as given to the constructor
};
