#pragma once
#include <cstdlib>
#include <optional>
#include <string>

namespace fixtures {

// Sets an environment variable (or removes it, given nothing) for as long as
// the object lives, then puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* previous = std::getenv(name_.c_str())) previous_ = previous;
        set(value);
    }
    ~ScopedEnvironment() { set(previous_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::optional<std::string>& value) {
        if (value) ::setenv(name_.c_str(), value->c_str(), 1);
        else ::unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace fixtures
