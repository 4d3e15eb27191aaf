#include "ui/page_picture_cache.h"

QByteArray PageKey::id() const {
    // A NUL cannot occur in a path; the password goes last, where it may.
    const std::string numbers = std::to_string(page) + ' ' + std::to_string(box.width()) + 'x' +
                                std::to_string(box.height());
    std::string whole = path;
    whole += '\0';
    whole += version;
    whole += '\0';
    whole += numbers;
    whole += '\0';
    whole += password;
    return QByteArray(whole.data(), static_cast<qsizetype>(whole.size()));
}

qsizetype PagePictureCache::bytesOf(const PageImage& image) {
    // The texts are small; a failed page still counts, so that failures cannot pile up unbounded.
    return image.image.sizeInBytes() + 64 + (image.label.size() + image.error.size()) * 2;
}

const PageImage* PagePictureCache::find(const QByteArray& id) {
    const auto found = index_.constFind(id);
    if (found == index_.constEnd()) return nullptr;
    entries_.splice(entries_.begin(), entries_, found.value());
    return &entries_.front().second;
}

void PagePictureCache::insert(const QByteArray& id, PageImage image) {
    if (const auto found = index_.constFind(id); found != index_.constEnd()) {
        bytes_ -= bytesOf(found.value()->second);
        entries_.erase(found.value());
        index_.erase(found);
    }
    bytes_ += bytesOf(image);
    entries_.emplace_front(id, std::move(image));
    index_.insert(id, entries_.begin());
    // The newest entry stays even when it alone is over the limit.
    while (bytes_ > maxBytes_ && entries_.size() > 1) {
        const Entry& oldest = entries_.back();
        bytes_ -= bytesOf(oldest.second);
        index_.remove(oldest.first);
        entries_.pop_back();
    }
}

void PagePictureCache::clear() {
    entries_.clear();
    index_.clear();
    bytes_ = 0;
}
