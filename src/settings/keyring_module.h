#pragma once
#include <string>

// The keyring's access lives in a library of its own (keyring_module.cpp),
// loaded from the program's folder on the first call, so that a start that
// never touches the keyring maps neither it nor the D-Bus libraries below it.
constexpr const char* KeyringLibraryName = "splimera_keyring";
constexpr const char* KeyringEntryName = "splimeraKeyringCall";

enum class KeyringOperation { Read, Write, Remove };
enum class KeyringOutcome { Done, NoEntry, Unavailable };

// Runs operation on key (secret is used by Write); answer receives the secret
// read, or why the keyring is unavailable.
using KeyringEntry = KeyringOutcome (*)(KeyringOperation operation, const std::string& key,
                                        const std::string& secret, std::string& answer);
