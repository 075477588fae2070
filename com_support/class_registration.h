#pragma once
// HKEY_CLASSES_ROOT\CLSID\{clsid} entries of an in-process server. Wine ignores per-user class
// registration, and the player looks classes up machine-wide, so everything goes under HKCR.
#include <windows.h>

namespace com_support {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" into text (at least 39 characters).
void guidText(REFGUID guid, wchar_t* text, int capacity);

// Replaces the class key: default value = friendly name, InprocServer32 = this module's path
// with the given ThreadingModel.
HRESULT registerClass(REFCLSID clsid, const wchar_t* friendlyName, const wchar_t* threadingModel);
// Removes the class key and everything below it; the CLSID key itself stays. A class that was
// not registered is not an error.
HRESULT unregisterClass(REFCLSID clsid);

}  // namespace com_support
