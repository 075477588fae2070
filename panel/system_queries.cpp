#include "panel/system_queries.h"

#include <string>

namespace tevaro::panel {

ValueQuery queryValue(HKEY root, const char* path, const char* name) {
    ValueQuery q;
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return q;
    q.keyOpened = true;
    DWORD size = static_cast<DWORD>(q.data.size());
    q.valueRead = RegQueryValueExA(key, name, nullptr, nullptr, q.data.data(), &size) == ERROR_SUCCESS;
    q.dataSize = size;
    RegCloseKey(key);
    return q;
}

bool dspEnableTest() { return dspEnabledFrom(queryValue(HKEY_CURRENT_USER, DspConfigKeyPath, EnabledValueName)); }

std::uint32_t readStoredSettings() {
    return readSettingsWord(queryValue(HKEY_CURRENT_USER, SettingsKeyPath, SettingsValueName));
}

void saveStoredSettings(std::uint32_t word) {
    HKEY key;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD value = word;
    RegSetValueExA(key, SettingsValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

ProcessorFacts readProcessorFacts() {
    ProcessorFacts facts;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    facts.architecture = info.wProcessorArchitecture;
    facts.level = info.wProcessorLevel;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProcessorKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return facts;
    DWORD mhz = 0, size = sizeof mhz;
    if (RegQueryValueExA(key, ClockValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&mhz), &size) ==
            ERROR_SUCCESS &&
        size == sizeof mhz)
        facts.clockMhz = mhz;
    // Read whole, however long: the rule decides whether it would have fitted its buffer.
    DWORD bytes = 0;
    if (RegQueryValueExA(key, MakerValueName, nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
        std::string text(bytes, '\0');
        if (RegQueryValueExA(key, MakerValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &bytes) ==
            ERROR_SUCCESS) {
            text.resize(bytes);
            while (!text.empty() && text.back() == '\0') text.pop_back();
            facts.maker = text;
        }
    }
    RegCloseKey(key);
    return facts;
}

}  // namespace tevaro::panel
