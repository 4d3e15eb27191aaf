#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>

#include "qt_application.h"
#include "ui/language_look.h"

namespace {

// A language whose script the Latin font lacks gets a font of that script
// after it, one made for the language where the script's letters differ by
// region (Japanese shapes for Japanese, not Chinese ones); a script the Latin
// font has keeps that font alone. A row is left out where the
// machine has no font of the script.
TEST(LanguageLook, ScriptsBeyondLatinFollowTheBaseFontWithTheirOwn) {
    ensureQtApplication();
    const QString latin = windowFont("en").families().value(0);
    EXPECT_EQ(windowFont("de").families(), QStringList{latin});
    EXPECT_EQ(windowFont("").families(), QStringList{latin});
    const struct {
        const char* code;
        QFontDatabase::WritingSystem system;
        const char* mark;
    } scripts[] = {{"ar", QFontDatabase::Arabic, ""},
                   {"ja", QFontDatabase::Japanese, "JP"},
                   {"ko", QFontDatabase::Korean, "KR"},
                   {"zh_CN", QFontDatabase::SimplifiedChinese, "SC"}};
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.code);
        if (QFontDatabase::families(script.system).isEmpty()) continue;
        const QStringList families = windowFont(script.code).families();
        if (QFontDatabase::writingSystems(QFontInfo(windowFont("en")).family()).contains(script.system)) {
            EXPECT_EQ(families, QStringList{latin});
            continue;
        }
        ASSERT_EQ(families.size(), 2);
        EXPECT_EQ(families[0], latin);
        EXPECT_TRUE(QFontDatabase::writingSystems(families[1]).contains(script.system)) << families[1].toStdString();
        // Where the script's letters differ by region, a font made for the language.
        const QStringList installed = QFontDatabase::families(script.system);
        const bool madeForIt = std::any_of(installed.begin(), installed.end(),
                                           [&](const QString& family) { return family.contains(script.mark); });
        if (*script.mark != '\0' && madeForIt) {
            EXPECT_TRUE(families[1].contains(script.mark)) << families[1].toStdString();
        }
    }
}

TEST(LanguageLook, RightToLeftLanguagesRunRightToLeft) {
    for (const char* code : {"ar", "he"}) EXPECT_EQ(layoutDirectionOf(code), Qt::RightToLeft) << code;
    for (const char* code : {"", "en", "de", "ja", "zh_CN", "pt_BR"}) EXPECT_EQ(layoutDirectionOf(code), Qt::LeftToRight) << code;
}

}  // namespace

TEST(LanguageLook, NumberListsReadLeftToRightInsideAnyText) {
    const QString lri(QChar(0x2066)), pdi(QChar(0x2069));
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("مثال: 1-4,6,9-10;5,6;12;"), QStringLiteral("مثال: ") + lri + "1-4,6,9-10;5,6;12;" + pdi},
        {QStringLiteral("a 3 b 4-5"), "a " + lri + "3" + pdi + " b " + lri + "4-5" + pdi},
        {QStringLiteral("no numbers"), QStringLiteral("no numbers")},
    };
    for (const auto& [text, isolated] : cases) EXPECT_EQ(isolateNumberLists(text), isolated) << text.toStdString();
}
