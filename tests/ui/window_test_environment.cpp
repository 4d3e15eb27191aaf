#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/fixtures.h"

namespace {

// The window reads and writes the user's settings: give the test program a
// configuration folder of its own before anything opens the store.
class PrivateSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        configHome_ = std::make_unique<fixtures::TempDir>();
        ::setenv("XDG_CONFIG_HOME", configHome_->path().c_str(), 1);
    }
    void TearDown() override { configHome_.reset(); }

private:
    std::unique_ptr<fixtures::TempDir> configHome_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new PrivateSettingsEnvironment);

}  // namespace
