#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QToolButton>
#include <QPushButton>
#include <filesystem>

#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/planned_outputs.h"
#include "jobs/range_list.h"
#include "jobs/request_error.h"
#include "jobs/split_job.h"
#include "ui/application_error.h"
#include "ui/destination_group.h"
#include "ui/dialogs.h"
#include "ui/job_runner.h"
#include "ui/main_window.h"
#include "ui/file_grid.h"
#include "ui/merge_tab.h"
#include "ui/message_text.h"
#include "ui/mix_tab.h"
#include "ui/shell_open.h"
#include "ui/split_tab.h"
#include "ui/tab_list_controls.h"
#include "ui/widget_names.h"
#include "ui/wrong_field.h"

namespace {

const char* const noDestinationMessage = "You did not enter a valid destination folder!";

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::u8path(path).parent_path();
    return QDir::toNativeSeparators(QString::fromStdString(folder.u8string())).toStdString();
}

std::string fileNameOf(const std::string& path) { return std::filesystem::u8path(path).filename().u8string(); }

}  // namespace

// ---------------------------------------------------------------- start checks

bool MainWindow::hasFiles(ListKind kind, int filesNeeded, const char* missingFilesKey) {
    if (lists_->filesCount(kind) >= filesNeeded) return true;
    dialogs_.showMessage(translation(missingFilesKey));
    return false;
}

// A destination folder is chosen, and the base name names a file in it, not
// one in another folder.
bool MainWindow::hasDestination(const DestinationGroup& destination) {
    if (destination.folder().empty()) {
        dialogs_.showMessage(noDestinationMessage);
        return false;
    }
    if (destination.baseName().find_first_of("/\\") != std::string::npos) {
        dialogs_.showMessage(textOf(messageText::baseNameWithFolder, [this](const std::string& key) {
            return translation(key);
        }));
        return false;
    }
    return true;
}

// Every page selection of the merge list takes pages of its file; the first
// wrong one is named and gets the focus.
bool MainWindow::hasPageSelections() {
    const FileListModel& list = lists_->model(ListKind::Merge);
    for (int row = 0; row < list.count(); ++row) {
        const std::string error = list.selectionError(row);
        if (error.empty()) continue;
        FileGrid* grid = mergeTab_->fileGrid();
        grid->setCurrentCell(row, grid->editableColumn());
        grid->setFocus();
        dialogs_.showMessage(error);
        return false;
    }
    return true;
}

bool MainWindow::mayReplace(const std::vector<std::string>& outputs) {
    std::vector<std::string> existing;
    for (const std::string& output : outputs)
        if (isExistingFile(output)) existing.push_back(output);
    if (existing.empty()) return true;
    const auto translate = [this](const std::string& key) { return translation(key); };
    const std::string folder = folderOf(existing.front());
    return dialogs_.ask(existing.size() == 1
                            ? textOf(messageText::fileExists, translate, {fileNameOf(existing.front()), folder})
                            : textOf(messageText::filesExist, translate, {std::to_string(existing.size()), folder}));
}

// ---------------------------------------------------------------- the jobs

void MainWindow::runOrStop(WindowTab tab) {
    if (isJobRunning()) {
        // The Cancel button: the job stops after the file it is writing.
        runner_->requestStop();
        listControls_->tab(listOf(tab)).runButton()->setEnabled(false);  // pressed once is enough
        return;
    }
    switch (tab) {
    case WindowTab::Split: return runSplit();
    case WindowTab::Merge: return runMerge();
    default: return runMix();
    }
}

// Whether check() finds the request's fields readable; the first it refuses
// is named in the user's words and marked.
bool MainWindow::fieldsReadable(const std::function<void()>& check, const std::function<QLineEdit*(RequestField)>& fieldOf) {
    try {
        check();
        return true;
    } catch (const RequestError& error) {
        const auto translate = [this](const std::string& key) { return translation(key); };
        QLineEdit* field = fieldOf(error.field());
        const std::string typed = field ? field->text().toStdString() : error.text();
        std::string message;
        if (typed.empty()) message = textOf(messageText::emptyNumber, translate);
        else if (error.field() == RequestField::SizeLimit) message = textOf(messageText::wrongSize, translate, {typed});
        else if (error.field() == RequestField::BookmarkLevel) message = applicationErrorText(error.what());
        else message = textOf(messageText::wrongNumber, translate, {typed});
        dialogs_.showMessage(message);
        if (field) markWrongField(field);
        return false;
    }
}

// A range list names its files' pages in groups that can all be read.
bool MainWindow::rangeListReadable(const SplitRequest& request) {
    if (request.method != SplitMethod::ByPageRange) return true;
    const auto translate = [this](const std::string& key) { return translation(key); };
    const std::optional<std::string> wrongGroup = firstUnreadableGroup(request.rangeList);
    const bool empty = getRangeGroups(request.rangeList).empty();
    if (!empty && !wrongGroup) return true;
    dialogs_.showMessage(empty ? textOf(messageText::emptyRangeList, translate)
                               : textOf(messageText::wrongRangeGroup, translate, {*wrongGroup}));
    markWrongField(splitTab_->rangeListField());
    return false;
}

void MainWindow::runSplit() {
    if (!hasFiles(ListKind::Split, 1, messageKey::splitNeedsFile) || !hasDestination(splitTab_->destination())) return;
    SplitRequest request = splitTab_->request();
    request.input = lists_->model(ListKind::Split).file(0).input;
    request.protection = protection_;
    if (!fieldsReadable([&request] { request.check(); }, [this](RequestField field) { return splitTab_->fieldOf(field); }) ||
        !rangeListReadable(request))
        return;
    const int pages = pageCount(ListKind::Split, 0);
    if (!mayReplace(plannedOutputs(request, pages))) return;
    // Pages the file does not have are skipped; the user hears which after the job.
    std::string skipped;
    if (request.method == SplitMethod::ByPageRange)
        for (const std::string& piece : pagesBeyondEnd(request.rangeList, pages)) skipped += (skipped.empty() ? "" : ", ") + piece;
    startJob(WindowTab::Split, [request](JobReporter& reporter) { ::runSplit(request, reporter); },
             translation(messageKey::splitDone));
    if (!skipped.empty())
        jobNote_ = textOf(messageText::pagesSkipped, [this](const std::string& key) { return translation(key); },
                          {skipped, std::to_string(pages)});
}

void MainWindow::runMerge() {
    if (!hasFiles(ListKind::Merge, 2, messageKey::mergeNeedsTwo)) return;
    if (!hasPageSelections()) return;
    MergeRequest request = mergeTab_->request();
    request.inputs = lists_->inputFiles(ListKind::Merge);
    request.pageSelections = lists_->pageSelections();
    request.protection = protection_;
    request.check();
    // The Save dialog asked already for the file it chose, but only for the next run.
    if (!mergeTab_->takeOutputConfirmation() && !mayReplace({request.outputPath})) return;
    startJob(WindowTab::Merge, [request](JobReporter& reporter) { ::runMerge(request, reporter); },
             translation(messageKey::mergeDone));
}

void MainWindow::runMix() {
    if (!hasFiles(ListKind::Mix, 2, messageKey::mixNeedsTwo) || !hasDestination(mixTab_->destination())) return;
    MixRequest request = mixTab_->request();
    const FileListModel& list = lists_->model(ListKind::Mix);
    request.first = list.file(0).input;
    request.second = list.file(1).input;
    request.protection = protection_;
    if (!fieldsReadable([&request] { request.check(); }, [this](RequestField field) { return mixTab_->fieldOf(field); }))
        return;
    if (!mayReplace(plannedOutputs(request, pageCount(ListKind::Mix, 0), pageCount(ListKind::Mix, 1)))) return;
    startJob(WindowTab::Mix, [request](JobReporter& reporter) { ::runMix(request, reporter); },
             translation(messageKey::mixDone));
}

void MainWindow::startJob(WindowTab tab, std::function<void(JobReporter&)> job, std::string doneText) {
    jobTab_ = tab;
    doneText_ = std::move(doneText);
    jobNote_.clear();
    runner_->start(std::move(job), listControls_->tab(listOf(tab)).progressBar());
    setJobRunning(true);
}

bool MainWindow::isJobRunning() const { return runner_ && runner_->isRunning(); }

// Every job control is disabled while a job runs, but the job's Cancel button.
void MainWindow::setJobRunning(bool running) {
    const QString cancel = QString::fromStdString(
        textOf(messageText::cancelJob, [this](const std::string& key) { return translation(key); }));
    for (WindowTab tab : {WindowTab::Split, WindowTab::Merge, WindowTab::Mix})
        listControls_->tab(listOf(tab)).setJobRunning(running, tab == jobTab_, cancel);
    languageSelector_->setEnabled(!running);
    settingsButton_->setEnabled(!running);
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) listChanged(kind);
}

void MainWindow::jobEnded(const JobOutcome& outcome) {
    setJobRunning(false);
    const auto translate = [this](const std::string& key) { return translation(key); };
    // A job stopped before its first file ends with the error that nothing was
    // written; the user stopped it, and that is what they hear.
    if (!outcome.error.empty() && !(outcome.stopped && outcome.written.empty())) {
        dialogs_.showMessage(applicationErrorText(outcome.error), MessageKind::Error);
    } else {
        std::string text = outcome.stopped ? textOf(messageText::jobStopped, translate) : doneText_;
        if (jobTab_ == WindowTab::Merge && !outcome.stopped && !outcome.written.empty())
            text += " (total pages: " + std::to_string(outcome.written.front().pageCount) + ")";
        text += "\n\n";
        if (outcome.written.empty()) {
            dialogs_.showMessage(text + textOf(messageText::wroteNothing, translate), MessageKind::Information);
        } else {
            const std::string folder = folderOf(outcome.written.front().path);
            text += outcome.written.size() == 1
                        ? textOf(messageText::wroteFile, translate, {fileNameOf(outcome.written.front().path), folder})
                        : textOf(messageText::wroteFiles, translate, {std::to_string(outcome.written.size()), folder});
            if (!jobNote_.empty()) text += "\n\n" + jobNote_;
            if (dialogs_.offerAction(text, textOf(messageText::openFolder, translate)) && !openOnDesktop(folder))
                dialogs_.showMessage(textOf(messageText::folderNotOpened, translate, {folder}));
        }
    }
    emit jobFinished();
    if (closeAfterJob_) close();
}
