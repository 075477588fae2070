#include "com_support/type_library.h"

#include <oleauto.h>

#include "com_support/com_module.h"

namespace com_support {

HRESULT registerModuleTypeLibrary() {
    wchar_t path[MAX_PATH];
    if (!modulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLibEx(path, REGKIND_REGISTER, &library);
    if (library != nullptr) library->Release();
    return hr;
}

HRESULT unregisterModuleTypeLibrary(REFGUID libid, WORD major, WORD minor) {
    // Nothing registered is nothing to undo (Wine answers E_INVALIDARG for an unknown library).
    BSTR registered = nullptr;
    if (FAILED(QueryPathOfRegTypeLib(libid, major, minor, LOCALE_NEUTRAL, &registered))) return S_OK;
    SysFreeString(registered);
#ifdef _WIN64
    constexpr SYSKIND kind = SYS_WIN64;
#else
    constexpr SYSKIND kind = SYS_WIN32;
#endif
    const HRESULT hr = UnRegisterTypeLib(libid, major, minor, LOCALE_NEUTRAL, kind);
    return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED ? S_OK : hr;
}

}  // namespace com_support
