#pragma once
// DspPluginPropertyPage: the informational page the player shows for the plug-in's properties.
// A picture and the product lines; nothing to edit, never dirty.
#include <ocidl.h>

#include "com_support/com_object.h"

namespace tevaro::plugin {

class DspPluginPropertyPage final : public com_support::ComObject<DspPluginPropertyPage, IPropertyPage> {
public:
    DspPluginPropertyPage() = default;
    ~DspPluginPropertyPage();

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
    IPropertyPageSite* site_ = nullptr;  // counted reference until SetPageSite(null)
    HWND dialog_ = nullptr;              // exists between Activate and Deactivate
    SIZE size_{};                        // of the dialog in pixels, as last placed
    bool dirty_ = false;                 // nothing on the page can change
};

}  // namespace tevaro::plugin
