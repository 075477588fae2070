#include "classic_viz/framework/win32/effect_plugin.h"

#include <oleauto.h>

#include <cwchar>

#include "classic_viz/framework/foreground_colour.h"
#include "classic_viz/framework/win32/frame_blit.h"
#include "com_support/com_module.h"

namespace tevaro::viz::win32 {

EffectPlugin::EffectPlugin()
    : face_(moduleEffect()), script_(face_.makeScript()), core_(face_.engine, *script_, moduleRandom()) {}

EffectPlugin::~EffectPlugin() {
    if (typeInfo_ != nullptr) typeInfo_->Release();
}

void* EffectPlugin::findInterface(REFIID iid) {
    if (iid == face_.colourInterface || iid == IID_IDispatch) return static_cast<IEffectColour*>(this);
    if (iid == __uuidof(IWMPEffects)) return static_cast<IWMPEffects*>(this);
    return nullptr;
}

HRESULT EffectPlugin::Render(TimedLevel* levels, HDC hdc, RECT* rect) {
    // The player always answers with a frame; without levels or a rectangle there is nothing to draw.
    if (levels == nullptr || rect == nullptr) return S_OK;
    const int depth = GetDeviceCaps(hdc, BITSPIXEL);
    const RenderRect r{static_cast<int>(rect->left), static_cast<int>(rect->top), static_cast<int>(rect->right),
                       static_cast<int>(rect->bottom)};
    if (core_.render(levels->frequency[0], r, depth, image_)) drawPresentedImage(hdc, image_);
    return S_OK;
}

HRESULT EffectPlugin::MediaInfo(LONG, LONG, BSTR) { return S_OK; }

HRESULT EffectPlugin::GetCapabilities(DWORD* capabilities) {
    if (capabilities == nullptr) return E_POINTER;
    *capabilities = 0;  // no full screen, no property page
    return S_OK;
}

HRESULT EffectPlugin::GetTitle(BSTR* title) {
    if (title == nullptr) return E_POINTER;
    // The title goes through the ANSI code page, as the string table is read with the A function.
    char text[512];
    const int length = LoadStringA(com_support::moduleInstance(), TitleStringId, text, sizeof text);
    if (length <= 0) return E_FAIL;
    wchar_t wide[512];
    const int n = MultiByteToWideChar(CP_ACP, 0, text, length, wide, 511);
    *title = SysAllocStringLen(wide, static_cast<UINT>(n));
    return *title != nullptr ? S_OK : E_FAIL;
}

HRESULT EffectPlugin::GetPresetTitle(LONG preset, BSTR* title) {
    if (title == nullptr) return E_POINTER;
    if (preset < 0 || preset >= EffectCore::PresetCount) return E_INVALIDARG;
    *title = SysAllocString(face_.presetTitles[preset]);
    return *title != nullptr ? S_OK : E_FAIL;
}

HRESULT EffectPlugin::GetPresetCount(LONG* count) {
    if (count == nullptr) return E_POINTER;
    *count = EffectCore::PresetCount;
    return S_OK;
}

HRESULT EffectPlugin::SetCurrentPreset(LONG preset) { return core_.setCurrentPreset(preset) ? S_OK : E_INVALIDARG; }

HRESULT EffectPlugin::GetCurrentPreset(LONG* preset) {
    if (preset == nullptr) return E_POINTER;
    *preset = core_.currentPreset();
    return S_OK;
}

HRESULT EffectPlugin::DisplayPropertyPage(HWND) { return E_NOTIMPL; }
HRESULT EffectPlugin::GoFullscreen(BOOL) { return E_NOTIMPL; }
HRESULT EffectPlugin::RenderFullScreen(TimedLevel*) { return E_NOTIMPL; }

HRESULT EffectPlugin::typeInfo(ITypeInfo** info) {
    if (typeInfo_ == nullptr) {
        wchar_t path[MAX_PATH];
        if (!com_support::modulePath(path, MAX_PATH)) return E_FAIL;
        ITypeLib* library = nullptr;
        HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
        if (FAILED(hr)) return hr;
        ITypeInfo* dispatch = nullptr;
        hr = library->GetTypeInfoOfGuid(face_.colourInterface, &dispatch);
        library->Release();
        if (FAILED(hr)) return hr;
        // A dual interface is described twice; DispInvoke needs the vtable side.
        HREFTYPE vtable = 0;
        hr = dispatch->GetRefTypeOfImplType(-1, &vtable);
        if (SUCCEEDED(hr)) hr = dispatch->GetRefTypeInfo(vtable, &typeInfo_);
        dispatch->Release();
        if (FAILED(hr)) return hr;
    }
    *info = typeInfo_;
    return S_OK;
}

HRESULT EffectPlugin::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT EffectPlugin::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* found = nullptr;
    const HRESULT hr = typeInfo(&found);
    if (FAILED(hr)) return hr;
    found->AddRef();
    *info = found;
    return S_OK;
}

HRESULT EffectPlugin::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    const HRESULT hr = typeInfo(&info);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(info, names, count, ids);
}

HRESULT EffectPlugin::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                             EXCEPINFO* exception, UINT* badArgument) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    const HRESULT hr = typeInfo(&info);
    if (FAILED(hr)) return hr;
    return DispInvoke(static_cast<IEffectColour*>(this), info, id, flags, parameters, result, exception, badArgument);
}

HRESULT EffectPlugin::get_foregroundColor(BSTR* value) {
    if (value == nullptr) return E_POINTER;
    const std::u16string text = formatForegroundColour(colour_);
    *value = SysAllocStringLen(reinterpret_cast<const wchar_t*>(text.data()), static_cast<UINT>(text.size()));
    return *value != nullptr ? S_OK : E_FAIL;  // as every failed string allocation of this face
}

HRESULT EffectPlugin::put_foregroundColor(BSTR value) {
    if (value == nullptr) return E_POINTER;
    std::uint32_t parsed = 0;
    if (parseForegroundColour(reinterpret_cast<const char16_t*>(value), std::wcslen(value), parsed) != ColourParse::ok)
        return E_INVALIDARG;
    colour_ = parsed;
    return S_OK;
}

}  // namespace tevaro::viz::win32
