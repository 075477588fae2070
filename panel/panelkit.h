#pragma once
// Panelkit: the settings-area plug-in object the player creates. IWMPPluginUI only; it can be
// aggregated. Create makes the host window (and with it the panel), Destroy ends it; the player's
// core is held, handed to the panel, and never called.
#include <windows.h>

#include <memory>

#include "com_support/com_object.h"
#include "com_support/wmp_plugin.h"
#include "panel/panel_host_window.h"

namespace tevaro::panel {

class Panelkit final : public com_support::ComObject<Panelkit, IWMPPluginUI> {
public:
    Panelkit() = default;
    ~Panelkit();

    HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* core) override;
    HRESULT STDMETHODCALLTYPE Create(HWND parent, HWND* window) override;
    HRESULT STDMETHODCALLTYPE Destroy() override;
    HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND parent) override;
    HRESULT STDMETHODCALLTYPE GetProperty(const WCHAR* name, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetProperty(const WCHAR* name, const VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;

private:
    void dropCore();

    std::unique_ptr<PanelHostWindow> hostWindow_;  // between Create and Destroy
    IWMPCore* core_ = nullptr;                     // counted
};

}  // namespace tevaro::panel
