#include "host_sim/viz/effect_registry.h"

#include <objbase.h>

namespace host_sim {
namespace {

const wchar_t* const EffectsKey = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";

std::wstring text(HKEY key, const wchar_t* value) {
    wchar_t buffer[1024];
    DWORD bytes = sizeof buffer;
    if (RegGetValueW(key, L"Properties", value, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) return {};
    return buffer;
}

}  // namespace

std::vector<RegisteredEffect> registeredEffects() {
    std::vector<RegisteredEffect> effects;
    HKEY root = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, EffectsKey, 0, KEY_READ, &root) != ERROR_SUCCESS) return effects;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD chars = 256;
        if (RegEnumKeyExW(root, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        RegisteredEffect e;
        e.key = name;
        e.name = text(key, L"name");
        e.description = text(key, L"description");
        const std::wstring classid = text(key, L"classid");
        RegCloseKey(key);
        // An entry without a readable class id is not one the player can create.
        if (CLSIDFromString(classid.c_str(), &e.clsid) == NOERROR) effects.push_back(e);
    }
    RegCloseKey(root);
    return effects;
}

bool findEffect(const std::wstring& name, RegisteredEffect& found) {
    for (const RegisteredEffect& e : registeredEffects()) {
        if (_wcsicmp(e.key.c_str(), name.c_str()) == 0 || _wcsicmp(e.name.c_str(), name.c_str()) == 0) {
            found = e;
            return true;
        }
    }
    return false;
}

}  // namespace host_sim
