#include "ui/page_strip_model.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <QPixmap>

#include "ui/page_placeholder.h"
#include "ui/page_service.h"

PageStripModel::PageStripModel(PageService& service, QSize box, Translate translate, QObject* parent)
    : QAbstractListModel(parent), service_(service), box_(box), translate_(std::move(translate)) {
    connect(&service_, &PageService::pictureReady, this, &PageStripModel::pictureReady);
}

void PageStripModel::setBox(QSize box) {
    if (box == box_) return;
    beginResetModel();
    box_ = box;
    asked_.clear();
    endResetModel();
}

void PageStripModel::setPages(std::vector<StripDocument> documents, std::vector<StripPage> pages) {
    const auto samePlace = [](const StripPage& a, const StripPage& b) {
        return a.document == b.document && a.page == b.page;
    };
    if (!pages_.empty() && documents == documents_ &&
        std::equal(pages.begin(), pages.end(), pages_.begin(), pages_.end(), samePlace)) {
        pages_ = std::move(pages);
        emit dataChanged(index(0), index(rowCount() - 1), {MarksRole, TakenRole});
        return;
    }
    beginResetModel();
    documents_ = std::move(documents);
    pages_ = std::move(pages);
    asked_.clear();
    endResetModel();
}

int PageStripModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(pages_.size());
}

QVariant PageStripModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const StripPage& page = pages_[index.row()];
    const StripDocument& document = documents_.at(page.document);
    const PageKey key{document.path, document.version, document.password, page.page, box_};

    switch (role) {
    case MarksRole: {
        QStringList numbers;
        for (int mark : page.marks) numbers << QString::number(mark);
        return numbers.join(QStringLiteral(", "));
    }
    case TakenRole: return page.taken;
    case Qt::DisplayRole:
    case Qt::DecorationRole:
    case Qt::ToolTipRole:
    case StateRole: break;
    default: return {};
    }

    // Only these ask for the picture: a view asks for them of the rows it shows.
    const PageImage* image = service_.picture(key);
    if (!image) asked_[key.id()].append(index.row());
    const PictureState state = !image ? Waiting : image->drawn() ? Drawn : Failed;
    switch (role) {
    case StateRole: return state;
    case Qt::DisplayRole: return caption(index.row(), image ? image->label : QString());
    case Qt::DecorationRole:
        if (state == Drawn) return QPixmap::fromImage(image->image);
        return pagePlaceholder(box_, state == Failed);
    default: {
        QString tip = QFileInfo(QFile::decodeName(QByteArray::fromStdString(document.path))).fileName() +
                      QStringLiteral(", ") +
                      QString::number(page.page + 1);
        if (state == Failed) tip += QLatin1Char('\n') + whyNotDrawn(*image, translate_);
        return tip;
    }
    }
}

// The page's number, with the file's number when the strip shows two files
// and the page's label when it has one of its own.
QString PageStripModel::caption(int row, const QString& label) const {
    const StripPage& page = pages_[row];
    QString text = QString::number(page.page + 1);
    if (documents_.size() > 1) text = QString::number(page.document + 1) + QStringLiteral(": ") + text;
    if (!label.isEmpty() && label != QString::number(page.page + 1)) text += QStringLiteral(" (") + label + ')';
    return text;
}

void PageStripModel::pictureReady(const QByteArray& id) {
    const auto rows = asked_.find(id);
    if (rows == asked_.end()) return;
    const QList<int> changed = rows.value();
    asked_.erase(rows);
    for (int row : changed)
        if (row < rowCount()) emit dataChanged(index(row), index(row));
}
