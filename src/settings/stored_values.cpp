#include "settings/stored_values.h"

#include "settings/keyring.h"
#include "settings/setting_names.h"

// The keyring is asked only when the store names its entry, so that a start
// without a password stored never waits on the keyring.
std::string outputPasswordFrom(const SettingReader& read) {
    const std::string entry = read(settingName::OutputPasswordKeyring);
    if (entry.empty()) return read(settingName::OutputPassword);
    return keyring::read(entry).value_or("");
}

Protection protectionFrom(const SettingReader& read) {
    Protection protection;
    protection.watermarkPath = read(settingName::WatermarkPath);
    protection.watermarkX = read(settingName::WatermarkX);
    protection.watermarkY = read(settingName::WatermarkY);
    try {
        protection.outputPassword = outputPasswordFrom(read);
    } catch (const keyring::Unavailable& error) {
        protection.outputPasswordUnreadable =
            std::string("The stored output password cannot be read from the desktop's keyring: ") + error.what();
    }
    return protection;
}
