// The four exports of Panelkit.dll and its registration as the player's settings-area plug-in.
#include <windows.h>

#include "com_support/module_entry_points.h"
#include "com_support/registry_script_apply.h"
#include "com_support/wmp_plugin.h"
#include "panel/panelkit.h"
#include "panel/resource.h"

namespace {

// {058C269C-D673-4575-9708-38270C44DE60}
const CLSID CLSID_Panelkit = {0x058c269c, 0xd673, 0x4575, {0x97, 0x08, 0x38, 0x27, 0x0c, 0x44, 0xde, 0x60}};

}  // namespace

std::span<const com_support::ClassEntry> com_support::moduleClasses() {
    static const ClassEntry classes[] = {{&CLSID_Panelkit, &createInstance<tevaro::panel::Panelkit>}};
    return classes;
}

// The class key and the UIPlugins entry, replaced whole (Panelkit.rgs).
extern "C" HRESULT WINAPI DllRegisterServer() {
    const HRESULT hr = com_support::runRegistryScript(IDR_PANEL_REGISTRATION, true);
    com_support::announcePluginChange();
    return hr;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    const HRESULT hr = com_support::runRegistryScript(IDR_PANEL_REGISTRATION, false);
    com_support::announcePluginChange();
    return hr;
}
