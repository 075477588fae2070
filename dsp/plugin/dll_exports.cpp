// The four exports of TevaroPlayerDSP.dll and its registration with the player.
#include <windows.h>

#include "com_support/com_module.h"
#include "com_support/module_entry_points.h"
#include "com_support/dmo.h"
#include "com_support/registry_script_apply.h"
#include "com_support/wmp_plugin.h"
#include "dsp/plugin/dsp_plugin.h"
#include "dsp/plugin/dsp_plugin_page.h"
#include "dsp/plugin/plugin_ids.h"
#include "dsp/plugin/resource.h"

namespace {

using namespace tevaro::plugin;

// The player places the plug-in by priority; 1 keeps it near the renderer.
constexpr DWORD PluginPriority = 1;

HRESULT createRegistrar(IWMPMediaPluginRegistrar** registrar) {
    return CoCreateInstance(com_support::CLSID_WMPMediaPluginRegistrar, nullptr, CLSCTX_INPROC_SERVER,
                            __uuidof(IWMPMediaPluginRegistrar), reinterpret_cast<void**>(registrar));
}

// regsvr32 initialises COM itself; a host calling us directly may not have.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

}  // namespace

std::span<const com_support::ClassEntry> com_support::moduleClasses() {
    static const ClassEntry classes[] = {
        {&CLSID_DspPlugin, &createInstance<DspPlugin>},
        {&CLSID_DspPluginPropertyPage, &createInstance<DspPluginPropertyPage>},
    };
    return classes;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    ComScope com;
    IWMPMediaPluginRegistrar* registrar = nullptr;
    HRESULT hr = createRegistrar(&registrar);
    if (FAILED(hr)) return hr;
    wchar_t name[256], description[256];
    com_support::loadModuleString(IDS_PLUGIN_NAME, name, 256);
    com_support::loadModuleString(IDS_PLUGIN_DESCRIPTION, description, 256);
    DMO_PARTIAL_MEDIATYPE audioPcm{MEDIATYPE_Audio, MEDIASUBTYPE_PCM};
    hr = registrar->WMPRegisterPlayerPlugin(name, description, nullptr, PluginPriority, com_support::WMP_PLUGINTYPE_DSP,
                                            CLSID_DspPlugin, 1, &audioPcm);
    registrar->Release();
    if (FAILED(hr)) return hr;
    // The two class keys, replaced whole (TevaroPlayerDSP.rgs).
    return com_support::runRegistryScript(IDR_CLASS_REGISTRATION, true);
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    ComScope com;
    IWMPMediaPluginRegistrar* registrar = nullptr;
    HRESULT hr = createRegistrar(&registrar);
    if (FAILED(hr)) return hr;
    registrar->WMPUnRegisterPlayerPlugin(com_support::WMP_PLUGINTYPE_DSP, CLSID_DspPlugin);
    registrar->Release();
    return com_support::runRegistryScript(IDR_CLASS_REGISTRATION, false);
}
