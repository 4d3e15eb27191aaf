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
struct WindowCallState;

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
// While the runner is destroyed, such a call is no longer made: the job's
// message goes unshown and its translation is empty, so the job goes on to
// its stop instead of waiting for a window that is closing.
class JobRunner : public QObject {
    Q_OBJECT
public:
    using Job = std::function<void(JobReporter&)>;
    using Translate = std::function<std::string(const std::string& key)>;

    JobRunner(Dialogs& dialogs, Translate translate, QObject* parent = nullptr);
    // Stops a running job after the output it is writing and waits for it.
    // Runs no events meanwhile.
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
    // Runs call on the window's thread and waits until it has run, or until
    // the runner is being destroyed.
    void callInWindow(const std::function<void()>& call);
    void showProgress(const std::function<void(QProgressBar&)>& change);

    Dialogs& dialogs_;
    Translate translate_;
    std::unique_ptr<QThread> thread_;
    QPointer<QProgressBar> progressBar_;
    std::atomic<bool> stopRequested_{false};
    // Shared with calls waiting to run, which may outlive the runner.
    std::shared_ptr<WindowCallState> calls_;
    JobOutcome outcome_;  // filled by the worker, read once it has returned
};
