#include "album_viz/effect/album_effect.h"

#include <oleauto.h>

#include "album_viz/effect/about_page.h"
#include "album_viz/effect/cover_drift_ids.h"
#include "album_viz/effect/effect_resources.h"
#include "com_support/com_module.h"

namespace tevaro::album {
namespace {

constexpr wchar_t PresetTitle[] = L"блаженство  ";  // the two trailing blanks belong to it

bool remoteSession() { return GetSystemMetrics(SM_REMOTESESSION) == 1; }

std::u16string fromBstr(BSTR b) {
    return b != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(b), SysStringLen(b)) : std::u16string();
}

// The rating the player holds for the track now, for the poll every 16 frames.
bool currentUserRating(void* context, std::u16string& value) {
    IWMPMedia* media = *static_cast<IWMPMedia**>(context);
    if (media == nullptr) return false;
    BSTR name = SysAllocString(reinterpret_cast<const wchar_t*>(attribute::name(attribute::UserRating)));
    BSTR text = nullptr;
    const HRESULT hr = name != nullptr ? media->getItemInfo(name, &text) : E_OUTOFMEMORY;
    SysFreeString(name);
    if (FAILED(hr)) return false;
    value = fromBstr(text);
    SysFreeString(text);
    return true;
}

}  // namespace

void IgnoredPlayerEvents::Error() {
    IWMPCore* core = eventsCore();
    IWMPError* errors = nullptr;
    if (core == nullptr || FAILED(core->get_Error(&errors)) || errors == nullptr) return;
    IWMPErrorItem* item = nullptr;
    if (SUCCEEDED(errors->get_Item(0, &item)) && item != nullptr) {
        LONG code = 0;
        item->get_errorCode(&code);
        item->Release();
    }
    errors->Release();
}

AlbumEffect::AlbumEffect() : visual_(com_support::moduleInstance(), currentUserRating, &media_) {
    describedBy(IID_ICoverDrift);
    for (int i = 0; i < attribute::Count; ++i)
        attributeNames_[i] = SysAllocString(reinterpret_cast<const wchar_t*>(attribute::name(i)));
}

AlbumEffect::~AlbumEffect() {
    visual_.destroy();
    if (media_ != nullptr) media_->Release();
    if (core_ != nullptr) core_->Release();
    for (BSTR& b : attributeNames_) SysFreeString(b);
}

void* AlbumEffect::findInterface(REFIID iid) {
    if (iid == IID_ICoverDrift || iid == IID_IDispatch) return static_cast<IEffectColour*>(this);
    if (iid == __uuidof(IWMPEvents)) return static_cast<IWMPEvents*>(this);
    if (iid == __uuidof(IWMPEffects) || iid == __uuidof(IWMPEffects2)) return static_cast<IWMPEffects2*>(this);
    return nullptr;
}

HRESULT AlbumEffect::Render(TimedLevel* levels, HDC hdc, RECT* rect) {
    if (levels == nullptr || rect == nullptr) return E_POINTER;
    visual_.render(levels->frequency[0], hdc, *rect, parent_);
    return S_OK;
}

HRESULT AlbumEffect::MediaInfo(LONG, LONG, BSTR) { return S_OK; }

HRESULT AlbumEffect::GetCapabilities(DWORD* capabilities) {
    if (capabilities == nullptr) return E_POINTER;
    *capabilities = 2;  // EFFECT_HASPROPERTYPAGE; no full screen
    return S_OK;
}

HRESULT AlbumEffect::GetTitle(BSTR* title) {
    if (title == nullptr) return E_POINTER;
    wchar_t text[256];
    const int length = com_support::loadModuleString(IDS_COVERDRIFT_TITLE, text, 256);
    if (length <= 0) return E_FAIL;
    *title = SysAllocStringLen(text, UINT(length));
    return *title != nullptr ? S_OK : E_FAIL;
}

HRESULT AlbumEffect::GetPresetTitle(LONG preset, BSTR* title) {
    if (title == nullptr) return E_POINTER;
    if (preset != 0) return E_INVALIDARG;
    *title = SysAllocString(PresetTitle);
    return *title != nullptr ? S_OK : E_FAIL;
}

HRESULT AlbumEffect::GetPresetCount(LONG* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT AlbumEffect::SetCurrentPreset(LONG preset) {
    if (preset != 0) {
        visual_.discardScene();
        return E_INVALIDARG;
    }
    currentPreset_ = 0;
    visual_.setPresetMarker(1);
    return S_OK;
}

HRESULT AlbumEffect::GetCurrentPreset(LONG* preset) {
    if (preset == nullptr) return E_POINTER;
    *preset = currentPreset_;
    return S_OK;
}

HRESULT AlbumEffect::DisplayPropertyPage(HWND owner) {
    runAboutPage(com_support::moduleInstance(), owner, pageText_);
    return S_OK;
}

HRESULT AlbumEffect::GoFullscreen(BOOL) { return E_NOTIMPL; }
HRESULT AlbumEffect::RenderFullScreen(TimedLevel*) { return E_NOTIMPL; }

HRESULT AlbumEffect::SetCore(IWMPCore* core) {
    if (core_ != nullptr) core_->Release();
    core_ = core;
    if (core == nullptr) return S_OK;
    core->AddRef();
    // The container is asked for the events' connection point, but no sink is advised: the
    // effect holds no cookie to undo it with.
    IConnectionPointContainer* container = nullptr;
    HRESULT hr = core->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr)) return hr;
    IConnectionPoint* point = nullptr;
    hr = container->FindConnectionPoint(__uuidof(IWMPEvents), &point);
    if (point != nullptr) point->Release();
    container->Release();
    return hr;
}

HRESULT AlbumEffect::Create(HWND parent) {
    parent_ = parent;
    return S_OK;
}

HRESULT AlbumEffect::Destroy() {
    visual_.destroy();
    parent_ = nullptr;
    return S_OK;
}

HRESULT AlbumEffect::NotifyNewMedia(IWMPMedia* media) {
    if (media == nullptr) return S_OK;
    if (remoteSession()) return E_FAIL;
    media->AddRef();
    if (media_ != nullptr) media_->Release();
    media_ = media;
    readTrack(media);
    visual_.trackChanged();
    return S_OK;
}

void AlbumEffect::readTrack(IWMPMedia* media) {
    LONG count = 0;
    if (FAILED(media->get_attributeCount(&count))) return;
    TrackInfo& track = visual_.track();
    for (LONG i = 0; i < count; ++i) {
        BSTR name = nullptr;
        if (FAILED(media->getAttributeName(i, &name)) || name == nullptr) continue;
        const int index = attribute::find(fromBstr(name));
        SysFreeString(name);
        if (index < 0 || index == attribute::MoreInfo) continue;
        BSTR value = nullptr;
        if (SUCCEEDED(media->getItemInfo(attributeNames_[index], &value)))
            track.apply(attribute::name(index), fromBstr(value));
        SysFreeString(value);
    }
}

HRESULT AlbumEffect::OnWindowMessage(UINT message, WPARAM, LPARAM l, LRESULT*) {
    if (remoteSession()) return E_FAIL;
    const int x = int(short(LOWORD(l))), y = int(short(HIWORD(l)));
    switch (message) {
        case WM_MOUSEMOVE:
            visual_.pointer(PointerEvent::Move, x, y);
            break;
        case WM_LBUTTONDOWN:
            visual_.pointer(PointerEvent::LeftDown, x, y);
            break;
        case WM_LBUTTONUP:
            visual_.pointer(PointerEvent::LeftUp, x, y);
            break;
        default:
            break;
    }
    return S_FALSE;  // the player goes on handling every message
}

HRESULT AlbumEffect::RenderWindowed(TimedLevel* levels, BOOL) {
    if (parent_ == nullptr) return E_UNEXPECTED;
    if (remoteSession()) return E_FAIL;
    if (levels == nullptr) return E_POINTER;
    HDC dc = GetDC(parent_);
    RECT client{};
    GetClientRect(parent_, &client);
    Render(levels, dc, &client);
    ReleaseDC(parent_, dc);
    return S_OK;
}

}  // namespace tevaro::album
