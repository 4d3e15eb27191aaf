#include "ui/job_runner.h"

#include <QProgressBar>
#include <QThread>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>

#include "jobs/job_reporter.h"
#include "ui/dialogs.h"

// Calls from the worker waiting to run on the window's thread, and whether
// the runner is going: then nobody waits for them any more.
struct WindowCallState {
    std::mutex mutex;
    std::condition_variable answered;
    std::uint64_t lastRun = 0;  // calls are numbered from 1, and run in order
    std::uint64_t lastSent = 0;
    bool destroying = false;
};

// The job's reporter, called on the worker thread.
class JobRunner::WorkerReporter : public JobReporter {
public:
    explicit WorkerReporter(JobRunner& runner) : runner_(runner) {}

    void showMessage(const std::string& text) override {
        runner_.callInWindow([&dialogs = runner_.dialogs_, text] { dialogs.showMessage(text, MessageKind::Warning); });
    }
    std::string translation(const std::string& key) override {
        // Shared, as the call may still run after a destroyed runner stopped waiting for it.
        auto text = std::make_shared<std::string>();
        runner_.callInWindow([&translate = runner_.translate_, key, text] { *text = translate(key); });
        return *text;
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
    : QObject(parent), dialogs_(dialogs), translate_(std::move(translate)), calls_(std::make_shared<WindowCallState>()) {}

JobRunner::~JobRunner() {
    if (!thread_) return;
    requestStop();
    {
        // The job may wait for a message box or a translation from this thread.
        const std::lock_guard<std::mutex> lock(calls_->mutex);
        calls_->destroying = true;
    }
    calls_->answered.notify_all();
    thread_->wait();
}

void JobRunner::start(Job job, QProgressBar* progressBar) {
    if (thread_) return;
    outcome_ = JobOutcome();
    stopRequested_ = false;
    progressBar_ = progressBar;
    thread_.reset(QThread::create([this, job = std::move(job)] {
        WorkerReporter reporter(*this);
        try {
            job(reporter);
        } catch (const std::exception& error) {
            outcome_.error = error.what();
        } catch (...) {
            outcome_.error = "Unknown error";
        }
    }));
    // The thread's finished signal comes from the worker; this object lives in the window's thread.
    connect(thread_.get(), &QThread::finished, this, &JobRunner::jobReturned, Qt::QueuedConnection);
    thread_->start();
}

void JobRunner::jobReturned() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    outcome_.stopped = stopRequested_;
    if (progressBar_) {
        progressBar_->setValue(0);
        progressBar_->setVisible(false);
    }
    const JobOutcome outcome = std::move(outcome_);
    emit finished(outcome);
}

void JobRunner::callInWindow(const std::function<void()>& call) {
    std::uint64_t number = 0;
    {
        const std::lock_guard<std::mutex> lock(calls_->mutex);
        if (calls_->destroying) return;
        number = ++calls_->lastSent;
    }
    QMetaObject::invokeMethod(
        this,
        [calls = calls_, call, number] {
            call();
            {
                const std::lock_guard<std::mutex> lock(calls->mutex);
                calls->lastRun = number;
            }
            calls->answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(calls_->mutex);
    calls_->answered.wait(lock, [&] { return calls_->lastRun >= number || calls_->destroying; });
}

void JobRunner::showProgress(const std::function<void(QProgressBar&)>& change) {
    QMetaObject::invokeMethod(
        this,
        [this, change] {
            if (progressBar_) change(*progressBar_);
        },
        Qt::QueuedConnection);
}
