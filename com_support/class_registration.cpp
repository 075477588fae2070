#include "com_support/class_registration.h"

#include <objbase.h>

#include <cwchar>

#include "com_support/com_module.h"

namespace com_support {
namespace {

constexpr int GuidChars = 39;

HRESULT setString(HKEY key, const wchar_t* name, const wchar_t* value) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    const LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    return HRESULT_FROM_WIN32(rc);
}

void classKeyPath(REFCLSID clsid, wchar_t* path, int capacity) {
    wchar_t id[GuidChars];
    guidText(clsid, id, GuidChars);
    std::swprintf(path, capacity, L"CLSID\\%ls", id);
}

}  // namespace

void guidText(REFGUID guid, wchar_t* text, int capacity) {
    if (StringFromGUID2(guid, text, capacity) == 0 && capacity > 0) text[0] = L'\0';
}

HRESULT registerClass(REFCLSID clsid, const wchar_t* friendlyName, const wchar_t* threadingModel) {
    wchar_t path[MAX_PATH];
    if (!modulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    HRESULT hr = unregisterClass(clsid);
    if (FAILED(hr)) return hr;

    wchar_t keyPath[64];
    classKeyPath(clsid, keyPath, 64);
    HKEY classKey = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &classKey, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    hr = setString(classKey, nullptr, friendlyName);
    HKEY server = nullptr;
    if (SUCCEEDED(hr)) {
        rc = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &server, nullptr);
        hr = HRESULT_FROM_WIN32(rc);
    }
    if (SUCCEEDED(hr)) hr = setString(server, nullptr, path);
    if (SUCCEEDED(hr)) hr = setString(server, L"ThreadingModel", threadingModel);
    if (server != nullptr) RegCloseKey(server);
    RegCloseKey(classKey);
    return hr;
}

HRESULT unregisterClass(REFCLSID clsid) {
    wchar_t keyPath[64];
    classKeyPath(clsid, keyPath, 64);
    const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, keyPath);
    if (rc == ERROR_FILE_NOT_FOUND) return S_OK;
    return HRESULT_FROM_WIN32(rc);
}

}  // namespace com_support
