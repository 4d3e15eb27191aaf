#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <filesystem>

#include "settings/language_file.h"
#include "settings/language_folder.h"
#include "support/fixtures.h"

namespace {

QString languagesFolder() { return QString::fromStdString(fixtures::programFolder()) + "/languages/"; }

std::vector<LanguageEntry> entriesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return readLanguageEntries(file.readAll());
}

// The keys of a language file, case-folded, with the file's own spelling for messages.
QMap<QString, QString> keysOf(const QString& path) {
    QMap<QString, QString> keys;
    for (const LanguageEntry& entry : entriesOf(path))
        if (!entry.value.isEmpty()) keys.insert(entry.key.toCaseFolded(), entry.key);
    return keys;
}

TEST(LanguageFiles, EnglishHoldsEveryTextTheProgramAsksFor) {
    const QMap<QString, QString> english = keysOf(languagesFolder() + "English.ini");
    const char* required[] = {
        "GridFilename", "GridPath", "GridPages", "GridPassword", "MsgEnterPassw", "Statustext2", "MsgErrTab",
        "MsgErrExtension", "MsgSplitAddFile", "MsgSplitDone", "MsgErrAdd2files", "MsgMergeDone",
        "MsgErrMixAdd2files", "MsgMixDone", "MsgStructureLost", "ProtectDocuments", "groupBoxPassword",
        "settingsIntro", "LabelPass", "LabelPassConfirm", "groupBoxWatermark", "watemarkIntro",
        "cmd_select_watermark", "cmd_no_watermark", "labelPosition", "Command2", "Command3", "MsgErrListFull",
        "MsgErrMixTwoFiles", "link_website", "LinkLabel1", "mix_reverse_second", "mix_single_file",
        "LanguageCode", "CancelJob", "MsgStopJob", "MsgJobStopped", "MsgFilesExist", "MsgFileExists",
        "MsgWroteFiles", "MsgWroteFile", "MsgWroteNothing", "MsgOpenFolder", "MsgBaseNameFolder", "MsgSplitKept",
        "MsgMixKept", "MsgPasswordOf", "MsgTotalPages", "MsgPasswordsDiffer", "MsgEmptyNumber", "MsgWrongNumber",
        "MsgWrongSize", "MsgEmptyRanges", "MsgWrongRangeGroup", "MsgPagesSkipped", "MsgFolderNotOpened",
        "MsgCutsBySize", "GridSelection", "GridSelectionHint",
    };
    for (const char* key : required) EXPECT_TRUE(english.contains(QString(key).toCaseFolded())) << key;
}

TEST(LanguageFiles, EveryLanguageHoldsEveryKeyOfEnglish) {
    const QStringList files = QDir(languagesFolder()).entryList({"*.ini"}, QDir::Files);
    ASSERT_TRUE(files.contains("English.ini")) << languagesFolder().toStdString();
    ASSERT_GE(files.size(), 4);
    const QMap<QString, QString> english = keysOf(languagesFolder() + "English.ini");
    for (const QString& name : files) {
        const QMap<QString, QString> keys = keysOf(languagesFolder() + name);
        for (auto it = english.cbegin(); it != english.cend(); ++it)
            EXPECT_TRUE(keys.contains(it.key())) << name.toStdString() << " lacks " << it.value().toStdString();
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            EXPECT_TRUE(english.contains(it.key())) << name.toStdString() << " has the unknown key "
                                                    << it.value().toStdString();
        // The names the language selector shows stop at the first ".".
        EXPECT_EQ(name.count('.'), 1) << name.toStdString();
        // The About links stay links in every language.
        for (const LanguageEntry& entry : entriesOf(languagesFolder() + name)) {
            if (entry.key == "link_website" || entry.key == "LinkLabel1") {
                EXPECT_TRUE(entry.value.startsWith("<a href=\"https://splimera.brellow.org"))
                    << name.toStdString() << " " << entry.value.toStdString();
            }
        }
    }
}

TEST(LanguageFiles, FolderOffersVisibleIniFilesByTheNameBeforeTheFirstDot) {
    fixtures::TempDir folder;
    for (const char* name : {"German.ini", "pt.BR.ini", ".Hidden.ini", "notes.txt", "English.ini.bak", "Upper.INI"})
        fixtures::writeFile(folder.file(name), "TabMix=x\n");
    std::filesystem::create_directory(folder.file("Folder.ini"));
    QStringList offered = availableLanguages(QString::fromStdString(folder.path()));
    offered.sort();
    EXPECT_EQ(offered, QStringList({"German", "pt"}));
    EXPECT_EQ(availableLanguages(QString::fromStdString(folder.file("missing"))), QStringList());
    EXPECT_EQ(languageFile(QString::fromStdString(folder.path()), "pt"), QString::fromStdString(folder.file("pt.ini")));
}

}  // namespace
