#pragma once
#include <functional>
#include <string>

#include "base/protection.h"

// A stored setting by its name (setting_names.h) as text; "" when it is
// missing or cannot be read.
using SettingReader = std::function<std::string(const std::string& name)>;

// The user's settings as QSettings keeps them (NativeFormat, the user's scope,
// organisation "Brellow", application "Splimera"), read without Qt for the job
// commands, which only read them: on Windows the values of the registry key
// HKEY_CURRENT_USER\Software\Brellow\Splimera, elsewhere the top-level values
// of $XDG_CONFIG_HOME/Brellow/Splimera.conf ($HOME/.config when
// XDG_CONFIG_HOME is not set), read once when the reader is made. A value
// missing there is looked for where QSettings looks next: the organisation's
// defaults (Brellow.conf beside the folder Brellow; the key
// Software\Brellow\OrganizationDefaults), then the same for the whole system
// (the folders of XDG_CONFIG_DIRS, default /etc/xdg; HKEY_LOCAL_MACHINE).
SettingReader storedValuesReader();

// The file or registry key that storedValuesReader reads; for messages.
std::string storedValuesLocation();

// The output password, watermark and its position as the store gives them
// through read. A password kept in the desktop's keyring (the store names its
// entry) is read from there; a keyring that does not answer leaves the
// password empty and says why in outputPasswordUnreadable.
Protection protectionFrom(const SettingReader& read);

// The output password alone, from the keyring when the store names its entry
// there; raises keyring::Unavailable when the keyring does not answer.
std::string outputPasswordFrom(const SettingReader& read);
