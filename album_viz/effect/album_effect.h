#pragma once
// The player's face of CoverDrift: IWMPEffects2, the dual ICoverDrift and a silent IWMPEvents,
// over the AlbumVisual that draws.
#include <windows.h>
#include <oaidl.h>
#include <wmp.h>

#include "album_viz/effect/album_visual.h"
#include "album_viz/effect/ignored_player_events.h"
#include "com_support/com_object.h"
#include "com_support/colour_property.h"
#include "com_support/wmp_effects.h"

namespace tevaro::album {

class AlbumEffect final
    : public com_support::ComObject<AlbumEffect, IWMPEffects2, com_support::ColourProperty, IgnoredPlayerEvents> {
public:
    AlbumEffect();
    ~AlbumEffect() override;

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
    // IWMPEffects2
    HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* core) override;
    HRESULT STDMETHODCALLTYPE Create(HWND parent) override;
    HRESULT STDMETHODCALLTYPE Destroy() override;
    HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia* media) override;
    HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM w, LPARAM l, LRESULT* result) override;
    HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel* levels, BOOL required) override;

private:
    IWMPCore* eventsCore() const override { return core_; }
    void readTrack(IWMPMedia* media);

    AlbumVisual visual_;
    IWMPCore* core_ = nullptr;
    IWMPMedia* media_ = nullptr;
    HWND parent_ = nullptr;
    LONG currentPreset_ = 0;
    BSTR attributeNames_[attribute::Count] = {};
    // The text the information page shows in its edit box and keeps when closed with OK.
    wchar_t pageText_[260] = {};
};

}  // namespace tevaro::album
