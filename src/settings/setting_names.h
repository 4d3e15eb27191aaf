#pragma once

// The names of the user's settings in the store, shared by the window (which
// reads and writes them with QSettings) and the job commands (which read them
// with stored_values.h).
namespace settingName {

inline constexpr const char* OutputPassword = "outputPdfPassword";
inline constexpr const char* WatermarkPath = "watermarkPath";
inline constexpr const char* WatermarkX = "watermarkX";
inline constexpr const char* WatermarkY = "watermarkY";
inline constexpr const char* Language = "Language";
// Set when the output password is kept in the desktop's keyring: the name of
// its entry there.
inline constexpr const char* OutputPasswordKeyring = "outputPdfPasswordKeyring";

// Where the settings live: the organisation and the application (the folder
// and file name of the INI file, the registry key on Windows).
inline constexpr const char* Organisation = "Brellow";

}  // namespace settingName
