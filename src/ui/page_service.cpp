#include "ui/page_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cstring>

#include "engine/render_protocol.h"

namespace {

QImage imageOf(const PagePicture& picture) {
    // PDFium's BGRA bytes are Qt's ARGB32 words on a little-endian machine.
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    const int rowBytes = picture.width * 4;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    return image;
}

PageImage failure(const QString& engineReason = {}, bool tooSlow = false) {
    PageImage image;
    image.error = engineReason;
    image.tooSlow = tooSlow;
    return image;
}

}  // namespace

PageService::PageService(QObject* parent, QString program) : QObject(parent), program_(std::move(program)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        sentFailed(failure({}, true));
        stopProcess();
        scheduleNext();
    });
}

// The one place that waits: the window is going, and no process it started
// may outlive it. A killed process ends at once.
PageService::~PageService() {
    stopProcess();
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(StopGrace);
    }
}

QString PageService::defaultProgram() {
#ifdef _WIN32
    const QString name = QStringLiteral("splimera.exe");
#else
    const QString name = QStringLiteral("splimera");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

const PageImage* PageService::picture(const PageKey& key) {
    const QByteArray id = key.id();
    if (const PageImage* known = cache_.find(id)) return known;
    if (waitingIds_.contains(id) || (sent_ && sent_->key.id() == id)) return nullptr;
    waiting_.push_front(key);
    waitingIds_.insert(id);
    if (static_cast<int>(waiting_.size()) > MaxWaiting) {
        waitingIds_.remove(waiting_.back().id());
        waiting_.pop_back();
    }
    scheduleNext();
    return nullptr;
}

// Asked for while a view paints: the request goes out once the event loop runs again.
void PageService::scheduleNext() {
    if (nextScheduled_ || sent_) return;
    nextScheduled_ = true;
    QMetaObject::invokeMethod(this, [this] {
        nextScheduled_ = false;
        sendNext();
    }, Qt::QueuedConnection);
}

void PageService::sendNext() {
    while (!sent_ && !waiting_.empty()) {
        PageKey key = std::move(waiting_.front());
        waiting_.pop_front();
        waitingIds_.remove(key.id());
        ensureProcess();
        if (!process_) {  // it could not even be asked to start
            record(key, failure());
            continue;
        }
        PageRequest request;
        request.id = ++lastId_;
        request.path = key.path;
        request.password = key.password;
        request.page = key.page;
        request.maxWidth = key.box.width();
        request.maxHeight = key.box.height();
        const std::string bytes = encodeRequest(request);
        sent_ = Sent{std::move(key), request.id};
        // The time limit covers the start of a fresh process too; what is
        // written before it runs waits in the process's buffer.
        timer_.start(timeLimit_);
        process_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

void PageService::ensureProcess() {
    if (process_) return;
    process_ = new QProcess(this);
    process_->setStandardErrorFile(QProcess::nullDevice());
    QProcess* process = process_;
    connect(process, &QProcess::readyReadStandardOutput, this, &PageService::readAnswers);
    connect(process, &QProcess::finished, this, [this, process] { processEnded(process); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart || error == QProcess::Crashed) processEnded(process);
    });
    process->start(program_, {QString::fromLatin1(RenderServiceSwitch)});
}

// The process ended or never started: the page it was drawing fails, and the
// next one is asked of a fresh process.
void PageService::processEnded(QProcess* process) {
    if (process != process_) return;  // let go of already
    sentFailed(failure());
    stopProcess();
    scheduleNext();
}

void PageService::readAnswers() {
    if (!process_) return;
    const QByteArray bytes = process_->readAllStandardOutput();
    answers_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    try {
        while (const std::optional<PageAnswer> answer = takeAnswer(answers_)) {
            if (!sent_ || answer->id != sent_->id) continue;  // one given up on already
            timer_.stop();
            const PageKey key = std::move(sent_->key);
            sent_.reset();
            PageImage image = answer->error.empty() ? PageImage{imageOf(answer->picture), {}, {}, false}
                                                    : failure(QString::fromStdString(answer->error));
            image.label = QString::fromStdString(answer->label);
            record(key, std::move(image));
        }
    } catch (const RenderProtocolError&) {
        sentFailed(failure());
        stopProcess();
    }
    scheduleNext();
}

void PageService::sentFailed(PageImage image) {
    timer_.stop();
    if (!sent_) return;
    const PageKey key = std::move(sent_->key);
    sent_.reset();
    record(key, std::move(image));
}

void PageService::stopProcess() {
    if (!process_) return;
    QProcess* process = process_;
    process_ = nullptr;
    answers_.clear();
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    // Its own end, or the kill after the grace, lets go of the object.
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) process->deleteLater();
    });
    process->closeWriteChannel();
    QTimer::singleShot(StopGrace, process, [process] { process->kill(); });
}

void PageService::record(const PageKey& key, PageImage image) {
    const QByteArray id = key.id();
    cache_.insert(id, std::move(image));
    emit pictureReady(id);
}
