#include "com_support/module_entry_points.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        com_support::setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return com_support::getClassObject(com_support::moduleClasses(), clsid, iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return com_support::moduleCanUnloadNow(); }
