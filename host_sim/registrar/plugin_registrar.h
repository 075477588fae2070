#pragma once
// The test player's plug-in registrar: records player plug-ins in the registry the way our host
// finds them again (layout in docs/host_sim_registry.md).
#include "com_support/com_object.h"
#include "com_support/wmp_plugin.h"

namespace host_sim {

// HKLM\Software\Tevaro\HostSim\MediaPlugins\{plug-in type}\{clsid}
inline constexpr const wchar_t* MediaPluginsKey = L"Software\\Tevaro\\HostSim\\MediaPlugins";

class PluginRegistrar final : public com_support::ComObject<PluginRegistrar, IWMPMediaPluginRegistrar> {
public:
    HRESULT STDMETHODCALLTYPE WMPRegisterPlayerPlugin(LPWSTR friendlyName, LPWSTR description, LPWSTR uninstallString,
                                                      DWORD priority, GUID pluginType, CLSID clsid, UINT mediaTypeCount,
                                                      LPVOID mediaTypes) override;
    HRESULT STDMETHODCALLTYPE WMPUnRegisterPlayerPlugin(GUID pluginType, CLSID clsid) override;
};

}  // namespace host_sim
