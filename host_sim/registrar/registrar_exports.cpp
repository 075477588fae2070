// Exports of the test player's registrar server, registered under the player's registrar class id.
#include <windows.h>

#include "com_support/class_factory.h"
#include "com_support/class_registration.h"
#include "host_sim/registrar/plugin_registrar.h"

namespace {

const com_support::ClassEntry classes[] = {
    {&com_support::CLSID_WMPMediaPluginRegistrar, &com_support::createInstance<host_sim::PluginRegistrar>},
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) com_support::setModuleInstance(instance);
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return com_support::getClassObject(classes, clsid, iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return com_support::moduleCanUnloadNow(); }

extern "C" HRESULT WINAPI DllRegisterServer() {
    return com_support::registerClass(com_support::CLSID_WMPMediaPluginRegistrar, L"Tevaro host_sim plug-in registrar",
                                      L"Both");
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    return com_support::unregisterClass(com_support::CLSID_WMPMediaPluginRegistrar);
}
