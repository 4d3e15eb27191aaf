#ifndef _WIN32
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

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

// The system's configuration folders: XDG_CONFIG_DIRS, ":"-separated, or /etc/xdg.
std::vector<std::string> systemConfigurationFolders() {
    std::vector<std::string> folders;
    const char* list = std::getenv("XDG_CONFIG_DIRS");
    const std::string text = list ? list : "";
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(':', start), text.size());
        if (end > start) folders.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (folders.empty()) folders.push_back("/etc/xdg");
    return folders;
}

std::string applicationFile(const std::string& folder) {
    return folder + "/" + settingName::Organisation + "/" + ApplicationName + ".conf";
}

std::string organisationFile(const std::string& folder) { return folder + "/" + settingName::Organisation + ".conf"; }

// Where QSettings looks for a value, in order: the user's file of the
// application, the user's file of the organisation, then the system's files
// of the application in every system folder, then those of the organisation.
std::vector<std::string> filesInOrder() {
    const std::string user = configurationFolder();
    std::vector<std::string> files{applicationFile(user), organisationFile(user)};
    const std::vector<std::string> system = systemConfigurationFolders();
    for (const std::string& folder : system) files.push_back(applicationFile(folder));
    for (const std::string& folder : system) files.push_back(organisationFile(folder));
    return files;
}

}  // namespace

std::string storedValuesLocation() { return applicationFile(configurationFolder()); }

// A file that is missing or cannot be read holds no values, as for QSettings;
// a value in an earlier file hides the same name in the later ones.
SettingReader storedValuesReader() {
    auto values = std::make_shared<std::map<std::string, std::string>>();
    for (const std::string& path : filesInOrder()) {
        std::ifstream file(path, std::ios::binary);
        if (!file) continue;
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        values->merge(readIniTopLevelValues(text));
    }
    return [values](const std::string& name) {
        const auto found = values->find(name);
        return found == values->end() ? std::string() : found->second;
    };
}
#endif
