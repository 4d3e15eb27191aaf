#pragma once
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// A thread of its owner's that does one piece of work at a time while the
// owner goes on with the next: started on the first piece, ended with the
// object. Where no thread can be had (a process limit), work runs at once on
// the owner's thread. Only the owner's thread calls it.
class BackgroundWorker {
public:
    BackgroundWorker() = default;
    // Waits for the work in hand (its failure is dropped) and ends the thread.
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // Hands work over; waits first for the work handed over before, whose
    // failure is then raised here instead.
    void start(std::function<void()> work);
    // Waits for the work handed over last and raises what it raised; at once
    // when there is none.
    void wait();

private:
    void serve();
    void awaitDone(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> work_;  // set while work waits for the thread
    bool busy_ = false;           // work handed over and not yet done
    bool ending_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
    bool noThread_ = false;
};
