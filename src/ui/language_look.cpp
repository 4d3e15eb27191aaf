#include "ui/language_look.h"

#include <QRegularExpression>

#include <QFontDatabase>
#include <QFontInfo>
#include <QLocale>

namespace {

QLocale localeOf(const QString& languageCode) {
    return languageCode.isEmpty() ? QLocale(QLocale::English) : QLocale(languageCode);
}

// A script the Latin fonts do not cover: its writing system, and for a script
// whose letters differ by region, what the names of fonts made for its
// language hold (Japanese rather than Chinese Han).
struct OwnScript {
    QLocale::Script script;
    QFontDatabase::WritingSystem system;
    const char* nameMark;
};

constexpr OwnScript ownScripts[] = {
    {QLocale::ArabicScript, QFontDatabase::Arabic, nullptr},
    {QLocale::HebrewScript, QFontDatabase::Hebrew, nullptr},
    {QLocale::SimplifiedHanScript, QFontDatabase::SimplifiedChinese, " SC"},
    {QLocale::TraditionalHanScript, QFontDatabase::TraditionalChinese, " TC"},
    {QLocale::JapaneseScript, QFontDatabase::Japanese, " JP"},
    {QLocale::KoreanScript, QFontDatabase::Korean, " KR"},
};

// The best installed font of the script, "" when none covers it: one made for
// the language first; then one with Latin letters too, so that the digits and
// Latin words among the script's words keep the line heights the window is
// laid out for; a sans font before others; a monospaced one last.
QString familyFor(const OwnScript& script) {
    QString best;
    int bestRank = -1;
    for (const QString& family : QFontDatabase::families(script.system)) {
        const bool madeForIt = script.nameMark != nullptr && family.contains(QLatin1String(script.nameMark));
        const int rank = (madeForIt ? 8 : 0) +
                         (QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin) ? 4 : 0) +
                         (family.contains(QLatin1String("Sans")) ? 2 : 0) +
                         (family.contains(QLatin1String("Mono")) ? 0 : 1);
        if (rank > bestRank) {
            best = family;
            bestRank = rank;
        }
    }
    return best;
}

QFont baseFont() {
    QFont font(QStringLiteral("Segoe UI"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    if (QFontInfo(font).family() != QLatin1String("Segoe UI")) {
        font = QFont(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(12);
    }
    return font;
}

}  // namespace

Qt::LayoutDirection layoutDirectionOf(const QString& languageCode) {
    return localeOf(languageCode).textDirection();
}

QFont windowFont(const QString& languageCode) {
    QFont font = baseFont();
    const QLocale::Script script = localeOf(languageCode).script();
    const QList<QFontDatabase::WritingSystem> covered = QFontDatabase::writingSystems(QFontInfo(font).family());
    for (const OwnScript& own : ownScripts) {
        if (own.script != script || covered.contains(own.system)) continue;
        const QString family = familyFor(own);
        if (!family.isEmpty()) font.setFamilies({font.family(), family});
    }
    return font;
}

QString isolateNumberLists(const QString& text) {
    static const QRegularExpression numberList(QStringLiteral("[0-9][0-9,;\\-]*"));
    QString result;
    qsizetype done = 0;
    for (auto match = numberList.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        result += text.mid(done, found.capturedStart() - done);
        result += QChar(0x2066) + found.captured() + QChar(0x2069);  // LEFT-TO-RIGHT ISOLATE ... POP DIRECTIONAL ISOLATE
        done = found.capturedEnd();
    }
    return result + text.mid(done);
}
