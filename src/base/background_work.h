#pragma once
#include <functional>
#include <memory>

// Work that may run on a second core while its caller does other work: it is
// queued to one thread kept for the process (started on first use), which
// runs queued work in order. wait() takes it back: work the thread has not
// started runs at once on the caller's thread, work it has started is waited
// for, and an exception it raised comes out of wait(). An object that goes
// without wait() drops its work when not started and waits for it when
// running, so that the work never outlives what it uses. Where no such
// thread can be started, or where it is not allowed (see
// allowBackgroundThread), all work runs in wait().
//
// The caller keeps the work's objects away from other threads until wait()
// has returned (libqpdf is safe across distinct QPDF objects only, PDFium not
// at all: no work here may call PDFium).
class BackgroundWork {
public:
    explicit BackgroundWork(std::function<void()> work);
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs or waits for the work, once; raises what it raised.
    void wait();

    struct Task;

private:
    std::shared_ptr<Task> task_;
    bool waited_ = false;
};

// Whether work may go to the thread at all (true at start); with false, every
// BackgroundWork made afterwards runs in its wait(), as where the thread
// cannot be had.
void allowBackgroundThread(bool allowed);
