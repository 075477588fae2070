// The four exports every classic visualization DLL shares: its one class from moduleEffect(), and
// registration from its REGISTRY script and its type library.
#include <windows.h>

#include "classic_viz/framework/win32/effect_face.h"
#include "classic_viz/framework/win32/effect_plugin.h"
#include "com_support/com_module.h"
#include "com_support/module_entry_points.h"
#include "com_support/registry_script_apply.h"
#include "com_support/type_library.h"

namespace tevaro::viz::win32 {

std::span<const std::uint8_t> moduleArchive(const wchar_t* resourceName) {
    HMODULE module = com_support::moduleInstance();
    HRSRC found = FindResourceW(module, resourceName, MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) return {};
    return {bytes, SizeofResource(module, found)};
}

RandomSource& moduleRandom() {
    static RandomSource random;
    return random;
}

}  // namespace tevaro::viz::win32

std::span<const com_support::ClassEntry> com_support::moduleClasses() {
    static const ClassEntry classes[] = {
        {&tevaro::viz::win32::moduleEffect().clsid, &createInstance<tevaro::viz::win32::EffectPlugin>}};
    return classes;
}

// The class key and the player's effect key, replaced whole; then the type library.
extern "C" HRESULT WINAPI DllRegisterServer() {
    const auto& face = tevaro::viz::win32::moduleEffect();
    const HRESULT hr =
        com_support::runRegistryScript(tevaro::viz::win32::RegistryScriptId, true, {}, face.registryCodePage);
    if (FAILED(hr)) return hr;
    return com_support::registerModuleTypeLibrary();
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    const auto& face = tevaro::viz::win32::moduleEffect();
    const HRESULT hr =
        com_support::runRegistryScript(tevaro::viz::win32::RegistryScriptId, false, {}, face.registryCodePage);
    const HRESULT library = com_support::unregisterModuleTypeLibrary(face.typeLibrary, 1, 0);
    return FAILED(hr) ? hr : library;
}
