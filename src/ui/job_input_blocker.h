#pragma once
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the user's input away from a window while a job runs in one of its
// handlers. The job lets the window repaint between its steps; clicks, keys,
// wheel turns, drops and close requests aimed at the window or any of its
// controls are dropped instead of acting (or waiting to act once the job has
// returned). Other windows, such as the job's message boxes, take input as usual.
// Lives on the stack for the length of the job.
class JobInputBlocker : public QObject {
public:
    explicit JobInputBlocker(QWidget* window);
    // Delivers the input that arrived during the job, so that it is dropped
    // now rather than acting later.
    ~JobInputBlocker() override;

    JobInputBlocker(const JobInputBlocker&) = delete;
    JobInputBlocker& operator=(const JobInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool aimsAtWindow(QObject* watched) const;

    QPointer<QWidget> window_;
};
