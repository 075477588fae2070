#pragma once
// The player's plug-in interfaces and constants that mingw-w64 does not declare. Declared at
// namespace scope with external linkage: calls through interfaces declared inside an anonymous
// namespace have been miscompiled by GCC 12 at -O2.
#include <windows.h>
#include <unknwn.h>

// The player's enable switch of a DSP plug-in (Options, Plug-ins).
MIDL_INTERFACE("5FCA444C-7AD1-479D-A4EF-40566A5309D6")
IWMPPluginEnable : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetEnable(BOOL fEnable) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetEnable(BOOL * pfEnable) = 0;
};
__CRT_UUID_DECL(IWMPPluginEnable, 0x5fca444c, 0x7ad1, 0x479d, 0xa4, 0xef, 0x40, 0x56, 0x6a, 0x53, 0x09, 0xd6)

// The player's plug-in registrar. The GUIDs are passed by value: that is the ABI.
MIDL_INTERFACE("68E27045-05BD-40B2-9720-23088C78E390")
IWMPMediaPluginRegistrar : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE WMPRegisterPlayerPlugin(
        LPWSTR pwszFriendlyName, LPWSTR pwszDescription, LPWSTR pwszUninstallString, DWORD dwPriority,
        GUID guidPluginType, CLSID clsid, UINT cMediaTypes, LPVOID pMediaTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE WMPUnRegisterPlayerPlugin(GUID guidPluginType, CLSID clsid) = 0;
};
__CRT_UUID_DECL(IWMPMediaPluginRegistrar, 0x68e27045, 0x05bd, 0x40b2, 0x97, 0x20, 0x23, 0x08, 0x8c, 0x78, 0xe3, 0x90)

// The player's user-interface plug-ins (settings area, separate window, display area…).
struct IWMPCore;
MIDL_INTERFACE("4C5E8F9F-AD3E-4BF9-9753-FCD30D6D38DD")
IWMPPluginUI : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE SetCore(IWMPCore * pCore) = 0;
    virtual HRESULT STDMETHODCALLTYPE Create(HWND hwndParent, HWND * phwndWindow) = 0;
    virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
    virtual HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND hwndParent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetProperty(const WCHAR* pwszName, VARIANT* pvarProperty) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetProperty(const WCHAR* pwszName, const VARIANT* pvarProperty) = 0;
    virtual HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpmsg) = 0;
};
__CRT_UUID_DECL(IWMPPluginUI, 0x4c5e8f9f, 0xad3e, 0x4bf9, 0x97, 0x53, 0xfc, 0xd3, 0x0d, 0x6d, 0x38, 0xdd)

namespace com_support {

extern const CLSID CLSID_WMPMediaPluginRegistrar;  // {5569E7F5-424B-4B93-89CA-79D17924689A}
extern const GUID WMP_PLUGINTYPE_DSP;              // {6434BAEA-4954-498D-ABD5-2B07123E1F04}

// The per-user key under which the player keeps a DSP plug-in's "Enabled" value ("true"/"false").
inline constexpr const wchar_t* DspConfigKey = L"Software\\Microsoft\\MediaPlayer\\MediaPlugins\\DSPConfig\\";

// HKLM: one subkey per user-interface plug-in, named by its class id, with Capabilities,
// FriendlyName and Description. The player rereads it when "WMPlayer_PluginAddRemove" is posted.
inline constexpr const wchar_t* UiPluginsKey = L"SOFTWARE\\Microsoft\\MediaPlayer\\UIPlugins";
inline constexpr const wchar_t* PluginAddRemoveMessage = L"WMPlayer_PluginAddRemove";
inline constexpr DWORD PluginTypeSettingsArea = 0x4;
// After registering or unregistering: a running player rereads its plug-in lists.
inline void announcePluginChange() {
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(PluginAddRemoveMessage), 0, 0);
}
inline constexpr DWORD PluginFlagInstallAutorun = 0x40000000;

}  // namespace com_support
