#pragma once
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/protection.h"
#include "ui/file_lists.h"
#include "ui/input_probe.h"
#include "jobs/request_error.h"
#include "jobs/split_request.h"

class AboutTab;
class JobRunner;
struct JobOutcome;
class DestinationGroup;
class Dialogs;
class JobReporter;
class MergeTab;
class MixTab;
class PagePreview;
class ProtectionDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QToolButton;
class SplitTab;
class TabListControls;
class Translations;

// The tabs of the main window, in their order.
enum class WindowTab { Split, Merge, Mix, About };
// The list of a job tab (Split for the About tab, which has none).
ListKind listOf(WindowTab tab);

// The main window: the Split, Merge and Mix tabs with their file lists, the
// About tab, the language selector and the protection settings button. Each
// job tab reads its controls into the job's request; the window adds the
// inputs and the protection and runs it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `languagesFolder` holds the language files; empty means the "languages"
    // folder beside the program. Files to list are opened with `open` (by
    // default openWithPasswords) on a worker thread.
    explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr, std::string languagesFolder = {},
                        InputProbe::Open open = nullptr);
    ~MainWindow() override;

    // Adds a file to a job list, probing it as the add buttons do.
    void addFile(ListKind kind, const std::string& path);
    // Files dropped on the window, in the order of the drop: they go to the
    // list of the tab showing.
    void dropFiles(const std::vector<std::string>& paths);

    void showTab(WindowTab tab);
    // The tab the window opens on; without this call it opens on Split.
    void openOnTab(WindowTab tab);

    // Loads a language file of the languages folder by name; a name without
    // its file falls back to English and hides the selector for good.
    void loadLanguage(const std::string& name);
    const std::string& language() const { return language_; }
    // The text of a message key in the loaded language, "" when it has none.
    std::string translation(const std::string& key) const;

    const Protection& protection() const { return protection_; }
    bool isJobRunning() const;
    // The protection settings dialog, made on first use.
    ProtectionDialog& protectionDialog();

signals:
    // A job the window ran has ended: done, failed or stopped.
    void jobFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void connectJobTab(ListKind kind);
    void initTranslations();
    void updateWindowTexts();
    void changeLanguage();
    void showMixPagesTitle();
    void showLocked(bool locked);
    void addChosenFiles(ListKind kind);
    // Adds the first files of a Split or Mix list's candidates that fit, and
    // says which were kept when there were more.
    void addWhatFits(ListKind kind, const std::vector<std::string>& files);
    // Keeps the list's buttons and the merge page total in step with its files.
    void listChanged(ListKind kind);
    std::vector<int> selectedMergeRows() const;
    void removeSelectedMergeFiles();
    void moveMergeFiles(int step);
    QRect fitToScreen(const QRect& available);
    void placeOnScreen();
    bool restorePlace();
    void rememberPlace();
    // Runs an operation of a control; an error escaping it is shown in a message box.
    template <typename Operation>
    void guarded(Operation operation);

    bool hasFiles(ListKind kind, int filesNeeded, const char* missingFilesKey);
    bool hasDestination(const DestinationGroup& destination);
    bool hasPageSelections();
    bool fieldsReadable(const std::function<void()>& check, const std::function<QLineEdit*(RequestField)>& fieldOf);
    bool rangeListReadable(const SplitRequest& request);
    // Asks once before files that exist would be replaced; true to go on.
    bool mayReplace(const std::vector<std::string>& outputs);
    int pageCount(ListKind kind, int row) const;
    // `open` on the worker thread, the window knowing meanwhile that it is probing.
    InputProbe::Open openWhileProbing(InputProbe::Open open);
    void runOrStop(WindowTab tab);
    void runSplit();
    void runMerge();
    void runMix();
    void startJob(WindowTab tab, std::function<void(JobReporter&)> job, std::string doneText);
    void jobEnded(const JobOutcome& outcome);
    void setJobRunning(bool running);

    Dialogs& dialogs_;
    std::string languagesFolder_;  // with its trailing separator
    std::string language_;
    std::unique_ptr<Translations> translations_;
    Protection protection_;  // the four protection settings, read at start
    InputProbe probe_;

    QTabWidget* tabs_ = nullptr;
    SplitTab* splitTab_ = nullptr;
    MergeTab* mergeTab_ = nullptr;
    MixTab* mixTab_ = nullptr;
    AboutTab* aboutTab_ = nullptr;
    QToolButton* settingsButton_ = nullptr;
    QComboBox* languageSelector_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    ProtectionDialog* protectionDialog_ = nullptr;

    std::unique_ptr<TabListControls> listControls_;
    std::unique_ptr<FileLists> lists_;
    PagePreview* preview_ = nullptr;
    std::optional<WindowTab> openingTab_;  // chosen by the command line
    bool shownBefore_ = false;
    std::unique_ptr<JobRunner> runner_;
    WindowTab jobTab_ = WindowTab::Split;  // the tab of the running job
    std::string doneText_;                  // what the running job says when it is done
    std::string jobNote_;                   // and what it adds after the files it wrote
    bool closeAfterJob_ = false;
    bool probing_ = false;          // a file is being opened on the worker thread
    bool closeAfterProbe_ = false;  // the user closed the window meanwhile
};
