#include "com_support/registry_script_apply.h"

#include <string>
#include <vector>

#include "com_support/com_module.h"

namespace com_support {
namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string utf8(const wchar_t* text, int length) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

HKEY rootKey(const std::string& name) {
    if (name == "HKCR") return HKEY_CLASSES_ROOT;
    if (name == "HKLM") return HKEY_LOCAL_MACHINE;
    return HKEY_CURRENT_USER;
}

LONG setValue(HKEY key, const ScriptValue& v) {
    const std::wstring name = wide(v.name);
    const wchar_t* valueName = v.name.empty() ? nullptr : name.c_str();
    if (v.kind == ScriptValue::Kind::dword)
        return RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.number), sizeof v.number);
    const std::wstring text = wide(v.text);
    return RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG install(HKEY parent, const ScriptKey& key) {
    const std::wstring name = wide(key.name);
    if (key.forceRemove) {
        const LONG rc = RegDeleteTreeW(parent, name.c_str());
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
    }
    HKEY handle = nullptr;
    LONG rc = RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_READ, nullptr, &handle, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    for (const ScriptValue& v : key.values)
        if ((rc = setValue(handle, v)) != ERROR_SUCCESS) break;
    for (const ScriptKey& child : key.children)
        if (rc == ERROR_SUCCESS) rc = install(handle, child);
    RegCloseKey(handle);
    return rc;
}

LONG uninstall(HKEY parent, const ScriptKey& key) {
    const std::wstring name = wide(key.name);
    if (!key.noRemove) {
        const LONG rc = RegDeleteTreeW(parent, name.c_str());
        return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
    }
    HKEY handle = nullptr;
    LONG rc = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &handle);
    if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (rc != ERROR_SUCCESS) return rc;
    for (const ScriptKey& child : key.children)
        if (rc == ERROR_SUCCESS) rc = uninstall(handle, child);
    RegCloseKey(handle);
    return rc;
}

}  // namespace

HRESULT applyRegistryScript(const RegistryScript& script, bool installing) {
    for (const ScriptKey& root : script.roots) {
        for (const ScriptKey& key : root.children) {
            const LONG rc = installing ? install(rootKey(root.name), key) : uninstall(rootKey(root.name), key);
            if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
        }
    }
    return S_OK;
}

HRESULT runRegistryScript(UINT resourceId, bool installing, const ScriptVariables& variables, UINT codePage) {
    HRSRC found = FindResourceW(moduleInstance(), MAKEINTRESOURCEW(resourceId), L"REGISTRY");
    HGLOBAL loaded = found != nullptr ? LoadResource(moduleInstance(), found) : nullptr;
    const auto* bytes = static_cast<const char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
    const int size = static_cast<int>(SizeofResource(moduleInstance(), found));

    // Any code page to UTF-16, then UTF-8 for the portable parser.
    const int n = MultiByteToWideChar(codePage, 0, bytes, size, nullptr, 0);
    std::vector<wchar_t> text(static_cast<std::size_t>(n));
    MultiByteToWideChar(codePage, 0, bytes, size, text.data(), n);
    wchar_t path[MAX_PATH];
    if (!modulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    ScriptVariables all = variables;
    all.emplace_back("MODULE", utf8(path, -1).c_str());

    RegistryScript script;
    std::string error;
    if (!parseRegistryScript(utf8(text.data(), n), all, script, error)) return E_UNEXPECTED;
    return applyRegistryScript(script, installing);
}

}  // namespace com_support
