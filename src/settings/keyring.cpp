#include "settings/keyring.h"

#include "base/platform_library.h"
#include "settings/keyring_module.h"

namespace keyring {
namespace {

// Loaded on the first call and kept until the process ends (its Qt objects
// may outlive a call that timed out).
KeyringEntry keyringEntry() {
    static std::string failure;
    static const KeyringEntry entry = [] {
        std::string reason;
        void* address = programLibraryEntry(KeyringLibraryName, KeyringEntryName, reason);
        if (!address) failure = "cannot load " + reason;
        return reinterpret_cast<KeyringEntry>(address);
    }();
    if (!entry) throw Unavailable(failure);
    return entry;
}

KeyringOutcome call(KeyringOperation operation, const std::string& key, const std::string& secret, std::string& answer) {
    const KeyringOutcome outcome = keyringEntry()(operation, key, secret, answer);
    if (outcome == KeyringOutcome::Unavailable) throw Unavailable(answer);
    return outcome;
}

}  // namespace

std::optional<std::string> read(const std::string& key) {
    std::string secret;
    if (call(KeyringOperation::Read, key, "", secret) == KeyringOutcome::NoEntry) return std::nullopt;
    return secret;
}

void write(const std::string& key, const std::string& secret) {
    std::string reason;
    call(KeyringOperation::Write, key, secret, reason);
}

void remove(const std::string& key) {
    std::string reason;
    call(KeyringOperation::Remove, key, "", reason);
}

}  // namespace keyring
