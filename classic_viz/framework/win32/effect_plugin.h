#pragma once
// The player's face of a classic visualization: IWMPEffects over the portable EffectCore, and the
// effect's dual colour interface, dispatched from the module's type library.
#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/framework/presentation.h"
#include "classic_viz/framework/win32/effect_face.h"
#include "com_support/com_object.h"
#include "com_support/colour_property.h"
#include "com_support/wmp_effects.h"

namespace tevaro::viz::win32 {

class EffectPlugin final : public com_support::ComObject<EffectPlugin, IWMPEffects, com_support::ColourProperty> {
public:
    EffectPlugin();
    ~EffectPlugin() override;

    // The effect's own interface id and IDispatch both name the colour interface.
    void* findInterface(REFIID iid);

    // IWMPEffects
    HRESULT STDMETHODCALLTYPE Render(TimedLevel* levels, HDC hdc, RECT* rect) override;
    HRESULT STDMETHODCALLTYPE MediaInfo(LONG channels, LONG sampleRate, BSTR title) override;
    HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override;
    HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override;
    HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG preset, BSTR* title) override;
    HRESULT STDMETHODCALLTYPE GetPresetCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG preset) override;
    HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG* preset) override;
    HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND owner) override;
    HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL fullScreen) override;
    HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel* levels) override;

private:
    const EffectFace& face_;
    std::unique_ptr<SceneScript> script_;
    EffectCore core_;
    PresentedImage image_;
};

}  // namespace tevaro::viz::win32
