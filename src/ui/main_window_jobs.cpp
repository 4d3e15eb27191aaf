#include <QProgressBar>

#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"
#include "ui/destination_group.h"
#include "ui/dialogs.h"
#include "ui/job_input_blocker.h"
#include "ui/main_window.h"
#include "ui/merge_tab.h"
#include "ui/mix_tab.h"
#include "ui/split_tab.h"
#include "ui/widget_names.h"
#include "ui/window_reporter.h"

namespace {

const char* const noDestinationMessage = "You did not enter a valid destination folder!";

}  // namespace

template <typename Request>
void MainWindow::runJob(void (*job)(const Request&, JobReporter&), const Request& request, QProgressBar* progressBar) {
    const JobInputBlocker inputBlocker(this);  // the window only repaints until the job returns
    WindowReporter reporter(dialogs_, [this](const std::string& key) { return translation(key); }, progressBar);
    job(request, reporter);
}

// A split or mix starts only with its files listed and a destination folder;
// otherwise the user is told what is missing.
bool MainWindow::readyToRun(ListKind kind, int filesNeeded, const char* missingFilesKey,
                            const DestinationGroup& destination) {
    if (lists_->filesCount(kind) < filesNeeded) {
        dialogs_.showMessage(translation(missingFilesKey));
        return false;
    }
    if (destination.folder().empty()) {
        dialogs_.showMessage(noDestinationMessage);
        return false;
    }
    return true;
}

void MainWindow::runSplit() {
    if (!readyToRun(ListKind::Split, 1, messageKey::splitNeedsFile, splitTab_->destination())) return;
    SplitRequest request = splitTab_->request();
    request.input = lists_->list(ListKind::Split).inputFile(1);
    request.protection = protection_;
    runJob(&::runSplit, request, splitTab_->progressBar());
}

void MainWindow::runMerge() {
    MergeRequest request;
    request.inputs = lists_->inputFiles(ListKind::Merge);
    request.outputPath = mergeTab_->outputPath();
    request.protection = protection_;
    runJob(&::runMerge, request, mergeTab_->progressBar());
}

void MainWindow::runMix() {
    if (!readyToRun(ListKind::Mix, 2, messageKey::mixNeedsTwo, mixTab_->destination())) return;
    MixRequest request = mixTab_->request();
    const FileList& list = lists_->list(ListKind::Mix);
    request.first = list.inputFile(1);
    request.second = list.inputFile(2);
    request.protection = protection_;
    runJob(&::runMix, request, mixTab_->progressBar());
}
