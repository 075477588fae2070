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

namespace com_support {

extern const CLSID CLSID_WMPMediaPluginRegistrar;  // {5569E7F5-424B-4B93-89CA-79D17924689A}
extern const GUID WMP_PLUGINTYPE_DSP;              // {6434BAEA-4954-498D-ABD5-2B07123E1F04}

// The per-user key under which the player keeps a DSP plug-in's "Enabled" value ("true"/"false").
inline constexpr const wchar_t* DspConfigKey = L"Software\\Microsoft\\MediaPlayer\\MediaPlugins\\DSPConfig\\";

}  // namespace com_support
