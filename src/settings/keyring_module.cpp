#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <qt6keychain/keychain.h>

#include "base/application.h"
#include "settings/keyring_module.h"

namespace {

constexpr int AnswerMilliseconds = 10000;

template <typename Job>
std::unique_ptr<Job> newJob(const std::string& key) {
    auto job = std::make_unique<Job>(QString::fromLatin1(ApplicationName));
    job->setAutoDelete(false);
    job->setInsecureFallback(false);  // never a plain-text file of its own
    job->setKey(QString::fromStdString(key));
    return job;
}

// The job commands run without Qt: the keyring's events need an application
// object, made here for them and kept until the process ends (a job that
// timed out may still use it).
void startApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "splimera";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

// Starts the job and waits for its end; a missing entry is NoEntry.
template <typename Job>
KeyringOutcome runToEnd(std::unique_ptr<Job>& job, std::string& reason) {
    startApplication();
    bool ended = false;
    QEventLoop loop;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QTimer::singleShot(AnswerMilliseconds, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    if (!ended) {
        // A job cannot be stopped; it goes when it ends.
        QObject::disconnect(job.get(), nullptr, &loop, nullptr);
        job.release()->setAutoDelete(true);
        reason = "the keyring did not answer within " + std::to_string(AnswerMilliseconds / 1000) + " seconds";
        return KeyringOutcome::Unavailable;
    }
    if (job->error() == QKeychain::NoError) return KeyringOutcome::Done;
    if (job->error() == QKeychain::EntryNotFound) return KeyringOutcome::NoEntry;
    reason = job->errorString().isEmpty() ? std::string("it refused") : job->errorString().toStdString();
    return KeyringOutcome::Unavailable;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) KeyringOutcome splimeraKeyringCall(
    KeyringOperation operation, const std::string& key, const std::string& secret, std::string& answer) {
    switch (operation) {
    case KeyringOperation::Read: {
        auto job = newJob<QKeychain::ReadPasswordJob>(key);
        const KeyringOutcome outcome = runToEnd(job, answer);
        if (outcome == KeyringOutcome::Done) answer = job->textData().toStdString();
        return outcome;
    }
    case KeyringOperation::Write: {
        auto job = newJob<QKeychain::WritePasswordJob>(key);
        job->setTextData(QString::fromStdString(secret));
        return runToEnd(job, answer);
    }
    case KeyringOperation::Remove: {
        auto job = newJob<QKeychain::DeletePasswordJob>(key);
        return runToEnd(job, answer);
    }
    }
    answer = "unknown keyring operation";
    return KeyringOutcome::Unavailable;
}
