// The four exports of CoverDrift.dll: its one class, and registration from its REGISTRY script and
// type library, announced to a running player.
#include <windows.h>

#include "album_viz/effect/album_effect.h"
#include "album_viz/effect/cover_drift_ids.h"
#include "album_viz/effect/effect_resources.h"
#include "com_support/module_entry_points.h"
#include "com_support/registry_script_apply.h"
#include "com_support/type_library.h"
#include "com_support/wmp_plugin.h"

std::span<const com_support::ClassEntry> com_support::moduleClasses() {
    static const ClassEntry classes[] = {
        {&tevaro::album::CLSID_CoverDrift, &createInstance<tevaro::album::AlbumEffect>}};
    return classes;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    HRESULT hr = com_support::runRegistryScript(IDR_COVERDRIFT_REGISTRY, true);
    if (SUCCEEDED(hr)) hr = com_support::registerModuleTypeLibrary();
    com_support::announcePluginChange();
    return hr;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    const HRESULT hr = com_support::runRegistryScript(IDR_COVERDRIFT_REGISTRY, false);
    const HRESULT library = com_support::unregisterModuleTypeLibrary(tevaro::album::LIBID_CoverDrift, 1, 0);
    com_support::announcePluginChange();
    return FAILED(hr) ? hr : library;
}
