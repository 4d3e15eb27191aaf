#pragma once
#include <QWidget>

class QLabel;
class QToolButton;

// The About tab: the application's icon, its name and version, a line about it, and the
// links to its website and support page, which open on the desktop.
class AboutTab : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(QWidget* parent);

    void setTitle(const QString& nameAndVersion);
    // The settings button's picture, held by the tab's two hidden picture buttons.
    QIcon lockPicture(bool locked) const;

private:
    QLabel* icon_;
    QLabel* title_;
    QLabel* aboutLine_;
    QLabel* websiteCaption_;
    QLabel* websiteLink_;
    QLabel* supportCaption_;
    QLabel* supportLink_;
    QToolButton* lockedPicture_;
    QToolButton* unlockedPicture_;
};
