#include "classic_viz/framework/win32/effect_plugin.h"

#include <oleauto.h>

#include "classic_viz/framework/win32/frame_blit.h"
#include "com_support/com_module.h"

namespace tevaro::viz::win32 {

EffectPlugin::EffectPlugin()
    : face_(moduleEffect()), script_(face_.makeScript()), core_(face_.engine, *script_, moduleRandom()) {
    describedBy(face_.colourInterface);
}

EffectPlugin::~EffectPlugin() = default;

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

}  // namespace tevaro::viz::win32
