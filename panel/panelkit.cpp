#include "panel/panelkit.h"

#include <oleauto.h>

#include <new>

namespace tevaro::panel {
namespace {

// The width and height the player asks for; the host window is placed by the player anyway.
constexpr LONG DefaultSize = 100;

IUnknown* unknown(IWMPCore* core) { return reinterpret_cast<IUnknown*>(core); }

}  // namespace

Panelkit::~Panelkit() {
    hostWindow_.reset();
    dropCore();
}

void Panelkit::dropCore() {
    if (core_ != nullptr) unknown(core_)->Release();
    core_ = nullptr;
}

HRESULT Panelkit::SetCore(IWMPCore* core) {
    dropCore();
    if (core != nullptr) {
        unknown(core)->AddRef();
        core_ = core;
    }
    return S_OK;
}

HRESULT Panelkit::Create(HWND parent, HWND* window) {
    if (window == nullptr) return E_UNEXPECTED;
    // A second Create replaces the first window rather than leaking it.
    hostWindow_.reset();
    std::unique_ptr<PanelHostWindow> host(new (std::nothrow) PanelHostWindow(core_));
    if (host == nullptr) return E_OUTOFMEMORY;
    HWND created = host->create(parent);
    if (created == nullptr) return E_FAIL;
    hostWindow_ = std::move(host);
    *window = created;
    return S_OK;
}

HRESULT Panelkit::Destroy() {
    if (hostWindow_ == nullptr) return E_UNEXPECTED;
    hostWindow_.reset();
    return S_OK;
}

HRESULT Panelkit::DisplayPropertyPage(HWND) { return E_NOTIMPL; }

HRESULT Panelkit::GetProperty(const WCHAR* name, VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    if (name == nullptr || (lstrcmpiW(name, L"DefaultWidth") != 0 && lstrcmpiW(name, L"DefaultHeight") != 0))
        return E_NOTIMPL;
    VariantInit(value);
    value->vt = VT_I4;
    value->lVal = DefaultSize;
    return S_OK;
}

HRESULT Panelkit::SetProperty(const WCHAR*, const VARIANT*) { return E_NOTIMPL; }

HRESULT Panelkit::TranslateAccelerator(LPMSG message) {
    if (hostWindow_ == nullptr) return E_UNEXPECTED;
    if (message == nullptr) return E_POINTER;
    return S_OK;
}

}  // namespace tevaro::panel
