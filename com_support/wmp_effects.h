#pragma once
// The player's visualization interface and the audio record it hands over with every frame, which
// mingw-w64 does not declare. Namespace scope, external linkage (see wmp_plugin.h).
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

// The audio levels of one frame: spectrum and waveform of two channels, then the player's state
// and the snapshot's time in 100 ns units.
struct TimedLevel {
    unsigned char frequency[2][1024];
    unsigned char waveform[2][1024];
    int state;
    LONGLONG timeStamp;
};
static_assert(sizeof(TimedLevel) == 4112 && offsetof(TimedLevel, timeStamp) == 4104, "the player's layout");

MIDL_INTERFACE("D3984C13-C3CB-48E2-8BE5-5168340B4F35")
IWMPEffects : public IUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE Render(TimedLevel * pLevels, HDC hdc, RECT * prc) = 0;
    virtual HRESULT STDMETHODCALLTYPE MediaInfo(LONG lChannelCount, LONG lSampleRate, BSTR bstrTitle) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD * pdwCapabilities) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTitle(BSTR * bstrTitle) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG nPreset, BSTR * bstrPresetTitle) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPresetCount(LONG * pnPresetCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG nPreset) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG * pnPreset) = 0;
    virtual HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND hwndOwner) = 0;
    virtual HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL fFullScreen) = 0;
    virtual HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel * pLevels) = 0;
};
__CRT_UUID_DECL(IWMPEffects, 0xd3984c13, 0xc3cb, 0x48e2, 0x8b, 0xe5, 0x51, 0x68, 0x34, 0x0b, 0x4f, 0x35)

// The player's version 10 extension: its core, a window of its own for window mode, the track and
// the pointer messages of the visualization area.
struct IWMPCore;
struct IWMPMedia;
MIDL_INTERFACE("695386EC-AA3C-4618-A5E1-DD9A8B987632")
IWMPEffects2 : public IWMPEffects {
public:
    virtual HRESULT STDMETHODCALLTYPE SetCore(IWMPCore * pPlayer) = 0;
    virtual HRESULT STDMETHODCALLTYPE Create(HWND hwndParent) = 0;
    virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
    virtual HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia * pMedia) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT msg, WPARAM WParam, LPARAM LParam,
                                                      LRESULT * plResultParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel * pData, BOOL fRequiredRender) = 0;
};
__CRT_UUID_DECL(IWMPEffects2, 0x695386ec, 0xaa3c, 0x4618, 0xa5, 0xe1, 0xdd, 0x9a, 0x8b, 0x98, 0x76, 0x32)

// The dual interface each visualization adds (IGlintora and its siblings, ICoverDrift): one property,
// the foreground colour as "#RRGGBB". Every effect declares it in its type library under its own
// interface id with this same vtable, so one declaration serves them all.
struct IEffectColour : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_foregroundColor(BSTR* pVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_foregroundColor(BSTR pVal) = 0;
};
