#include "ui/opening_thread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

InputProbe::Open openOnWorkerThread(InputProbe::Open open) {
    return [open = std::move(open)](const std::string& path, const NextPassword& nextPassword) {
        QEventLoop loop;  // on the calling thread: the worker's calls to that thread are queued to it
        const NextPassword askOnCallingThread = [&]() {
            std::optional<std::string> answer;
            QMetaObject::invokeMethod(&loop, [&] { answer = nextPassword(); }, Qt::BlockingQueuedConnection);
            return answer;
        };
        std::optional<UnlockedDocument> opened;
        std::exception_ptr failure;
        const std::unique_ptr<QThread> worker(QThread::create([&] {
            try {
                opened.emplace(open(path, askOnCallingThread));
            } catch (...) {
                failure = std::current_exception();
            }
        }));
        QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
        worker->start();
        // The user's clicks and keys wait until the file is listed, so that
        // nothing else starts meanwhile.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // An application that quits ends every event loop at once, this one
        // too, while the worker may still ask for a password.
        while (!worker->wait(QDeadlineTimer(20))) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (failure) std::rethrow_exception(failure);
        return std::move(*opened);
    };
}
