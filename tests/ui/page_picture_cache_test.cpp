#include <gtest/gtest.h>

#include "ui/page_picture_cache.h"

namespace {

PageImage pictureOf(int width, int height) { return {QImage(width, height, QImage::Format_ARGB32), {}, {}}; }

// The least recently used pictures go first once the bytes run out; a
// picture looked at since counts as new.
TEST(PagePictureCache, KeepsTheRecentlyUsedWithinItsBytes) {
    const qsizetype picture = pictureOf(10, 10).image.sizeInBytes();
    PagePictureCache cache(3 * picture + 3 * 64 + 10);
    for (const char* id : {"a", "b", "c"}) cache.insert(id, pictureOf(10, 10));
    ASSERT_NE(cache.find("a"), nullptr);  // "b" is now the oldest
    cache.insert("d", pictureOf(10, 10));
    EXPECT_EQ(cache.find("b"), nullptr);
    for (const char* id : {"a", "c", "d"}) EXPECT_NE(cache.find(id), nullptr) << id;
    EXPECT_LE(cache.bytes(), 3 * picture + 3 * 64 + 10);

    // Replacing an entry does not count it twice; one larger than the whole cache still stays alone.
    cache.insert("d", pictureOf(10, 10));
    EXPECT_EQ(cache.count(), 3);
    cache.insert("huge", pictureOf(100, 100));
    EXPECT_EQ(cache.count(), 1);
    EXPECT_NE(cache.find("huge"), nullptr);
}

TEST(PagePictureCache, KeysTellEveryPartApart) {
    const PageKey key{"/a.pdf", "1 2", "pw", 3, {48, 60}};
    PageKey other[] = {key, key, key, key, key};
    other[0].path = "/b.pdf";
    other[1].version = "1 3";
    other[2].password = "pw2";
    other[3].page = 4;
    other[4].box = {60, 48};
    for (const PageKey& changed : other) EXPECT_NE(changed.id(), key.id());
    EXPECT_EQ(PageKey(key).id(), key.id());
}

}  // namespace
