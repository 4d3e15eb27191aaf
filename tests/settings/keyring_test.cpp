#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>

#include "settings/keyring.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scoped_environment.h"
#include "ui/qt_application.h"

namespace {

// The store's own text under a name, past the keyring.
std::string storedText(const char* name) {
    return QSettings(Settings::location(), QSettings::NativeFormat).value(name).toString().toStdString();
}

class OutputPasswordStore : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();  // the keyring answers through the application's event loop
        std::filesystem::remove_all(std::filesystem::path(Settings::location().toStdString()).parent_path());
        Settings::takeNote();
    }
};

// These run against a real Secret Service: the test entry SecretService.*
// starts gnome-keyring-daemon in a D-Bus session of its own for them
// (with_secret_service.sh); the plain test run skips them.
class SecretService : public OutputPasswordStore {
protected:
    void SetUp() override {
        if (!std::getenv("SPLIMERA_SECRET_SERVICE")) GTEST_SKIP() << "needs the Secret Service session";
        OutputPasswordStore::SetUp();
    }
};

TEST_F(SecretService, KeepsTheOutputPasswordOutOfTheSettingsFile) {
    // A password an earlier version left in the file still protects outputs...
    QSettings(Settings::location(), QSettings::NativeFormat).setValue(Settings::OutputPasswordName, "plain");
    EXPECT_EQ(Settings().protection().outputPassword, "plain");

    // ...and moves into the keyring with the next save.
    Settings().setOutputPassword("s3cret");
    EXPECT_EQ(Settings::takeNote().find("No keyring"), std::string::npos);
    const std::string file = fixtures::readFile(Settings::location().toStdString());
    EXPECT_EQ(file.find("s3cret"), std::string::npos) << file;
    EXPECT_EQ(file.find("plain"), std::string::npos) << file;
    EXPECT_EQ(storedText(Settings::OutputPasswordKeyringName), Settings::OutputPasswordName);
    EXPECT_EQ(keyring::read(Settings::OutputPasswordName), "s3cret");
    const Protection protection = Settings().protection();
    EXPECT_EQ(protection.outputPassword, "s3cret");
    EXPECT_EQ(protection.outputPasswordUnreadable, "");
    EXPECT_EQ(Settings().outputPassword(), "s3cret");

    // No password leaves nothing behind in either place.
    Settings().setOutputPassword("");
    EXPECT_EQ(keyring::read(Settings::OutputPasswordName), std::nullopt);
    EXPECT_EQ(storedText(Settings::OutputPasswordKeyringName), "");
    EXPECT_EQ(Settings().protection().outputPassword, "");
}

// Where no keyring answers (a server, a bare session), the file keeps the
// password as before and the user hears of it; a password the keyring holds
// but cannot give makes jobs refuse rather than write unprotected files.
TEST_F(OutputPasswordStore, WithoutAKeyringTheFileKeepsIt) {
    const fixtures::ScopedEnvironment noBus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    if (std::getenv("SPLIMERA_SECRET_SERVICE")) GTEST_SKIP() << "a keyring answers here";
    Settings().setOutputPassword("plain");
    EXPECT_EQ(storedText(Settings::OutputPasswordName), "plain");
    EXPECT_EQ(Settings().protection().outputPassword, "plain");
    const std::string note = Settings::takeNote();
    EXPECT_EQ(note.rfind("No keyring answered (", 0), 0u) << note;
    EXPECT_NE(note.find("the output password is kept in " + Settings::location().toStdString() + ", readable by you only"),
              std::string::npos)
        << note;

    Settings().write(Settings::OutputPasswordKeyringName, Settings::OutputPasswordName);
    const Protection protection = Settings().protection();
    EXPECT_EQ(protection.outputPassword, "");
    EXPECT_EQ(protection.outputPasswordUnreadable.rfind(
                  "The stored output password cannot be read from the desktop's keyring: ", 0),
              0u)
        << protection.outputPasswordUnreadable;
}

}  // namespace
