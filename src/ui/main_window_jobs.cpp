#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"
#include "ui/dialogs.h"
#include "ui/field_bytes.h"
#include "ui/job_input_blocker.h"
#include "ui/main_window.h"
#include "ui/window_reporter.h"

namespace {

std::string textOf(const QLineEdit* field) { return fieldBytes(field); }

const char* const noDestinationMessage = "You did not enter a valid destination folder!";

}  // namespace

// ---------------------------------------------------------------- run buttons

void TFormTest::cmd_split_runClick() {
    if (_lists.filesCount(ListKind::Split) == 0) {
        _dialogs.showMessage(_getTranslation("MsgSplitAddFile"));
        return;
    }
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
    if (_lists.filesCount(ListKind::Mix) < 2) {
        _dialogs.showMessage(_getTranslation("MsgErrMixAdd2files"));
        return;
    }
    if (mix_destination_folder->text().isEmpty()) {
        _dialogs.showMessage(noDestinationMessage);
        return;
    }
    _runMix();
}

// ---------------------------------------------------------------- jobs

template <typename Request>
void TFormTest::_runJob(void (*job)(const Request&, JobReporter&), const Request& request, QProgressBar* progressBar) {
    const JobInputBlocker inputBlocker(this);  // the window only repaints until the job returns
    WindowReporter reporter(_dialogs, [this](const std::string& key) { return _getTranslation(key); }, progressBar);
    job(request, reporter);
}

void TFormTest::_runSplit() {
    SplitRequest request;
    request.input = _lists.list(ListKind::Split).inputFile(1);
    request.method = r_split_method1->isChecked()   ? SplitMethod::IntoFilesOf
                     : r_split_method3->isChecked() ? SplitMethod::EveryGroupOf
                     : r_split_method4->isChecked() ? SplitMethod::Each
                                                    : SplitMethod::ByPageRange;
    request.filesOfSize = textOf(split_method1_input1);
    request.everyGroupSize = textOf(split_method3_input1);
    request.everyGroupStart = textOf(split_method3_input2);
    request.eachStep = textOf(split_method4_input1);
    request.eachStart = textOf(split_method4_input2);
    request.rangeList = textOf(split_method2_input1);
    request.baseName = textOf(split_base_filename);
    request.destinationFolder = textOf(split_destination_folder);
    request.protection = _protection;
    _runJob(&runSplit, request, ProgressBarSplit);
}

void TFormTest::_runMerge() {
    MergeRequest request;
    request.inputs = _lists.inputFiles(ListKind::Merge);
    request.outputPath = textOf(merge_destination_filename);
    request.protection = _protection;
    request.bookmarks = mergeBookmarks.mode();
    _runJob(&runMerge, request, ProgressBar2);
}

void TFormTest::_runMix() {
    auto methodFields = [](QRadioButton* each, QLineEdit* groupCount, QLineEdit* groupStart, QLineEdit* eachCount,
                           QLineEdit* eachStart) {
        MixMethodFields fields;
        fields.method = each->isChecked() ? MixMethod::Each : MixMethod::EveryGroupOf;
        fields.groupCount = textOf(groupCount);
        fields.groupStart = textOf(groupStart);
        fields.eachCount = textOf(eachCount);
        fields.eachStart = textOf(eachStart);
        return fields;
    };
    MixRequest request;
    const TFileList& list = _lists.list(ListKind::Mix);
    request.first = list.inputFile(1);
    request.second = list.inputFile(2);
    request.firstMethod = methodFields(r_mix1_method2, mix_doc1_method1_input1, mix_doc1_method1_input2,
                                       mix_doc1_method2_input1, mix_doc1_method2_input2);
    request.secondMethod = methodFields(r_mix2_method2, mix_doc2_method1_input1, mix_doc2_method1_input2,
                                        mix_doc2_method2_input1, mix_doc2_method2_input2);
    request.baseName = textOf(mix_base_filename);
    request.destinationFolder = textOf(mix_destination_folder);
    request.reverseSecond = mix_reverse_second->isChecked();
    request.singleFile = mix_single_file->isChecked();
    request.protection = _protection;
    request.bookmarks = mixBookmarks.mode();
    _runJob(&runMix, request, ProgressBarMix);
}
