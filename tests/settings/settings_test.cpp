#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"

namespace {

// Every test starts from a store that was never written (the configuration
// folder is a private temporary one, see test_environment.cpp).
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        location_ = Settings::location().toStdString();
        ASSERT_NE(location_.find("splimera-test-"), std::string::npos) << location_;
        std::filesystem::remove_all(std::filesystem::path(location_).parent_path());
    }
    unsigned permissions() const {
        struct stat status {};
        EXPECT_EQ(::stat(location_.c_str(), &status), 0) << location_;
        return status.st_mode & 0777;
    }
    std::string location_;
    Settings settings;
};

TEST_F(SettingsStore, FreshStoreGivesEmptyTexts) {
    EXPECT_EQ(settings.outputPassword(), "");
    EXPECT_EQ(settings.watermarkPath(), "");
    EXPECT_EQ(settings.watermarkX(), "");
    EXPECT_EQ(settings.watermarkY(), "");
    EXPECT_EQ(settings.language(), "");
    EXPECT_EQ(settings.read("noSuchSetting"), "");
    EXPECT_FALSE(fixtures::fileExists(location_));  // reading creates nothing
    const std::filesystem::path file(location_);
    EXPECT_EQ(file.filename(), "Splimera.conf");
    EXPECT_EQ(file.parent_path().filename(), "Brellow");
}

TEST_F(SettingsStore, TextsComeBackAsWrittenUnderTheirNames) {
    const std::string texts[] = {
        "",  "s3cret", "p@ss=w;rd #1 [x]", "/home/me/logo, final.png", "  blanks around  ", "Français",
        "C:\\Pictures\\mark.png", "line\nbreak", "\"quoted\"", "@Variant(not really)",
    };
    for (const std::string& text : texts) {
        settings.setOutputPassword(text);
        settings.setLanguage(text + "!");
        EXPECT_EQ(settings.outputPassword(), text) << text;
        EXPECT_EQ(settings.language(), text + "!") << text;
    }
    EXPECT_EQ(settings.watermarkPath(), "");

    settings.setWatermarkPath("/p.png");
    settings.setWatermarkX("10");
    settings.setWatermarkY("20");
    const Protection protection = settings.protection();
    EXPECT_EQ(protection.outputPassword, texts[std::size(texts) - 1]);
    EXPECT_EQ(protection.watermarkPath, "/p.png");
    EXPECT_EQ(protection.watermarkX, "10");
    EXPECT_EQ(protection.watermarkY, "20");

    // The names in the file are the ones other versions of the program read.
    QSettings file(QString::fromStdString(location_), QSettings::IniFormat);
    EXPECT_EQ(file.value("outputPdfPassword").toString(), "@Variant(not really)");
    EXPECT_EQ(file.value("watermarkPath").toString(), "/p.png");
    EXPECT_EQ(file.value("watermarkX").toString(), "10");
    EXPECT_EQ(file.value("watermarkY").toString(), "20");
    EXPECT_EQ(file.value("Language").toString(), "@Variant(not really)!");
}

TEST_F(SettingsStore, IntegerAndHandWrittenValuesReadAsText) {
    {
        QSettings file(QString::fromStdString(location_), QSettings::IniFormat);
        file.setValue("watermarkX", 120);
        file.setValue("watermarkY", -75);
    }
    EXPECT_EQ(settings.watermarkX(), "120");
    EXPECT_EQ(settings.watermarkY(), "-75");

    // A file edited by hand: an unquoted comma must not cut the path.
    fixtures::writeFile(location_, "[General]\nwatermarkPath=/a/b,c.png\nwatermarkX=7\n");
    EXPECT_EQ(settings.watermarkPath(), "/a/b,c.png");
    EXPECT_EQ(settings.watermarkX(), "7");
}

TEST_F(SettingsStore, FileIsReadableByItsOwnerOnly) {
    settings.setOutputPassword("s3cret");
    EXPECT_EQ(permissions(), 0600u);
    settings.setWatermarkPath("/p.png");
    EXPECT_EQ(permissions(), 0600u);

    // A file made readable by others, for example by hand, is closed again
    // before the next write.
    Settings::takeNote();  // whether a keyring answered the password is another test's matter
    ASSERT_EQ(::chmod(location_.c_str(), 0644), 0);
    settings.setWatermarkX("10");
    EXPECT_EQ(permissions(), 0600u);
    EXPECT_EQ(settings.watermarkPath(), "/p.png");
    // The user hears of it once.
    EXPECT_EQ(Settings::takeNote(),
              "The settings file " + location_ + " could be read by other users; it is now readable by you only");
    EXPECT_EQ(Settings::takeNote(), "");
}

TEST_F(SettingsStore, FailedWriteNamesSettingPlaceAndReason) {
    const std::filesystem::path folder = std::filesystem::path(location_).parent_path();
    std::filesystem::create_directories(folder.parent_path());
    fixtures::writeFile(folder.string(), "a file where the folder should be");
    try {
        settings.setWatermarkY("50");
        FAIL() << "the write succeeded";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"watermarkY\""), std::string::npos) << message;
        EXPECT_NE(message.find(location_), std::string::npos) << message;
        EXPECT_NE(message.find("Not a directory"), std::string::npos) << message;
    }
    std::filesystem::remove(folder);
    EXPECT_EQ(settings.watermarkY(), "");
}

}  // namespace
