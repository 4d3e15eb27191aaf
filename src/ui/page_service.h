#pragma once
#include <QObject>
#include <QSet>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "ui/page_picture_cache.h"

class QProcess;

// Draws pages for the window in a process of its own: the program started
// with the render switch. A file that makes PDFium crash or hang there costs
// that page's picture, never the window, and the drawing shares nothing with
// the jobs the window runs on its worker thread. One page is drawn at a time,
// the one asked for last first; a page that takes longer than the time limit
// fails and the process is started afresh for the next. Starting and
// stopping the process never waits on the window's thread: a process let go
// has its input closed and is killed after a short grace unless it ends first.
class PageService : public QObject {
    Q_OBJECT
public:
    // `program` is started with the render switch; by default the program
    // file beside the running one.
    explicit PageService(QObject* parent, QString program = defaultProgram());
    ~PageService() override;
    static QString defaultProgram();

    void setTimeLimit(int milliseconds) { timeLimit_ = milliseconds; }

    // The page as drawn or failed; null while it is not, in which case it is
    // asked for (once) and pictureReady tells when it is there.
    const PageImage* picture(const PageKey& key);
    const PagePictureCache& cache() const { return cache_; }
    // Pages asked for and not yet drawn.
    int waitingCount() const { return static_cast<int>(waiting_.size()) + (sent_ ? 1 : 0); }

    // The most pages that wait; the oldest requests beyond are dropped and
    // asked for again when their place is shown once more.
    static constexpr int MaxWaiting = 256;
    // How long a process let go may take to end by itself before it is killed.
    static constexpr int StopGrace = 1000;

signals:
    void pictureReady(const QByteArray& id);

private:
    struct Sent {
        PageKey key;
        std::uint32_t id = 0;
    };

    void scheduleNext();
    void sendNext();
    void ensureProcess();
    void processEnded(QProcess* process);
    void readAnswers();
    void sentFailed(PageImage image);
    void stopProcess();
    void record(const PageKey& key, PageImage image);

    QString program_;
    QProcess* process_ = nullptr;
    QTimer timer_;
    int timeLimit_ = 5000;
    std::deque<PageKey> waiting_;  // the newest first
    QSet<QByteArray> waitingIds_;
    std::optional<Sent> sent_;
    std::uint32_t lastId_ = 0;
    bool nextScheduled_ = false;
    std::string answers_;  // bytes read, not yet a whole answer
    PagePictureCache cache_{16 << 20};
};
