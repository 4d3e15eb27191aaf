#ifndef _WIN32
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "base/application.h"
#include "settings/ini_settings.h"
#include "settings/setting_names.h"
#include "settings/stored_values.h"

namespace {

// A relative XDG_CONFIG_HOME is taken from the current folder, as QSettings takes it.
std::string configurationFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::absolute(configHome, error);
        return error ? std::string(configHome) : folder.lexically_normal().string();
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

}  // namespace

std::string storedValuesLocation() {
    return configurationFolder() + "/" + settingName::Organisation + "/" + ApplicationName + ".conf";
}

// A file that is missing or cannot be read holds no values, as for QSettings.
SettingReader storedValuesReader() {
    std::ifstream file(storedValuesLocation(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto values = std::make_shared<const std::map<std::string, std::string>>(readIniTopLevelValues(text));
    return [values](const std::string& name) {
        const auto found = values->find(name);
        return found == values->end() ? std::string() : found->second;
    };
}
#endif
