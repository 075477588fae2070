#pragma once
// Registration of the type library embedded as TYPELIB resource 1 of this module.
#include <windows.h>

namespace com_support {

HRESULT registerModuleTypeLibrary();
HRESULT unregisterModuleTypeLibrary(REFGUID libid, WORD major, WORD minor);

}  // namespace com_support
