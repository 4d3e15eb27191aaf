#include <gtest/gtest.h>

#include <QFileInfo>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

#include "settings/settings_store.h"
#include "support/fixtures.h"

namespace {

const QString settingNames[] = {SettingOutputPdfPassword, SettingWatermarkPath, SettingWatermarkX, SettingWatermarkY,
                                SettingLanguage};

// Every test starts from a store that was never written (the configuration
// folder is a private temporary one, see test_environment.cpp).
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        location_ = settingsLocation().toStdString();
        ASSERT_NE(location_.find("splimera-test-"), std::string::npos) << location_;
        std::filesystem::remove_all(std::filesystem::path(location_).parent_path());
    }
    unsigned permissions() const {
        struct stat status {};
        EXPECT_EQ(::stat(location_.c_str(), &status), 0) << location_;
        return status.st_mode & 0777;
    }
    std::string location_;
};

TEST_F(SettingsStore, FreshStoreGivesEmptyTexts) {
    for (const QString& name : settingNames) EXPECT_EQ(readSetting(name), "") << name.toStdString();
    EXPECT_EQ(ReadRegistryValue(RegistryRoot::CurrentUser, "Software\\Brellow\\Nothing", "Language").toString(), "");
    EXPECT_EQ(ReadRegistryValue(RegistryRoot::CurrentUser, "NotAKeyPath", "Language").toString(), "");
    EXPECT_FALSE(fixtures::fileExists(location_));  // reading creates nothing
}

TEST_F(SettingsStore, TextsComeBackAsWritten) {
    const QString texts[] = {
        "",  "s3cret", "p@ss=w;rd #1 [x]", "/home/me/logo, final.png", "  blanks around  ", "Français",
        "C:\\Pictures\\mark.png", "line\nbreak", "\"quoted\"", "@Variant(not really)",
    };
    for (const QString& text : texts) {
        writeSetting("outputPdfPassword", text);
        writeSetting("Language", text + "!");
        EXPECT_EQ(readSetting("outputPdfPassword"), text) << text.toStdString();
        EXPECT_EQ(readSetting("Language"), text + "!") << text.toStdString();
    }
    EXPECT_EQ(readSetting("watermarkPath"), "");
}

TEST_F(SettingsStore, IntegerAndHandWrittenValuesReadAsText) {
    WriteRegistryValue(RegistryRoot::CurrentUser, SplimeraRegistryKey, "watermarkX", 120, RegistryInteger);
    WriteRegistryValue(RegistryRoot::CurrentUser, SplimeraRegistryKey, "watermarkY", "75", RegistryInteger);
    EXPECT_EQ(readSetting("watermarkX"), "120");
    EXPECT_EQ(readSetting("watermarkY"), "75");

    // A file edited by hand: an unquoted comma must not cut the path.
    fixtures::writeFile(location_, "[General]\nwatermarkPath=/a/b,c.png\nwatermarkX=7\n");
    EXPECT_EQ(readSetting("watermarkPath"), "/a/b,c.png");
    EXPECT_EQ(readSetting("watermarkX"), "7");
}

TEST_F(SettingsStore, DataTypesThatCannotBeWrittenFail) {
    const auto write = [](const char* name, const QVariant& value, unsigned char type) {
        WriteRegistryValue(RegistryRoot::CurrentUser, SplimeraRegistryKey, name, value, type);
    };
    EXPECT_THROW(write("watermarkX", "wide", RegistryInteger), std::runtime_error);
    EXPECT_THROW(write("watermarkX", "1", 9), std::runtime_error);
    EXPECT_THROW(write("watermarkX", "1", RegistryKeepType), std::runtime_error);  // nothing stored yet
    write("watermarkX", "1", RegistryString);
    write("watermarkX", "2", RegistryKeepType);
    EXPECT_EQ(readSetting("watermarkX"), "2");
    EXPECT_THROW(WriteRegistryValue(RegistryRoot::CurrentUser, "NotAKeyPath", "watermarkX", "1", RegistryString),
                 std::runtime_error);
}

TEST_F(SettingsStore, FileIsReadableByItsOwnerOnly) {
    writeSetting("outputPdfPassword", "s3cret");
    EXPECT_EQ(permissions(), 0600u);
    writeSetting("watermarkPath", "/p.png");
    EXPECT_EQ(permissions(), 0600u);

    // A file made readable by others, for example by hand, is closed again
    // before the next write.
    ASSERT_EQ(::chmod(location_.c_str(), 0644), 0);
    writeSetting("outputPdfPassword", "other");
    EXPECT_EQ(permissions(), 0600u);
    EXPECT_EQ(readSetting("watermarkPath"), "/p.png");
}

TEST_F(SettingsStore, FailedWriteNamesSettingPlaceAndReason) {
    const std::filesystem::path folder = std::filesystem::path(location_).parent_path();
    std::filesystem::create_directories(folder.parent_path());
    fixtures::writeFile(folder.string(), "a file where the folder should be");
    try {
        writeSetting("watermarkY", "50");
        FAIL() << "the write succeeded";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"watermarkY\""), std::string::npos) << message;
        EXPECT_NE(message.find(location_), std::string::npos) << message;
        EXPECT_NE(message.find("Not a directory"), std::string::npos) << message;
    }
    std::filesystem::remove(folder);
    EXPECT_EQ(readSetting("watermarkY"), "");
}

}  // namespace
