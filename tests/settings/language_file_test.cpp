#include <gtest/gtest.h>

#include <QStringEncoder>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "settings/language_file.h"

namespace {

using Entries = std::vector<std::pair<QString, QString>>;

Entries entriesOf(const QByteArray& bytes) {
    Entries entries;
    for (const LanguageEntry& entry : readLanguageEntries(bytes)) entries.emplace_back(entry.key, entry.value);
    return entries;
}

QByteArray encoded(QStringConverter::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

std::string shown(const Entries& entries) {
    std::string text;
    for (const auto& [key, value] : entries) text += "[" + key.toStdString() + "|" + value.toStdString() + "]";
    return text;
}

TEST(LanguageFile, SplitsTrimsAndSkipsLines) {
    const struct {
        const char* what;
        QByteArray bytes;
        Entries expected;
    } cases[] = {
        {"lower-case key kept as written", "tabmerge=Fusion\n", {{"tabmerge", "Fusion"}}},
        {"split at the first =", "MsgX =  a = b \r\n", {{"MsgX", "a = b"}}},
        {"section header and empty line", "[Messages]\n\nA=1\n[a=b]\n", {{"A", "1"}}},
        {"; starts no comment", ";TabMerge=x\n", {{";TabMerge", "x"}}},
        {"empty value kept as a removal", "GridPath=\nGridPages= \t\n", {{"GridPath", ""}, {"GridPages", ""}}},
        {"blanks and control characters trimmed", "\t A\x01 = \x02 v w\t\x1f", {{"A", "v w"}}},
        {"no-break spaces belong to the text", "A=\xC2\xA0x :\xC2\xA0", {{"A", QString::fromUtf8("\xC2\xA0x :\xC2\xA0")}}},
        {"CR only", "A=1\rB=2\r", {{"A", "1"}, {"B", "2"}}},
        {"CR LF, LF and CR mixed", "A=1\r\nB=2\n\r\nC=3\rD=4", {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}}},
        {"line without = skipped", "just words\nA=1", {{"A", "1"}}},
        {"nothing before the =", "=orphan\n  =x\nA=1", {{"A", "1"}}},
        {"a blank before [ makes no header", " [x]=y", {{"[x]", "y"}}},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[S]\nA=\xC3\xA4", {{"A", QString::fromUtf8("\xC3\xA4")}}},
        {"UTF-8 without a mark", "A=\xC3\xA9t\xC3\xA9", {{"A", QString::fromUtf8("\xC3\xA9t\xC3\xA9")}}},
        {"UTF-16 LE with mark", encoded(QStringConverter::Utf16LE, QString::fromUtf8("[S]\r\nA=\xC3\xBC\r\nB = x=y")),
         {{"A", QString::fromUtf8("\xC3\xBC")}, {"B", "x=y"}}},
        {"UTF-16 BE with mark", encoded(QStringConverter::Utf16BE, QString::fromUtf8("A=\xE2\x82\xAC\rB=2")),
         {{"A", QString::fromUtf8("\xE2\x82\xAC")}, {"B", "2"}}},
        {"broken UTF-8 gives replacement characters", "A=x\xFFy", {{"A", QString::fromUtf8("x\xEF\xBF\xBDy")}}},
        {"empty file", "", {}},
        {"later line with the same key still listed", "A=1\na=2", {{"A", "1"}, {"a", "2"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(shown(entriesOf(c.bytes)), shown(c.expected)) << c.what;
}

TEST(LanguageFile, OddByteInUtf16AndStrayMarksDoNotBreakReading) {
    QByteArray bytes = encoded(QStringConverter::Utf16LE, "A=1\nB=2");
    bytes.append('C');  // half a character at the end
    const Entries entries = entriesOf(bytes);
    ASSERT_GE(entries.size(), 1u);
    EXPECT_EQ(entries[0], std::make_pair(QString("A"), QString("1")));
    // A mark that is only half there is ordinary text.
    EXPECT_EQ(shown(entriesOf("\xFF" "A=1")), shown({{QString::fromUtf8("\xEF\xBF\xBD" "A"), "1"}}));
}

// Random bytes made mostly of the characters that matter to the reader: every
// entry it gives must be well formed, whatever the input.
TEST(LanguageFile, AnyBytesGiveWellFormedEntries) {
    const char alphabet[] = {'=', '[', '\r', '\n', ' ', '\t', '\0', ';', 'a', 'B', '\xC3', '\xA4', '\xFE', '\xFF'};
    std::mt19937 random(20240607);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(random() % 40);
        for (int i = 0; i < size; ++i) bytes.append(alphabet[random() % sizeof alphabet]);
        for (const LanguageEntry& entry : readLanguageEntries(bytes)) {
            const std::string shownBytes = bytes.toHex().toStdString();
            ASSERT_FALSE(entry.key.isEmpty()) << shownBytes;
            EXPECT_EQ(entry.key, trimBlanksAndControls(entry.key)) << shownBytes;
            EXPECT_EQ(entry.value, trimBlanksAndControls(entry.value)) << shownBytes;
            EXPECT_FALSE(entry.key.contains(u'=') || entry.key.contains(u'\r') || entry.key.contains(u'\n'));
            EXPECT_FALSE(entry.value.contains(u'\r') || entry.value.contains(u'\n')) << shownBytes;
        }
    }
}

}  // namespace
