#pragma once
#include <QString>
#include <string>

#include "base/protection.h"
#include "settings/setting_names.h"

// The user's settings as the window reads and writes them (the job commands
// read them without Qt: stored_values.h): the protection of every output and
// the language. On
// Windows QSettings keeps them in HKEY_CURRENT_USER\Software\Brellow\Splimera;
// elsewhere in the per-user file $XDG_CONFIG_HOME/Brellow/Splimera.conf
// (default ~/.config), top-level text keys. The output password is kept in
// the desktop's keyring where one answers: the store then holds the name of
// its entry there under OutputPasswordKeyringName, and no password. Where no
// keyring answers, the store holds the password, and the file is kept
// readable by its owner only.
//
// Reads never fail: a value that is missing or cannot be read is "", and a
// stored integer reads as its decimal text. A write that fails raises
// std::runtime_error naming the setting, the store and the system's reason.
class Settings {
public:
    // The names of the values in the store.
    static constexpr const char* OutputPasswordName = settingName::OutputPassword;
    static constexpr const char* WatermarkPathName = settingName::WatermarkPath;
    static constexpr const char* WatermarkXName = settingName::WatermarkX;
    static constexpr const char* WatermarkYName = settingName::WatermarkY;
    static constexpr const char* LanguageName = settingName::Language;
    static constexpr const char* OutputPasswordKeyringName = settingName::OutputPasswordKeyring;

    std::string outputPassword() const { return read(OutputPasswordName); }
    void setOutputPassword(const std::string& password) { write(OutputPasswordName, password); }
    std::string watermarkPath() const { return read(WatermarkPathName); }
    void setWatermarkPath(const std::string& path) { write(WatermarkPathName, path); }
    std::string watermarkX() const { return read(WatermarkXName); }
    void setWatermarkX(const std::string& x) { write(WatermarkXName, x); }
    std::string watermarkY() const { return read(WatermarkYName); }
    void setWatermarkY(const std::string& y) { write(WatermarkYName, y); }
    std::string language() const { return read(LanguageName); }
    void setLanguage(const std::string& language) { write(LanguageName, language); }

    // The four protection values together; a password that the keyring
    // holds but cannot give is named in outputPasswordUnreadable.
    Protection protection() const;

    // A value by its name, for the protection dialog, which stores its
    // values one by one in a fixed order.
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& text);

    // Where the settings are kept (a file path, or the registry key on
    // Windows); for messages and tests.
    static QString location();

    // What a write found and mended that the user should hear of once (a
    // settings file others could read, a password kept in the file because
    // no keyring answered), or "" when there is nothing.
    static std::string takeNote();

private:
    // Raises keyring::Unavailable when the keyring holds the password but
    // does not answer.
    std::string storedOutputPassword() const;
    void storeOutputPassword(const std::string& password);
    std::string readFromStore(const std::string& name) const;
    void writeToStore(const std::string& name, const std::string& text);
};
