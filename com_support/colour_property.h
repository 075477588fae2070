#pragma once
// The dual colour interface every visualization adds (IGlintora, ICoverDrift …): the property
// foregroundColor as "#RRGGBB" over a COLORREF that is stored and handed back only, and IDispatch
// from the module's type library. A COM object derives from it in place of IEffectColour.
#include <windows.h>
#include <oaidl.h>

#include "com_support/dual_dispatch.h"
#include "com_support/wmp_effects.h"

namespace com_support {

class ColourProperty : public IEffectColour {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override;
    HRESULT STDMETHODCALLTYPE get_foregroundColor(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_foregroundColor(BSTR value) override;

protected:
    ~ColourProperty() = default;
    // The object's own interface id, as its type library names it; set in the object's constructor.
    void describedBy(const IID& dualInterface) { dispatch_.describe(dualInterface); }

private:
    DualDispatch dispatch_;
    COLORREF colour_ = 0x000000FF;
};

}  // namespace com_support
