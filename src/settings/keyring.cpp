#include "settings/keyring.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <qt6keychain/keychain.h>

#include "base/application.h"

namespace keyring {
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

// Starts the job and waits for its end; raises Unavailable for every error
// but a missing entry, which the caller reads from the job.
template <typename Job>
void runToEnd(std::unique_ptr<Job>& job) {
    if (!QCoreApplication::instance()) throw Unavailable("the keyring needs the application to be started");
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
        throw Unavailable("the keyring did not answer within " + std::to_string(AnswerMilliseconds / 1000) + " seconds");
    }
    if (job->error() == QKeychain::NoError || job->error() == QKeychain::EntryNotFound) return;
    const QString reason = job->errorString().isEmpty() ? QStringLiteral("it refused") : job->errorString();
    throw Unavailable(reason.toStdString());
}

}  // namespace

std::optional<std::string> read(const std::string& key) {
    auto job = newJob<QKeychain::ReadPasswordJob>(key);
    runToEnd(job);
    if (job->error() == QKeychain::EntryNotFound) return std::nullopt;
    return job->textData().toStdString();
}

void write(const std::string& key, const std::string& secret) {
    auto job = newJob<QKeychain::WritePasswordJob>(key);
    job->setTextData(QString::fromStdString(secret));
    runToEnd(job);
}

void remove(const std::string& key) {
    auto job = newJob<QKeychain::DeletePasswordJob>(key);
    runToEnd(job);
}

}  // namespace keyring
