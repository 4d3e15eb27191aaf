#include "ui/page_strip.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "ui/built_in_english.h"

namespace {

constexpr int CaptionHeight = 14;
constexpr int Spacing = 4;
constexpr int SizeStep = 20;  // pixels of picture height per wheel notch, and per step of growth

// A row of pages as tall as its least height: a panel that grows does so
// because the tab gives it the room, not because it asks for it.
class StripView : public QListView {
public:
    using QListView::QListView;
    QSize sizeHint() const override { return {QListView::sizeHint().width(), minimumHeight()}; }
};

// Draws a page as the view does, then its marks and, for a page no output
// takes, a veil over it.
class StripDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const auto* pages = qobject_cast<const PageStripModel*>(index.model());
        const QSize box = pages ? pages->box() : PageStrip::pictureBox();
        return {box.width() + 2 * Spacing, box.height() + CaptionHeight + Spacing};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        if (!index.data(PageStripModel::TakenRole).toBool())
            painter->fillRect(option.rect, QColor(255, 255, 255, 170));
        const QString marks = index.data(PageStripModel::MarksRole).toString();
        if (!marks.isEmpty()) {
            const QColor mark(0xD0, 0x30, 0x30);
            const QRect bar(option.rect.left(), option.rect.top(), 3, option.rect.height());
            painter->fillRect(bar, mark);
            QFont font = painter->font();
            font.setBold(true);
            painter->setFont(font);
            const QRect badge(bar.right() + 1, option.rect.top(), painter->fontMetrics().horizontalAdvance(marks) + 6,
                              painter->fontMetrics().height());
            painter->fillRect(badge, mark);
            painter->setPen(Qt::white);
            painter->drawText(badge, Qt::AlignCenter, marks);
        }
        painter->restore();
    }
};

}  // namespace

PageStrip::PageStrip(const char* name, PageService& service, PageStripModel::Translate translate, QWidget* parent)
    : QWidget(parent) {
    toggle_ = new QToolButton(parent);
    toggle_->setObjectName(QString::fromLatin1(name));
    toggle_->setText(builtInEnglish(name));
    toggle_->setCheckable(true);
    toggle_->setAutoRaise(true);
    toggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle_->setArrowType(Qt::RightArrow);

    model_ = new PageStripModel(service, pictureBox(), std::move(translate), this);
    view_ = new StripView(this);
    view_->setObjectName(QString::fromLatin1(name) + QStringLiteral("_view"));
    view_->setViewMode(QListView::IconMode);
    view_->setMovement(QListView::Static);
    view_->setFlow(QListView::LeftToRight);
    view_->setWrapping(false);
    view_->setUniformItemSizes(true);  // rows are measured once, not all of them
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setIconSize(pictureBox());
    view_->setSpacing(0);
    view_->setItemDelegate(new StripDelegate(view_));
    view_->setModel(model_);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->viewport()->installEventFilter(this);
    setPictureHeight(pictureBox().height());

    note_ = new QLabel(this);
    note_->setObjectName(QString::fromLatin1(name) + QStringLiteral("_note"));
    note_->setWordWrap(true);
    note_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(view_, 1);
    layout->addStretch();  // under pictures at their largest
    setVisible(false);
    connect(toggle_, &QToolButton::toggled, this, &PageStrip::setOpen);
}

void PageStrip::showPages(std::vector<StripDocument> documents, std::vector<StripPage> pages) {
    model_->setPages(std::move(documents), std::move(pages));
}

void PageStrip::setNote(const QString& text) {
    note_->setText(text);
    note_->setVisible(!text.isEmpty());
}

QString PageStrip::note() const { return note_->text(); }

QSize PageStrip::currentPictureBox() const { return model_->box(); }

// What the view takes beside its pictures: captions, scroll bar, frame.
int PageStrip::besidePictures() const {
    const int scrollBar = view_->horizontalScrollBar() ? view_->horizontalScrollBar()->sizeHint().height() : 16;
    return CaptionHeight + Spacing + scrollBar + 2 * view_->frameWidth() + 2;
}

// Pictures `height` pixels high; the panel's least height follows them up to
// the largest height the wheel chooses.
void PageStrip::setPictureHeight(int height) {
    chosenHeight_ = std::min(height, largestChosenHeight());
    view_->setMinimumHeight(chosenHeight_ + besidePictures());
    view_->setMaximumHeight(std::max(chosenHeight_, largestGrownHeight()) + besidePictures());
    showPictureHeight(height);
}

void PageStrip::showPictureHeight(int height) {
    const QSize box(height * pictureBox().width() / pictureBox().height(), height);
    model_->setBox(box);
    view_->setIconSize(box);
}

// A panel given more than its least height shows larger pictures, in steps,
// so that resizing the window does not draw them anew at every pixel.
void PageStrip::fitPicturesToView() {
    const int room = std::min(view_->height() - besidePictures(), largestGrownHeight());
    if (room <= chosenHeight_) return;
    showPictureHeight(chosenHeight_ + (room - chosenHeight_) / SizeStep * SizeStep);
}

bool PageStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_->viewport()) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Resize) fitPicturesToView();
    if (event->type() != QEvent::Wheel) return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0) return false;
    // One notch a step from the pictures shown, from the size the panel opens
    // with to four times it (or the larger size a grown panel shows).
    const int shown = currentPictureBox().height();
    const int step = wheel->angleDelta().y() > 0 ? SizeStep : -SizeStep;
    setPictureHeight(std::clamp(shown + step, pictureBox().height(), std::max(shown, largestChosenHeight())));
    return true;
}

bool PageStrip::isOpen() const { return toggle_->isChecked(); }

void PageStrip::setOpen(bool open) {
    toggle_->setChecked(open);
    showArrow();
    if (open == isVisibleTo(parentWidget())) return;
    setVisible(open);
    emit openChanged(open);
}

// Closed, the arrow points the way the lines run: left in a right-to-left window.
void PageStrip::showArrow() {
    const Qt::ArrowType closed = isRightToLeft() ? Qt::LeftArrow : Qt::RightArrow;
    toggle_->setArrowType(isOpen() ? Qt::DownArrow : closed);
}

void PageStrip::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) showArrow();
}
