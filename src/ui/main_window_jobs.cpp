#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "engine/dialogs.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/pdf_documents.h"
#include "jobs/split_job.h"
#include "ui/job_input_blocker.h"
#include "ui/main_window.h"
#include "ui/window_reporter.h"

namespace {

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

const char* const noDestinationMessage = "You did not enter a valid destination folder!";

BookmarkMode bookmarkMode(const QRadioButton* perFile, const QRadioButton* none) {
    return perFile->isChecked() ? BookmarkMode::PerFile : none->isChecked() ? BookmarkMode::None : BookmarkMode::Keep;
}

// The jobs finish every file they write through the window.
class WindowFinisher : public Finisher {
public:
    explicit WindowFinisher(TFormTest& window) : window_(window) {}
    void finishOutputFile(const std::string& path) override { window_._finishOutputFile(path); }
    std::vector<std::size_t> finishWithStructure(const std::string& path, const StructureRequest& request,
                                                 std::unique_ptr<StructureMemory>& memory) override {
        return window_._finishOutputFile(path, request, memory);
    }

private:
    TFormTest& window_;
};

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

template <typename Options>
bool TFormTest::_runJob(bool (*job)(const Options&, PdfDocuments&, Finisher&, Reporter&), const Options& options,
                        QProgressBar* progressBar) {
    const JobInputBlocker inputBlocker(this);  // the window only repaints until the job returns
    PdfDocuments documents{Pdf, Pdf2, PdfNew};
    WindowFinisher finisher(*this);
    WindowReporter reporter(_dialogs, [this](const std::string& key) { return _getTranslation(key); }, progressBar);
    return job(options, documents, finisher, reporter);
}

bool TFormTest::_runSplit() {
    SplitOptions options;
    options.input = _lists.list(ListKind::Split).inputFile(1);
    options.method = r_split_method1->isChecked()   ? SplitMethod::IntoFilesOf
                     : r_split_method3->isChecked() ? SplitMethod::EveryGroupOf
                     : r_split_method4->isChecked() ? SplitMethod::Each
                                                    : SplitMethod::ByPageRange;
    options.filesOfSize = textOf(split_method1_input1);
    options.everyGroupSize = textOf(split_method3_input1);
    options.everyGroupStart = textOf(split_method3_input2);
    options.eachStep = textOf(split_method4_input1);
    options.eachStart = textOf(split_method4_input2);
    options.rangeList = textOf(split_method2_input1);
    options.baseName = textOf(split_base_filename);
    options.destinationFolder = textOf(split_destination_folder);
    options.silent = _isCommandLineSilent;
    return _runJob(&splitWithPdfium, options, ProgressBarSplit);
}

bool TFormTest::_runMerge() {
    MergeOptions options;
    options.inputs = _lists.inputFiles(ListKind::Merge);
    options.outputPath = textOf(merge_destination_filename);
    options.silent = _isCommandLineSilent;
    options.bookmarks = bookmarkMode(merge_bookmarks_per_file, merge_bookmarks_none);
    return _runJob(&mergeWithPdfium, options, ProgressBar2);
}

bool TFormTest::_runMix() {
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
    MixOptions options;
    const TFileList& list = _lists.list(ListKind::Mix);
    options.first = list.inputFile(1);
    options.second = list.inputFile(2);
    options.firstMethod = methodFields(r_mix1_method2, mix_doc1_method1_input1, mix_doc1_method1_input2,
                                       mix_doc1_method2_input1, mix_doc1_method2_input2);
    options.secondMethod = methodFields(r_mix2_method2, mix_doc2_method1_input1, mix_doc2_method1_input2,
                                        mix_doc2_method2_input1, mix_doc2_method2_input2);
    options.baseName = textOf(mix_base_filename);
    options.outputFolder = textOf(mix_destination_folder);
    options.reverseSecond = mix_reverse_second->isChecked();
    options.singleFile = mix_single_file->isChecked();
    options.bookmarks = bookmarkMode(mix_bookmarks_per_file, mix_bookmarks_none);
    return _runJob(&mixWithPdfium, options, ProgressBarMix);
}

FinishingSettings TFormTest::_finishingSettings() const {
    FinishingSettings settings;
    settings.outputPdfPassword = _outputPdfPassword;
    settings.watermarkPath = _watermarkPath;
    settings.watermarkX = _watermarkX;
    settings.watermarkY = _watermarkY;
    return settings;
}

void TFormTest::_finishOutputFile(const std::string& path) {
    OutputFinisher(_finishingSettings()).finishOutputFile(path);
    ++_filesFinished;
}

std::vector<std::size_t> TFormTest::_finishOutputFile(const std::string& path, const StructureRequest& request,
                                                      std::unique_ptr<StructureMemory>& memory) {
    std::vector<std::size_t> unread = OutputFinisher(_finishingSettings()).finishWithStructure(path, request, memory);
    ++_filesFinished;
    return unread;
}
