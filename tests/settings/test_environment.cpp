#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "support/fixtures.h"

namespace {

// One application object for the widget tests, and a private configuration
// folder so that the settings tests never touch the user's own settings.
class SettingsTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        configHome_ = std::make_unique<fixtures::TempDir>();
        ::setenv("XDG_CONFIG_HOME", configHome_->path().c_str(), 1);
        static int argc = 1;
        static char name[] = "test_settings";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override {
        application_.reset();
        configHome_.reset();
    }

private:
    std::unique_ptr<fixtures::TempDir> configHome_;
    std::unique_ptr<QApplication> application_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new SettingsTestEnvironment);

}  // namespace
