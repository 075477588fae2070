#include "com_support/colour_property.h"

#include <oleauto.h>

#include <cwchar>

#include "com_support/foreground_colour.h"

namespace com_support {

HRESULT ColourProperty::GetTypeInfoCount(UINT* count) { return dispatch_.getTypeInfoCount(count); }

HRESULT ColourProperty::GetTypeInfo(UINT index, LCID, ITypeInfo** info) { return dispatch_.getTypeInfo(index, info); }

HRESULT ColourProperty::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return dispatch_.getIDsOfNames(iid, names, count, ids);
}

HRESULT ColourProperty::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                               EXCEPINFO* exception, UINT* badArgument) {
    return dispatch_.invoke(static_cast<IEffectColour*>(this), id, iid, flags, parameters, result, exception,
                            badArgument);
}

HRESULT ColourProperty::get_foregroundColor(BSTR* value) {
    if (value == nullptr) return E_POINTER;
    const std::u16string text = tevaro::viz::formatForegroundColour(colour_);
    *value = SysAllocStringLen(reinterpret_cast<const wchar_t*>(text.data()), static_cast<UINT>(text.size()));
    return *value != nullptr ? S_OK : E_FAIL;  // as every failed string allocation of the effects
}

HRESULT ColourProperty::put_foregroundColor(BSTR value) {
    if (value == nullptr) return E_POINTER;
    std::uint32_t parsed = 0;
    if (tevaro::viz::parseForegroundColour(reinterpret_cast<const char16_t*>(value), std::wcslen(value), parsed) !=
        tevaro::viz::ColourParse::ok)
        return E_INVALIDARG;
    colour_ = parsed;
    return S_OK;
}

}  // namespace com_support
