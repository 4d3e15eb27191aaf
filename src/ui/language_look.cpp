#include "ui/language_look.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLocale>

namespace {

QLocale localeOf(const QString& languageCode) {
    return languageCode.isEmpty() ? QLocale(QLocale::English) : QLocale(languageCode);
}

// The writing system of a script the Latin fonts do not cover, or Any.
QFontDatabase::WritingSystem ownWritingSystem(QLocale::Script script) {
    switch (script) {
    case QLocale::ArabicScript: return QFontDatabase::Arabic;
    case QLocale::HebrewScript: return QFontDatabase::Hebrew;
    case QLocale::SimplifiedHanScript: return QFontDatabase::SimplifiedChinese;
    case QLocale::TraditionalHanScript: return QFontDatabase::TraditionalChinese;
    case QLocale::JapaneseScript: return QFontDatabase::Japanese;
    case QLocale::KoreanScript: return QFontDatabase::Korean;
    default: return QFontDatabase::Any;
    }
}

// An installed sans font of the writing system, else any of its fonts, else "".
QString familyFor(QFontDatabase::WritingSystem system) {
    const QStringList families = QFontDatabase::families(system);
    for (const QString& family : families)
        if (family.contains(QLatin1String("Sans")) && !family.contains(QLatin1String("Mono"))) return family;
    return families.value(0);
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
    const QFontDatabase::WritingSystem system = ownWritingSystem(localeOf(languageCode).script());
    if (system == QFontDatabase::Any) return font;
    const QString family = familyFor(system);
    if (!family.isEmpty()) font.setFamilies({font.family(), family});
    return font;
}
