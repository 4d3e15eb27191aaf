#include "ui/job_runner.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QThread>
#include <exception>

#include "jobs/job_reporter.h"
#include "ui/dialogs.h"

// The job's reporter, called on the worker thread.
class JobRunner::WorkerReporter : public JobReporter {
public:
    explicit WorkerReporter(JobRunner& runner) : runner_(runner) {}

    void showMessage(const std::string& text) override {
        runner_.callInWindow([this, &text] { runner_.dialogs_.showMessage(text, MessageKind::Warning); });
    }
    std::string translation(const std::string& key) override {
        std::string text;
        runner_.callInWindow([this, &key, &text] { text = runner_.translate_(key); });
        return text;
    }
    void setProgressPosition(int position) override {
        runner_.showProgress([position](QProgressBar& bar) { bar.setValue(position); });
    }
    void setProgressVisible(bool visible) override {
        runner_.showProgress([visible](QProgressBar& bar) { bar.setVisible(visible); });
    }
    void outputWritten(const WrittenOutput& output) override { runner_.outcome_.written.push_back(output); }
    bool stopRequested() const override { return runner_.stopRequested_; }

private:
    JobRunner& runner_;
};

JobRunner::JobRunner(Dialogs& dialogs, Translate translate, QObject* parent)
    : QObject(parent), dialogs_(dialogs), translate_(std::move(translate)) {}

JobRunner::~JobRunner() {
    if (!thread_) return;
    requestStop();
    destroying_ = true;  // the thread's end is no news to anyone now
    // The job may wait for a message box or a translation from this thread.
    while (!thread_->wait(10)) QCoreApplication::processEvents();
    delete thread_;
}

void JobRunner::start(Job job, QProgressBar* progressBar) {
    if (thread_) return;
    outcome_ = JobOutcome();
    stopRequested_ = false;
    progressBar_ = progressBar;
    thread_ = QThread::create([this, job = std::move(job)] {
        WorkerReporter reporter(*this);
        try {
            job(reporter);
        } catch (const std::exception& error) {
            outcome_.error = error.what();
        } catch (...) {
            outcome_.error = "Unknown error";
        }
    });
    // The thread's finished signal comes from the worker; this object lives in the window's thread.
    connect(thread_, &QThread::finished, this, &JobRunner::jobReturned, Qt::QueuedConnection);
    thread_->start();
}

void JobRunner::jobReturned() {
    if (!thread_ || destroying_) return;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    outcome_.stopped = stopRequested_;
    if (progressBar_) {
        progressBar_->setValue(0);
        progressBar_->setVisible(false);
    }
    const JobOutcome outcome = std::move(outcome_);
    emit finished(outcome);
}

void JobRunner::callInWindow(const std::function<void()>& call) {
    QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

void JobRunner::showProgress(const std::function<void(QProgressBar&)>& change) {
    QMetaObject::invokeMethod(
        this,
        [this, change] {
            if (progressBar_) change(*progressBar_);
        },
        Qt::QueuedConnection);
}
