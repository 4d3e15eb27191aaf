#include "ui/page_preview.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QToolButton>
#include <exception>

#include "ui/file_grid.h"
#include "ui/merge_selections.h"
#include "ui/merge_tab.h"
#include "ui/message_text.h"
#include "ui/mix_tab.h"
#include "ui/page_placeholder.h"
#include "ui/page_service.h"
#include "ui/page_strip.h"
#include "ui/split_tab.h"
#include "ui/strip_pages.h"
#include "ui/tab_list_controls.h"
#include "ui/widget_names.h"

namespace {

// The file's size and time of change: a file changed since shows anew.
std::string versionOf(const std::string& path) {
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(path)));
    return std::to_string(file.size()) + ' ' + std::to_string(file.lastModified().toMSecsSinceEpoch());
}

StripDocument documentOf(const InputFile& file) { return {file.path(), file.password, versionOf(file.path())}; }

// A tip that shows the picture.
QString pictureTip(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QStringLiteral("<img src=\"data:image/png;base64,%1\">").arg(QString::fromLatin1(png.toBase64()));
}

}  // namespace

PagePreview::PagePreview(FileLists& lists, TabListControls& tabs, PageStripModel::Translate translate,
                         QObject* parent)
    : QObject(parent), lists_(lists), tabs_(tabs), translate_(std::move(translate)), service_(new PageService(this)) {
    connect(service_, &PageService::pictureReady, this, &PagePreview::pictureReady);
    const char* names[] = {widgetName::splitPages, widgetName::mergePages, widgetName::mixPages};
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) {
        JobTab& tab = tabs_.tab(kind);
        strips_[index(kind)] = new PageStrip(names[index(kind)], *service_, translate_, &tab);
        tab.placePageStrip(strips_[index(kind)]);
        // Open or closed in every tab alike, as the user left it last.
        connect(strips_[index(kind)], &PageStrip::openChanged, this, [this](bool open) {
            for (PageStrip* strip : strips_) strip->setOpen(open);
        });
        tab.fileGrid()->setIconSize(thumbnailBox());
        followChoices(kind);
    }
}

// Every field and choice of the tab may change what its strip shows.
void PagePreview::followChoices(ListKind kind) {
    JobTab& tab = tabs_.tab(kind);
    if (kind == ListKind::Merge) {
        // The window records the selection first: it connected to the grid before.
        connect(tab.fileGrid(), &FileGrid::currentCellChanged, this, [this] { showStrip(ListKind::Merge); });
        return;
    }
    for (QLineEdit* field : tab.findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, [this, kind] { showStrip(kind); });
    for (QAbstractButton* choice : tab.findChildren<QAbstractButton*>())
        if (choice->isCheckable() && choice != strips_[index(kind)]->toggle())
            connect(choice, &QAbstractButton::toggled, this, [this, kind] { showStrip(kind); });
}

void PagePreview::update(ListKind kind) {
    showThumbnails(kind);
    showStrip(kind);
}

void PagePreview::showThumbnails(ListKind kind) {
    FileListModel& list = lists_.model(kind);
    for (int row = 0; row < list.count(); ++row) {
        const StripDocument file = documentOf(list.file(row).input);
        const PageKey key{file.path, file.version, file.password, 0, thumbnailBox()};
        const PageImage* image = service_->picture(key);
        if (!image) awaitedThumbnails_.insert(key.id());
        const QIcon picture(image && image->drawn() ? QPixmap::fromImage(image->image)
                                                    : pagePlaceholder(thumbnailBox(), image != nullptr));
        QString tip;
        if (image && !image->drawn()) {
            tip = whyNotDrawn(*image, translate_);
        } else {
            const PageKey tipKey{file.path, file.version, file.password, 0, tipPictureBox()};
            const PageImage* tipImage = service_->picture(tipKey);
            if (!tipImage) awaitedThumbnails_.insert(tipKey.id());
            else if (tipImage->drawn()) tip = pictureTip(tipImage->image);
        }
        list.setPicture(row, picture, tip);
    }
}

void PagePreview::showStrip(ListKind kind) {
    PageStrip& strip = *strips_[index(kind)];
    FileListModel& list = lists_.model(kind);
    const std::vector<InputFile> files = lists_.inputFiles(kind);
    if (files.empty()) return strip.clear();

    std::vector<StripDocument> documents;
    for (const InputFile& file : files) documents.push_back(documentOf(file));
    if (kind == ListKind::Merge) return showMergeStrip(std::move(documents));
    const int pagesFirst = list.file(0).pageCount;
    std::vector<StripPage> pages;
    try {
        if (kind == ListKind::Split) {
            SplitRequest request = qobject_cast<SplitTab*>(&tabs_.tab(kind))->request();
            strip.setNote(request.method == SplitMethod::BySize
                              ? QString::fromStdString(textOf(messageText::cutsBySize, translate_))
                              : QString());
            pages = request.method == SplitMethod::ByBookmarks
                        ? bookmarkStripPages(list.outline(0), request.level(), pagesFirst)
                        : splitStripPages(request, pagesFirst);
        } else if (files.size() == 2)
            pages = mixStripPages(qobject_cast<MixTab*>(&tabs_.tab(kind))->request(), pagesFirst, list.file(1).pageCount);
        else
            pages = plainStripPages(pagesFirst);
    } catch (const std::exception&) {
        pages = plainStripPages(pagesFirst);  // numbers that cannot be read yet mark nothing
    }
    strip.showPages(std::move(documents), std::move(pages));
}

// The merged pages in their order, from the first page of the selected file on.
void PagePreview::showMergeStrip(std::vector<StripDocument> documents) {
    std::vector<std::vector<int>> pagesOfEachFile;
    for (const ListedFile& file : lists_.model(ListKind::Merge).files()) pagesOfEachFile.push_back(mergedPagesOf(file));
    const int selected = lists_.selectedRow(ListKind::Merge);
    int first = 0;  // the strip's place of the selected file's first page
    for (int row = 0; row < selected && row < static_cast<int>(pagesOfEachFile.size()); ++row)
        first += static_cast<int>(pagesOfEachFile[row].size());
    PageStrip& strip = *strips_[index(ListKind::Merge)];
    strip.showPages(std::move(documents), mergeStripPages(pagesOfEachFile));
    if (first < strip.model().rowCount())
        strip.view()->scrollTo(strip.model().index(first), QAbstractItemView::PositionAtTop);
}

void PagePreview::pictureReady(const QByteArray& id) {
    if (!awaitedThumbnails_.remove(id)) return;
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) showThumbnails(kind);
}
