#pragma once
// DspPluginPropertyPage: the informational page the player shows for the plug-in's properties.
// A picture and the product lines; nothing to edit, never dirty.
#include <ocidl.h>

#include "com_support/com_module.h"

namespace tevaro::plugin {

class DspPluginPropertyPage final : public IPropertyPage {
public:
    DspPluginPropertyPage() = default;
    ~DspPluginPropertyPage();
    DspPluginPropertyPage(const DspPluginPropertyPage&) = delete;
    DspPluginPropertyPage& operator=(const DspPluginPropertyPage&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDirectory) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

private:
    com_support::ModuleReference module_;
    volatile LONG refs_ = 1;
    IPropertyPageSite* site_ = nullptr;  // counted reference until SetPageSite(null)
    HWND dialog_ = nullptr;              // exists between Activate and Deactivate
    SIZE size_{};                        // of the dialog in pixels, as last placed
    bool dirty_ = false;                 // nothing on the page can change
};

}  // namespace tevaro::plugin
