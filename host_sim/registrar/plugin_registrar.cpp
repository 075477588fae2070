#include "host_sim/registrar/plugin_registrar.h"

#include <cwchar>

#include "com_support/class_registration.h"
#include "com_support/dmo.h"

namespace host_sim {
namespace {

void recordKeyPath(REFGUID pluginType, REFCLSID clsid, wchar_t* path, int capacity) {
    wchar_t type[39], id[39];
    com_support::guidText(pluginType, type, 39);
    com_support::guidText(clsid, id, 39);
    std::swprintf(path, capacity, L"%ls\\%ls\\%ls", MediaPluginsKey, type, id);
}

LONG setString(HKEY key, const wchar_t* name, const wchar_t* value) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
}

}  // namespace

HRESULT PluginRegistrar::WMPRegisterPlayerPlugin(LPWSTR friendlyName, LPWSTR description, LPWSTR uninstallString,
                                                 DWORD priority, GUID pluginType, CLSID clsid, UINT mediaTypeCount,
                                                 LPVOID mediaTypes) {
    if (friendlyName == nullptr || description == nullptr) return E_POINTER;
    if (mediaTypeCount != 0 && mediaTypes == nullptr) return E_POINTER;
    wchar_t path[160];
    recordKeyPath(pluginType, clsid, path, 160);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path);  // a new registration replaces the old record
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    rc = setString(key, L"FriendlyName", friendlyName);
    if (rc == ERROR_SUCCESS) rc = setString(key, L"Description", description);
    if (rc == ERROR_SUCCESS && uninstallString != nullptr) rc = setString(key, L"UninstallString", uninstallString);
    if (rc == ERROR_SUCCESS)
        rc = RegSetValueExW(key, L"Priority", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&priority), sizeof priority);
    if (rc == ERROR_SUCCESS)
        rc = RegSetValueExW(key, L"MediaTypes", 0, REG_BINARY, static_cast<const BYTE*>(mediaTypes),
                            static_cast<DWORD>(mediaTypeCount * sizeof(DMO_PARTIAL_MEDIATYPE)));
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

HRESULT PluginRegistrar::WMPUnRegisterPlayerPlugin(GUID pluginType, CLSID clsid) {
    wchar_t path[160];
    recordKeyPath(pluginType, clsid, path, 160);
    const LONG rc = RegDeleteTreeW(HKEY_LOCAL_MACHINE, path);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

}  // namespace host_sim
