#pragma once
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <list>
#include <string>

// One page of one file drawn into a box of pixels.
struct PageKey {
    std::string path;  // as the lists hold them
    std::string version;  // tells the file apart from what was there before under its name
    std::string password;
    int page = 0;  // 0-based
    QSize box;

    // Equal for equal keys, and different otherwise.
    QByteArray id() const;
};

// What became of a page: its picture, or why there is none (the picture is
// then null and a placeholder stands in for it).
struct PageImage {
    QImage image;
    QString label;        // the page label, "" when none
    QString error;        // the engine's reason for refusing the page, if it gave one
    bool tooSlow = false;  // given up on after the time limit
    bool drawn() const { return !image.isNull(); }
};

// The pictures drawn last, up to a number of bytes: the least recently used
// ones go first when a new one needs room.
class PagePictureCache {
public:
    explicit PagePictureCache(qsizetype maxBytes) : maxBytes_(maxBytes) {}

    // The entry of the id, now the most recently used; null when there is none.
    const PageImage* find(const QByteArray& id);
    void insert(const QByteArray& id, PageImage image);
    // Entries of files that may have changed, or whose password changed, go.
    void clear();

    qsizetype bytes() const { return bytes_; }
    int count() const { return static_cast<int>(entries_.size()); }

private:
    static qsizetype bytesOf(const PageImage& image);
    using Entry = std::pair<QByteArray, PageImage>;

    qsizetype maxBytes_;
    qsizetype bytes_ = 0;
    std::list<Entry> entries_;  // the most recently used first
    QHash<QByteArray, std::list<Entry>::iterator> index_;
};
