#pragma once
// The module object of an in-process server: its instance handle and the counts that decide
// DllCanUnloadNow (live objects plus IClassFactory::LockServer locks).
#include <windows.h>

namespace com_support {

void setModuleInstance(HINSTANCE instance);
HINSTANCE moduleInstance();

void moduleAddRef();
void moduleRelease();
// S_OK when no object and no lock is alive, else S_FALSE.
HRESULT moduleCanUnloadNow();

// Full path of this module, for InprocServer32 and type-library registration.
bool modulePath(wchar_t* path, DWORD capacity);

// A string resource of this module, "" when it is missing.
int loadModuleString(UINT id, wchar_t* text, int capacity);

// Counts one live object for the module's whole lifetime.
class ModuleReference {
public:
    ModuleReference() { moduleAddRef(); }
    ~ModuleReference() { moduleRelease(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

}  // namespace com_support
