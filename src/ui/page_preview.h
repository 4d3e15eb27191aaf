#pragma once
#include <QObject>
#include <QSet>
#include <QSize>
#include <array>

#include "ui/file_lists.h"
#include "ui/page_strip_model.h"

class PageService;
class PageStrip;
class TabListControls;

// The pictures of pages in the job tabs: a small picture of the first page of
// every listed file in its grid row (and a larger one in the row's tip), and each tab's strip of pages: the split
// file's pages marked where the chosen method cuts, the merged pages, the
// pages of the first file a mix writes. Strips follow the files,
// the selection and the tabs' choices as they change. The Merge tab's strip
// shows the merged pages in their order, from the selected file's on.
class PagePreview : public QObject {
    Q_OBJECT
public:
    // Places a strip in each job tab; `translate` gives the texts of its tips.
    PagePreview(FileLists& lists, TabListControls& tabs, PageStripModel::Translate translate, QObject* parent);

    // The list's files changed.
    void update(ListKind kind);

    PageService& service() const { return *service_; }
    PageStrip& strip(ListKind kind) const { return *strips_[index(kind)]; }
    static QSize thumbnailBox() { return {16, 20}; }
    // The first page as a file's tip shows it, large enough to tell the page by.
    static QSize tipPictureBox() { return {180, 240}; }

private:
    static std::size_t index(ListKind kind) { return static_cast<std::size_t>(kind) - 1; }
    void showThumbnails(ListKind kind);
    void showStrip(ListKind kind);
    void showMergeStrip(std::vector<StripDocument> documents);
    // Follows the selection of the merge list and the choices of the other tabs.
    void followChoices(ListKind kind);
    void pictureReady(const QByteArray& id);

    FileLists& lists_;
    TabListControls& tabs_;
    PageStripModel::Translate translate_;
    PageService* service_;
    std::array<PageStrip*, 3> strips_{};
    QSet<QByteArray> awaitedThumbnails_;
};
