#ifdef _WIN32
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

#include "base/application.h"
#include "base/platform_text_windows.h"
#include "settings/setting_names.h"
#include "settings/stored_text.h"
#include "settings/stored_values.h"

namespace {

std::string organisationPath() { return std::string("Software\\") + settingName::Organisation; }
std::string keyPath() { return organisationPath() + "\\" + ApplicationName; }

// Where QSettings looks for a value, in order: the user's key of the
// application, the user's defaults of the organisation, then the same for
// the whole machine.
std::vector<std::pair<HKEY, std::string>> keysInOrder() {
    const std::string defaults = organisationPath() + "\\OrganizationDefaults";
    return {{HKEY_CURRENT_USER, keyPath()}, {HKEY_CURRENT_USER, defaults},
            {HKEY_LOCAL_MACHINE, keyPath()}, {HKEY_LOCAL_MACHINE, defaults}};
}

// The value's text by its registry type, as QSettings reads it: strings with
// their marks, a multi-string as a list, numbers in decimal; any other type
// reads as "". Nothing when the key holds no such value.
std::optional<std::string> registryText(HKEY key, const std::string& name) {
    const std::wstring wideName = wideText(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> data(size + 2 * sizeof(wchar_t), 0);  // room for missing terminators
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return std::nullopt;
    const auto* characters = reinterpret_cast<const wchar_t*>(data.data());
    const std::size_t count = size / sizeof(wchar_t);
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return storedTextOfValue(utf8Text(std::wstring(characters)));
    case REG_MULTI_SZ: {
        std::vector<std::string> items;
        for (std::size_t start = 0; start < count && characters[start] != L'\0';) {
            const std::wstring item(characters + start);
            items.push_back(utf8Text(item));
            start += item.size() + 1;
        }
        return storedTextOfList(items);
    }
    // A text holding a null character is kept as binary UTF-16.
    case REG_BINARY: return storedTextOfValue(utf8Text(std::wstring(characters, count)));
    case REG_DWORD: return std::to_string(*reinterpret_cast<const int*>(data.data()));
    case REG_QWORD: return std::to_string(*reinterpret_cast<const long long*>(data.data()));
    default: return "";
    }
}

}  // namespace

std::string storedValuesLocation() { return "HKEY_CURRENT_USER\\" + keyPath(); }

// The keys are opened for each value: a job reads a handful.
SettingReader storedValuesReader() {
    return [](const std::string& name) {
        for (const auto& [root, path] : keysInOrder()) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(root, wideText(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
            const std::optional<std::string> text = registryText(key, name);
            RegCloseKey(key);
            if (text) return *text;
        }
        return std::string();
    };
}
#endif
