#pragma once
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "finishing/written_output.h"

class Dialogs;
class JobReporter;
class QProgressBar;
class QThread;

// What a job run by the window came to.
struct JobOutcome {
    std::vector<WrittenOutput> written;
    std::string error;     // the message of the error that ended the job, "" when none did
    bool stopped = false;  // the user stopped it
};

// Runs one job at a time on a worker thread, so that the window stays alive
// while it works. What the job reports reaches the window's thread: progress
// without waiting, messages and translations as calls the job waits for, so
// that each message box stands where it came among the files written.
class JobRunner : public QObject {
    Q_OBJECT
public:
    using Job = std::function<void(JobReporter&)>;
    using Translate = std::function<std::string(const std::string& key)>;

    JobRunner(Dialogs& dialogs, Translate translate, QObject* parent = nullptr);
    // Stops a running job after the output it is writing and waits for it.
    ~JobRunner() override;

    bool isRunning() const { return thread_ != nullptr; }
    // Starts the job; its progress goes to the bar. One job at a time.
    void start(Job job, QProgressBar* progressBar);
    // Asks the running job to stop once the output it is writing is complete.
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

signals:
    // On the window's thread, once the job has returned or failed.
    void finished(const JobOutcome& outcome);

private:
    class WorkerReporter;
    void jobReturned();
    // Runs call on the window's thread and waits until it has run.
    void callInWindow(const std::function<void()>& call);
    void showProgress(const std::function<void(QProgressBar&)>& change);

    Dialogs& dialogs_;
    Translate translate_;
    QThread* thread_ = nullptr;
    QPointer<QProgressBar> progressBar_;
    std::atomic<bool> stopRequested_{false};
    bool destroying_ = false;
    JobOutcome outcome_;  // filled by the worker, read once it has returned
};
