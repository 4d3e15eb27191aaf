#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "engine/dialogs.h"
#include "jobs/finisher.h"
#include "jobs/merge_job.h"
#include "jobs/pdf_documents.h"
#include "ui/main_window.h"
#include "ui/window_reporter.h"

namespace {

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

const char* const noDestinationMessage = "You did not enter a valid destination folder!";

}  // namespace

// ---------------------------------------------------------------- run buttons

void TFormTest::cmd_split_runClick() {
    // SEAM(file lists): "MsgSplitAddFile" while the split list is empty.
    if (split_destination_folder->text().isEmpty()) {
        _dialogs.showMessage(noDestinationMessage);
        return;
    }
    _runSplit();
}

void TFormTest::cmd_mergeClick() {
    _runMerge();
}

void TFormTest::cmd_mix_runClick() {
    // SEAM(file lists): "MsgErrMixAdd2files" while the mix list holds fewer than two files.
    if (mix_destination_folder->text().isEmpty()) {
        _dialogs.showMessage(noDestinationMessage);
        return;
    }
    _runMix();
}

// ---------------------------------------------------------------- jobs

bool TFormTest::_runSplit() {
    // SEAM(split job)
    return true;
}

bool TFormTest::_runMerge() {
    MergeOptions options;
    // SEAM(file lists): options.inputs := rows 1 to the merge count.
    options.outputPath = textOf(merge_destination_filename);
    options.silent = _isCommandLineSilent;
    PdfDocuments documents{Pdf, Pdf2, PdfNew};
    NoFinishing finisher;  // SEAM(finishing)
    WindowReporter reporter(_dialogs, [this](const std::string& key) { return _getTranslation(key); }, ProgressBar2);
    return mergeWithPdfium(options, documents, finisher, reporter);
}

bool TFormTest::_runMix() {
    // SEAM(mix job)
    return true;
}

void TFormTest::_finishOutputFile(const std::string& /*path*/) {
    // SEAM(finishing)
}
