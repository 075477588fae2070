// Exports of the test player's registrar server, registered under the player's registrar class id.
#include <windows.h>

#include "com_support/class_registration.h"
#include "com_support/module_entry_points.h"
#include "host_sim/registrar/plugin_registrar.h"

std::span<const com_support::ClassEntry> com_support::moduleClasses() {
    static const ClassEntry classes[] = {
        {&CLSID_WMPMediaPluginRegistrar, &createInstance<host_sim::PluginRegistrar>},
    };
    return classes;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    return com_support::registerClass(com_support::CLSID_WMPMediaPluginRegistrar, L"Tevaro host_sim plug-in registrar",
                                      L"Both");
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    return com_support::unregisterClass(com_support::CLSID_WMPMediaPluginRegistrar);
}
