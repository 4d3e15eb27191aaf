#pragma once
#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

#include "ui/strip_pages.h"

class PageService;

// A file a strip shows pages of.
struct StripDocument {
    std::string path;
    std::string password;
    std::string version;  // as PageKey's
    bool operator==(const StripDocument& other) const {
        return path == other.path && password == other.password && version == other.version;
    }
};

// The pages of a strip, one row each. A page's picture is asked for only when
// a view shows its row, and the service keeps a bounded number of them, so
// that a strip of thousands of pages costs little more than its rows.
class PageStripModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        MarksRole = Qt::UserRole + 1,  // the marks' numbers, joined by ", "; "" for none
        TakenRole,                     // bool
        StateRole,                     // PictureState
    };
    enum PictureState { Waiting, Drawn, Failed };

    using Translate = std::function<std::string(const std::string& key)>;

    // `translate` gives the texts of the tips in the user's language.
    PageStripModel(PageService& service, QSize box, Translate translate, QObject* parent);

    // New pages; when only their marks change, the views keep their place.
    void setPages(std::vector<StripDocument> documents, std::vector<StripPage> pages);
    const std::vector<StripPage>& pages() const { return pages_; }
    QSize box() const { return box_; }
    // Pictures of another size from now on; the views ask for them anew.
    void setBox(QSize box);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void pictureReady(const QByteArray& id);
    QString caption(int row, const QString& label) const;

    PageService& service_;
    QSize box_;
    Translate translate_;
    std::vector<StripDocument> documents_;
    std::vector<StripPage> pages_;
    mutable QHash<QByteArray, QList<int>> asked_;  // rows shown before their picture was there
};
