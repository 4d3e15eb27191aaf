#pragma once
#include <QWidget>
#include <vector>

#include "ui/page_strip_model.h"

class PageService;
class QLabel;
class QListView;
class QToolButton;

// A tab's panel of pages: a row of page pictures with their numbers (and
// labels) that scrolls sideways, and a button that opens and closes it, which
// the tab places apart. Pages that open an output carry its number on a bar at
// their left edge; pages no output takes are dimmed. It starts closed: open,
// it makes the tab taller, and pages are asked for only while it shows.
class PageStrip : public QWidget {
    Q_OBJECT
public:
    // The button is called `name`: the language files give its caption.
    // Both belong to `parent`; `translate` gives the tips' texts.
    PageStrip(const char* name, PageService& service, PageStripModel::Translate translate, QWidget* parent);

    void showPages(std::vector<StripDocument> documents, std::vector<StripPage> pages);
    // A line above the pages that says what they cannot show; "" hides it.
    void setNote(const QString& text);
    QString note() const;
    void clear() { showPages({}, {}); }

    bool isOpen() const;
    void setOpen(bool open);

    PageStripModel& model() const { return *model_; }
    QListView* view() const { return view_; }
    QToolButton* toggle() const { return toggle_; }

    // The largest picture of a page, in pixels, as the panel opens.
    static QSize pictureBox() { return {48, 60}; }
    // The box of the pictures shown now. Ctrl and the mouse wheel over the
    // pages choose their height, within bounds, in steps, and with it the
    // panel's least height; a panel given more room shows them larger.
    QSize currentPictureBox() const;
    void setPictureHeight(int height);
    // The largest height the wheel chooses, and the largest pictures grow to
    // with the panel.
    static int largestChosenHeight() { return 4 * pictureBox().height(); }
    static int largestGrownHeight() { return 8 * pictureBox().height(); }

signals:
    void openChanged(bool open);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showArrow();
    int besidePictures() const;
    void showPictureHeight(int height);
    void fitPicturesToView();

    QToolButton* toggle_;
    QLabel* note_;
    QListView* view_;
    PageStripModel* model_;
    int chosenHeight_ = pictureBox().height();
};
