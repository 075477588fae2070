#pragma once
// Reading back what a server's registration left in the registry, for the registration tests of
// every DLL: values, the exact names under a key, and the module path the test bed registered.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace com_support::test {

inline bool keyExists(HKEY root, const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

inline std::wstring stringValue(HKEY root, const wchar_t* path, const wchar_t* name) {
    wchar_t text[512];
    DWORD bytes = sizeof text;
    if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return L"<missing>";
    return text;
}

inline std::optional<DWORD> dwordValue(HKEY root, const wchar_t* path, const wchar_t* name) {
    DWORD value = 0, bytes = sizeof value;
    if (RegGetValueW(root, path, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS) return {};
    return value;
}

// Names of every value ("(default)" for the unnamed one) and subkey ("name\") directly under a
// key, sorted, to prove nothing else was written.
inline std::vector<std::wstring> contents(HKEY root, const wchar_t* path) {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD chars = 256;
        if (RegEnumValueW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(chars == 0 ? L"(default)" : name);
    }
    for (DWORD i = 0;; ++i) {
        DWORD chars = 256;
        if (RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(std::wstring(name) + L"\\");
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

inline bool samePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// The DLLs sit beside the test programmes in the build tree: this path is what the test bed
// handed to regsvr32, so it is what InprocServer32 must name.
inline std::wstring modulePathBesideTest(const wchar_t* dll) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + dll;
}

}  // namespace com_support::test
