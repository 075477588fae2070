#pragma once
// The foreground colour property every visualization carries ("#RRGGBB"), checked through its
// vtable and through IDispatch::Invoke: the edge cases of the text, each from a known colour, with
// the text read back afterwards (a refused put keeps the colour before it).
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "com_support/wmp_effects.h"

namespace com_support::test {

struct ColourCase {
    const wchar_t* put;
    HRESULT expected;
    const wchar_t* readBack;  // null: the colour before the put
};
inline const ColourCase ColourCases[] = {
    {L"#00ff80", S_OK, L"#00FF80"},      {L"X00FF80", S_OK, L"#00FF80"},  // the first character is not checked
    {L"x12AB34", S_OK, L"#12AB34"},      {L"#aBcDeF", S_OK, L"#ABCDEF"},       {L"#000000", S_OK, L"#000000"},
    {L"00FF80", E_INVALIDARG, nullptr},  {L"#00FF8", E_INVALIDARG, nullptr},   {L"#00FF8G", E_INVALIDARG, nullptr},
    {L"", E_INVALIDARG, nullptr},        {L"#00FF800", E_INVALIDARG, nullptr}, {L"#", E_INVALIDARG, nullptr},
    {L"# 0FF80", E_INVALIDARG, nullptr}, {L"#0xFF80", E_INVALIDARG, nullptr},  {L"#00FF8-", E_INVALIDARG, nullptr},
};
inline constexpr const wchar_t* InitialColour = L"#FF0000";
inline constexpr const wchar_t* StartColour = L"#123456";

// The text of a BSTR, freed; "<null>" for none.
inline std::wstring takeBstr(BSTR text) {
    if (text == nullptr) return L"<null>";
    std::wstring s(text, SysStringLen(text));
    SysFreeString(text);
    return s;
}

inline void expectColourThroughVtable(IEffectColour* colour) {
    BSTR text = reinterpret_cast<BSTR>(static_cast<std::uintptr_t>(0xDEADBEEF));
    ASSERT_EQ(colour->get_foregroundColor(&text), S_OK);
    EXPECT_EQ(takeBstr(text), InitialColour);
    for (const ColourCase& c : ColourCases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.put << "\"");
        BSTR start = SysAllocString(StartColour);
        ASSERT_EQ(colour->put_foregroundColor(start), S_OK);
        SysFreeString(start);
        BSTR value = SysAllocString(c.put);
        EXPECT_EQ(colour->put_foregroundColor(value), c.expected);
        SysFreeString(value);
        text = nullptr;
        ASSERT_EQ(colour->get_foregroundColor(&text), S_OK);
        EXPECT_EQ(takeBstr(text), c.readBack != nullptr ? c.readBack : StartColour);
    }
}

inline HRESULT invokeColourPut(IDispatch* dispatch, DISPID id, BSTR value, EXCEPINFO& exception) {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&argument, &named, 1, 1};
    UINT bad = 0;
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, &exception,
                            &bad);
}

inline std::wstring invokeColourGet(IDispatch* dispatch, DISPID id) {
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;  // a sentinel type the call must replace
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    UINT bad = 0;
    const HRESULT hr =
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, &exception, &bad);
    if (hr != S_OK || result.vt != VT_BSTR) return L"<failed>";
    return takeBstr(result.bstrVal);
}

inline void expectColourThroughDispatch(IDispatch* dispatch) {
    LPOLESTR name = const_cast<LPOLESTR>(L"foregroundColor");
    DISPID id = static_cast<DISPID>(0xDEADBEEF);
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 1);
    LPOLESTR unknown = const_cast<LPOLESTR>(L"backgroundColor");
    DISPID none = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &none), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(invokeColourGet(dispatch, id), InitialColour);
    for (const ColourCase& c : ColourCases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.put << "\"");
        EXCEPINFO exception{};
        BSTR start = SysAllocString(StartColour);
        ASSERT_EQ(invokeColourPut(dispatch, id, start, exception), S_OK);
        SysFreeString(start);
        BSTR value = SysAllocString(c.put);
        exception = EXCEPINFO{};
        const HRESULT hr = invokeColourPut(dispatch, id, value, exception);
        SysFreeString(value);
        if (c.expected == S_OK) {
            EXPECT_EQ(hr, S_OK);
        } else {
            // A failing method reaches an automation caller as an exception carrying its HRESULT.
            EXPECT_EQ(hr, DISP_E_EXCEPTION);
            EXPECT_EQ(exception.scode, c.expected);
        }
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        EXPECT_EQ(invokeColourGet(dispatch, id), c.readBack != nullptr ? c.readBack : StartColour);
    }
    EXCEPINFO exception{};
    EXPECT_EQ(invokeColourPut(dispatch, id, nullptr, exception), DISP_E_EXCEPTION) << "a null string";
    EXPECT_EQ(exception.scode, E_POINTER);
}

}  // namespace com_support::test
