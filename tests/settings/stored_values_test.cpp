#include <gtest/gtest.h>

#include <QSettings>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_settings.h"
#include "settings/settings.h"
#include "settings/stored_values.h"
#include "support/fixtures.h"
#include "support/private_config.h"

namespace {

std::string qtText(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(',')).toStdString();
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) return value.toString().toStdString();
    return "";
}

// Every text QSettings writes reads back the same without Qt.
TEST(StoredValues, ReadsWhatQSettingsWrites) {
    const std::vector<std::string> texts = {
        "plain", "/home/me/logo, final.png", "a,b,,c", "\"quoted\"", "say \"hi\", then go", "C:\\Pictures\\mark.png",
        "\\\\server\\share", "  blanks around  ", "\ttab first", "trailing tab\t", "", "@", "@@", "@Variant(1)",
        "@ByteArray(x)", "@String(y)", "@Invalid()", "@plain", "50", "-75", "1e5", "Français", "日本語 ✓",
        "x;y=z # [w]", "line\nbreak\r\nand\ttab", "bell\a and escape\x1b", "back\\slash at end\\", "%41%U0042",
        std::string("nul\0inside", 10), "0x1F \\x41 \\101",
    };
    const fixtures::TempDir folder;
    const std::string path = folder.file("written.conf");
    {
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        for (std::size_t i = 0; i < texts.size(); ++i)
            settings.setValue(QString::fromStdString("key" + std::to_string(i)), QString::fromStdString(texts[i]));
        settings.setValue(QStringLiteral("number"), 120);
        settings.setValue(QStringLiteral("bytes"), QByteArray("b\xC3\xA4ytes\x01"));
        settings.setValue(QStringLiteral("odd key %/=;"), QStringLiteral("under an escaped key"));
        settings.setValue(QStringLiteral("Schlüssel ✓"), QStringLiteral("under a non-ASCII key"));
        settings.setValue(QStringLiteral("General"), QStringLiteral("named like the section"));
        settings.setValue(QStringLiteral("group/inner"), QStringLiteral("not top-level"));
        settings.setValue(QStringLiteral("list"), QStringList{"a", " b ", "@c", "@@d"});
    }
    const auto values = readIniTopLevelValues(fixtures::readFile(path));
    const auto valueOf = [&](const std::string& key) {
        const auto found = values.find(key);
        return found == values.end() ? std::string("<missing>") : found->second;
    };
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(valueOf("key" + std::to_string(i)), texts[i]) << texts[i];
    EXPECT_EQ(valueOf("number"), "120");
    EXPECT_EQ(valueOf("bytes"), "b\xC3\xA4ytes\x01");
    EXPECT_EQ(valueOf("odd key %/=;"), "<missing>");  // "/" makes it a group's key
    EXPECT_EQ(valueOf("Schlüssel ✓"), "under a non-ASCII key");
    EXPECT_EQ(valueOf("General"), "named like the section");
    EXPECT_EQ(valueOf("inner"), "<missing>");
    EXPECT_EQ(valueOf("list"), "a, b ,@c,@@d");
}

// Files written by hand read as QSettings reads them.
TEST(StoredValues, ReadsHandWrittenFilesAsQSettingsDoes) {
    const char* files[] = {
        "watermarkPath=/a/b,c.png\nwatermarkX = 7 \n",
        "[General]\nwatermarkPath = \"  kept blanks \" \nwatermarkX=a, b ,c\nwatermarkY=\"x,y\",z\n",
        "; a comment\n[general]\nwatermarkPath=value ; a comment after it\nLanguage=Deutsch\n",
        "[Other]\nwatermarkPath=elsewhere\n[General]\nwatermarkX=1\n[More]\nwatermarkY=2\n",
        "\xEF\xBB\xBFwatermarkPath=after a mark\r\nwatermarkX=1\r\nwatermarkX=2\r\n",
        "watermarkPath=first \\\n  second line\nwatermarkX=\"over\ntwo lines\"\n",
        "watermarkPath=\\x41\\x42C \\101\\102 \\q\\? \\u00e9\nwatermark%58=escaped key\n",
        "watermarkPath=@String(text)\nwatermarkX=@ByteArray(bytes)\nwatermarkY=@@at\nLanguage=@Rect(1 2 3 4)\n",
        "watermarkPath=@a,b\nwatermarkX=@@a,b\nwatermarkY=\nLanguage\n",
        "  watermarkPath  =  \t spaced \t \nwatermarkX=\"\"\nwatermarkY=\" \"\n",
        "[%General]\nwatermarkPath=a group named General\n",
    };
    const char* names[] = {"watermarkPath", "watermarkX", "watermarkY", "Language"};
    const fixtures::TempDir folder;
    int number = 0;
    for (const char* file : files) {
        const std::string path = folder.file("hand" + std::to_string(++number) + ".conf");
        fixtures::writeFile(path, file);
        const QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        const auto values = readIniTopLevelValues(file);
        for (const char* name : names) {
            const auto found = values.find(name);
            EXPECT_EQ(found == values.end() ? std::string() : found->second, qtText(settings, QString::fromLatin1(name)))
                << name << " in\n" << file;
        }
    }
}

// QSettings reads a value missing from the user's file from the
// organisation's file, then from the system's folders. Its folders are fixed
// when a process first uses it, so the comparison runs in a fresh run of
// this test with the folders set.
TEST(StoredValues, LookInTheFilesQSettingsFallsBackOn) {
    const char* names[] = {"a", "b", "c", "d", "e", "f", "g", "missing"};
    if (const char* userFolder = std::getenv("SPLIMERA_FALLBACK_CHECK")) {
        ::setenv("XDG_CONFIG_HOME", userFolder, 1);  // the test environment set its own
        const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Brellow", "Splimera");
        const SettingReader read = storedValuesReader();
        for (const char* name : names) EXPECT_EQ(read(name), qtText(settings, QString::fromLatin1(name))) << name;
        return;
    }
    const fixtures::TempDir folder;
    const auto write = [&](const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(folder.file(path)).parent_path());
        fixtures::writeFile(folder.file(path), text);
    };
    write("user/Brellow/Splimera.conf", "a=user application\n");
    write("user/Brellow.conf", "a=user organisation\nb=user organisation\n");
    write("system1/Brellow/Splimera.conf", "b=first system application\nc=first system application\n");
    write("system2/Brellow/Splimera.conf", "c=second system application\nd=second system application\n");
    write("system1/Brellow.conf", "d=first system organisation\ne=first system organisation\n");
    write("system2/Brellow.conf", "e=second system organisation\nf=second system organisation\ng=\n");
    const std::string command = "SPLIMERA_FALLBACK_CHECK='" + folder.file("user") + "' XDG_CONFIG_DIRS='" +
                                folder.file("system1") + "::" + folder.file("system2") + "' '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --gtest_filter=StoredValues.LookInTheFilesQSettingsFallsBackOn >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << "the readers differ; run: " << command;
}

// The job commands read the store the window writes.
TEST(StoredValues, ReadTheWindowsStore) {
    EXPECT_EQ(storedValuesLocation(), Settings::location().toStdString());
    Settings settings;
    settings.setWatermarkPath("/pictures/mark, final.png");
    settings.setWatermarkX("12");
    settings.setLanguage("Français");
    const SettingReader read = storedValuesReader();
    EXPECT_EQ(read(Settings::WatermarkPathName), "/pictures/mark, final.png");
    EXPECT_EQ(read(Settings::WatermarkXName), "12");
    EXPECT_EQ(read(Settings::LanguageName), "Français");
    EXPECT_EQ(read("noSuchSetting"), "");
    const Protection protection = protectionFrom(read);
    EXPECT_EQ(protection.watermarkPath, "/pictures/mark, final.png");
    EXPECT_EQ(protection.outputPassword, settings.outputPassword());
}

}  // namespace
