#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/fixtures.h"

// Gives the test program a configuration folder of its own before any test
// runs, so that nothing it does reaches the user's own settings. Header-only:
// the static library of the support files would leave out an object file
// that only registers itself; any test file that touches the settings
// includes this header, and the environment is registered once per program.
class PrivateConfigEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        configHome_ = std::make_unique<fixtures::TempDir>();
        ::setenv("XDG_CONFIG_HOME", configHome_->path().c_str(), 1);
        // Nor the user's keyring: only the Secret Service session of the
        // keyring tests (with_secret_service.sh) is reached.
        if (!std::getenv("SPLIMERA_SECRET_SERVICE")) ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    }
    void TearDown() override { configHome_.reset(); }

private:
    std::unique_ptr<fixtures::TempDir> configHome_;
};

inline ::testing::Environment* const privateConfigEnvironment =
    ::testing::AddGlobalTestEnvironment(new PrivateConfigEnvironment);
