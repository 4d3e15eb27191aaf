#pragma once
#include <QString>
#include <QVariant>

// The per-user settings store. On Windows QSettings keeps the values in
// HKEY_CURRENT_USER\Software\Brellow\Splimera; elsewhere in the per-user file
// $XDG_CONFIG_HOME/Brellow/Splimera.conf (default ~/.config), five top-level
// text keys. That file holds the output password, so it is kept readable by
// its owner only.

enum class RegistryRoot {
    CurrentUser,   // the user's own settings
    LocalMachine,  // settings shared by every user of the machine
};

// Data types of WriteRegistryValue.
enum RegistryDataType : unsigned char {
    RegistryKeepType = 0,     // the type the stored value already has
    RegistryString = 1,
    RegistryExpandString = 2, // stored like a string; references are never expanded
    RegistryInteger = 3,      // 32-bit integer
    RegistryBinary = 4,
};

// "Software\Brellow\Splimera": the key every setting of the program lives under.
extern const QString SplimeraRegistryKey;

// The names of the program's settings.
inline const QString SettingOutputPdfPassword = QStringLiteral("outputPdfPassword");
inline const QString SettingWatermarkPath = QStringLiteral("watermarkPath");
inline const QString SettingWatermarkX = QStringLiteral("watermarkX");
inline const QString SettingWatermarkY = QStringLiteral("watermarkY");
inline const QString SettingLanguage = QStringLiteral("Language");

// The value's content (text, integer or bytes), or an empty text when the key
// or the value is missing or cannot be read. Never fails.
QVariant ReadRegistryValue(RegistryRoot root, const QString& key, const QString& name);

// Writes one value, creating the key when needed. Fails with std::runtime_error
// whose message names the setting, the store and the system's reason.
void WriteRegistryValue(RegistryRoot root, const QString& key, const QString& name, const QVariant& value,
                        unsigned char dataType);

// The program's own settings ("outputPdfPassword", "watermarkPath",
// "watermarkX", "watermarkY", "Language") as text: a stored integer reads as
// its decimal text, a missing value as "".
QString readSetting(const QString& name);
void writeSetting(const QString& name, const QString& text);

// Where the store keeps the program's settings (a file path, or the registry
// key on Windows); for messages and tests.
QString settingsLocation();
