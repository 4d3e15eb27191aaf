#pragma once
#include <optional>
#include <stdexcept>
#include <string>

// The desktop's keyring (the Secret Service on Linux, the Credential Manager
// on Windows), under the application's name. Each call waits for the keyring's
// answer (at most a few seconds); the keyring's library makes the Qt
// application object its events need when the program has none.
namespace keyring {

// No keyring answered, or it refused; what() says why.
class Unavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The secret kept under key, or nothing when the keyring holds none.
std::optional<std::string> read(const std::string& key);
void write(const std::string& key, const std::string& secret);
// Nothing happens when the keyring holds no secret under key.
void remove(const std::string& key);

}  // namespace keyring
