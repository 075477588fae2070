// IWMPEffects and the effect's own dual interface through CoCreateInstance on the registered DLL:
// every method's answers with null pointers and out-of-range presets, out-parameters pre-filled
// with sentinels, the colour property through the vtable and through IDispatch::Invoke, the type
// information, aggregation, and the module's count.
#include <climits>
#include <cstdint>

#include "com_support/tests/win/aggregation_check.h"
#include "com_support/tests/win/interface_table_check.h"
#include "effect_test_support.h"

namespace tevaro::viz::test {
namespace {

constexpr DWORD Sentinel = 0xDEADBEEF;
const BSTR SentinelText = reinterpret_cast<BSTR>(static_cast<std::uintptr_t>(0xDEADBEEF));
const IID IID_Effects2 = {0x695386ec, 0xaa3c, 0x4618, {0xa5, 0xe1, 0xdd, 0x9a, 0x8b, 0x98, 0x76, 0x32}};

class EffectConformance : public testing::TestWithParam<EffectRow> {
protected:
    void SetUp() override {
        effect_ = createEffect(GetParam());
        ASSERT_NE(effect_, nullptr);
        ASSERT_EQ(effect_->QueryInterface(GetParam().colourInterface, reinterpret_cast<void**>(&colour_)), S_OK);
    }
    void TearDown() override {
        if (colour_ != nullptr) colour_->Release();
        if (effect_ != nullptr) {
            EXPECT_EQ(effect_->Release(), 0u);
        }
    }
    IWMPEffects* effect_ = nullptr;
    IEffectColour* colour_ = nullptr;
};

TEST_P(EffectConformance, AnswersForThePlayersInterfaceAndItsOwnDualInterface) {
    const com_support::test::InterfaceRow rows[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IWMPEffects", __uuidof(IWMPEffects), S_OK},
        {"own interface", GetParam().colourInterface, S_OK},
        {"IDispatch", IID_IDispatch, S_OK},
        {"IWMPEffects2", IID_Effects2, E_NOINTERFACE},
        {"IPersist", IID_IPersist, E_NOINTERFACE},
        {"IOleObject", IID_IOleObject, E_NOINTERFACE},
        {"IClassFactory", IID_IClassFactory, E_NOINTERFACE},
    };
    com_support::test::expectInterfaceTable(effect_, rows);
}

TEST_P(EffectConformance, NullOutPointersAreRefusedByEveryMethod) {
    EXPECT_EQ(effect_->GetCapabilities(nullptr), E_POINTER);
    EXPECT_EQ(effect_->GetTitle(nullptr), E_POINTER);
    EXPECT_EQ(effect_->GetPresetTitle(0, nullptr), E_POINTER);
    EXPECT_EQ(effect_->GetPresetTitle(7, nullptr), E_POINTER) << "the pointer is checked before the index";
    EXPECT_EQ(effect_->GetPresetCount(nullptr), E_POINTER);
    EXPECT_EQ(effect_->GetCurrentPreset(nullptr), E_POINTER);
    EXPECT_EQ(colour_->get_foregroundColor(nullptr), E_POINTER);
    EXPECT_EQ(colour_->put_foregroundColor(nullptr), E_POINTER);
}

TEST_P(EffectConformance, CapabilitiesTitleAndPresetsAsTheMenusShowThem) {
    const EffectRow& row = GetParam();
    DWORD capabilities = Sentinel;
    EXPECT_EQ(effect_->GetCapabilities(&capabilities), S_OK);
    EXPECT_EQ(capabilities, 0u) << "no full screen, no property page";

    BSTR title = SentinelText;
    ASSERT_EQ(effect_->GetTitle(&title), S_OK);
    EXPECT_EQ(takeText(title), row.title);

    LONG count = static_cast<LONG>(Sentinel);
    EXPECT_EQ(effect_->GetPresetCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    for (LONG i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        BSTR name = SentinelText;
        ASSERT_EQ(effect_->GetPresetTitle(i, &name), S_OK);
        EXPECT_EQ(takeText(name), row.presets[i]) << "trailing blanks belong to the name";
    }
}

TEST_P(EffectConformance, PresetIndexOutsideZeroToTwoIsInvalidAndKeepsTheCurrentPreset) {
    LONG current = static_cast<LONG>(Sentinel);
    EXPECT_EQ(effect_->GetCurrentPreset(&current), S_OK);
    EXPECT_EQ(current, 0) << "a new object starts at preset 0";
    EXPECT_EQ(effect_->SetCurrentPreset(2), S_OK);
    for (LONG bad : {3L, -1L, 4L, LONG_MAX, LONG_MIN}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(effect_->SetCurrentPreset(bad), E_INVALIDARG);
        BSTR name = nullptr;
        EXPECT_EQ(effect_->GetPresetTitle(bad, &name), E_INVALIDARG);
        current = static_cast<LONG>(Sentinel);
        EXPECT_EQ(effect_->GetCurrentPreset(&current), S_OK);
        EXPECT_EQ(current, 2);
    }
    for (LONG good : {1L, 0L, 2L}) {
        EXPECT_EQ(effect_->SetCurrentPreset(good), S_OK);
        current = static_cast<LONG>(Sentinel);
        EXPECT_EQ(effect_->GetCurrentPreset(&current), S_OK);
        EXPECT_EQ(current, good);
    }
}

TEST_P(EffectConformance, MediaInfoIsIgnoredAndTheFullScreenAndPageMethodsAreNotImplemented) {
    EXPECT_EQ(effect_->MediaInfo(2, 44100, nullptr), S_OK);
    BSTR title = SysAllocString(L"a track");
    EXPECT_EQ(effect_->MediaInfo(-1, 0, title), S_OK);
    SysFreeString(title);
    EXPECT_EQ(effect_->DisplayPropertyPage(nullptr), E_NOTIMPL);
    EXPECT_EQ(effect_->GoFullscreen(TRUE), E_NOTIMPL);
    EXPECT_EQ(effect_->GoFullscreen(FALSE), E_NOTIMPL);
    TimedLevel levels{};
    EXPECT_EQ(effect_->RenderFullScreen(&levels), E_NOTIMPL);
    EXPECT_EQ(effect_->RenderFullScreen(nullptr), E_NOTIMPL);
}

// The colour strings of the property's edge cases, each with the text read back afterwards.
struct ColourCase {
    const wchar_t* put;
    HRESULT expected;
    const wchar_t* readBack;
};
const ColourCase ColourCases[] = {
    {L"#00ff80", S_OK, L"#00FF80"},      {L"X00FF80", S_OK, L"#00FF80"},  // the first character is not checked
    {L"#aBcDeF", S_OK, L"#ABCDEF"},      {L"#000000", S_OK, L"#000000"},      {L"00FF80", E_INVALIDARG, nullptr},
    {L"#00FF8G", E_INVALIDARG, nullptr}, {L"", E_INVALIDARG, nullptr},        {L"#00FF800", E_INVALIDARG, nullptr},
    {L"#", E_INVALIDARG, nullptr},       {L"# 0FF80", E_INVALIDARG, nullptr}, {L"#0xFF80", E_INVALIDARG, nullptr},
    {L"#00FF8-", E_INVALIDARG, nullptr},
};

// After a refused put the stored colour is the one before it; each case starts from #123456.
TEST_P(EffectConformance, ForegroundColourThroughTheVtable) {
    BSTR text = SentinelText;
    ASSERT_EQ(colour_->get_foregroundColor(&text), S_OK);
    EXPECT_EQ(takeText(text), L"#FF0000") << "the initial colour";
    for (const ColourCase& c : ColourCases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.put << "\"");
        BSTR start = SysAllocString(L"#123456");
        ASSERT_EQ(colour_->put_foregroundColor(start), S_OK);
        SysFreeString(start);
        BSTR value = SysAllocString(c.put);
        EXPECT_EQ(colour_->put_foregroundColor(value), c.expected);
        SysFreeString(value);
        text = SentinelText;
        ASSERT_EQ(colour_->get_foregroundColor(&text), S_OK);
        EXPECT_EQ(takeText(text), c.readBack != nullptr ? c.readBack : L"#123456");
    }
}

HRESULT invokePut(IDispatch* dispatch, DISPID id, BSTR value, EXCEPINFO& exception) {
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

std::wstring invokeGet(IDispatch* dispatch, DISPID id) {
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;  // a sentinel type the call must replace
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    UINT bad = 0;
    const HRESULT hr =
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, &exception, &bad);
    if (hr != S_OK || result.vt != VT_BSTR) return L"<failed>";
    std::wstring text = takeText(result.bstrVal);
    return text;
}

TEST_P(EffectConformance, ForegroundColourThroughIDispatchInvoke) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(effect_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"foregroundColor");
    DISPID id = static_cast<DISPID>(Sentinel);
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 1);
    LPOLESTR unknown = const_cast<LPOLESTR>(L"backgroundColor");
    DISPID none = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &none), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(invokeGet(dispatch, id), L"#FF0000");

    for (const ColourCase& c : ColourCases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.put << "\"");
        EXCEPINFO exception{};
        BSTR start = SysAllocString(L"#123456");
        ASSERT_EQ(invokePut(dispatch, id, start, exception), S_OK);
        SysFreeString(start);
        BSTR value = SysAllocString(c.put);
        exception = EXCEPINFO{};
        const HRESULT hr = invokePut(dispatch, id, value, exception);
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
        EXPECT_EQ(invokeGet(dispatch, id), c.readBack != nullptr ? c.readBack : L"#123456");
    }
    EXCEPINFO exception{};
    EXPECT_EQ(invokePut(dispatch, id, nullptr, exception), DISP_E_EXCEPTION) << "a null string";
    EXPECT_EQ(exception.scode, E_POINTER);
    EXPECT_EQ(dispatch->Release(), 2u) << "the fixture holds the object twice";
}

TEST_P(EffectConformance, TypeInformationDescribesTheDualInterface) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(effect_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    UINT count = Sentinel;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(dispatch->GetTypeInfoCount(nullptr), E_POINTER);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(static_cast<std::uintptr_t>(Sentinel));
    EXPECT_EQ(dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    ASSERT_NE(info, nullptr);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, GetParam().colourInterface);
    EXPECT_EQ(attributes->cFuncs, 2) << "the property's get and put";
    info->ReleaseTypeAttr(attributes);
    info->Release();
    EXPECT_EQ(dispatch->Release(), 2u) << "the fixture holds the object twice";
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectConformance, testing::ValuesIn(EffectDlls), rowName);

class EffectModule : public testing::TestWithParam<EffectRow> {};

TEST_P(EffectModule, ClassFactoryAggregatesTheObject) {
    const EffectRow& row = GetParam();
    com_support::test::expectAggregatable({row.name, row.clsid, __uuidof(IWMPEffects)}, row.dll);
}

TEST_P(EffectModule, CanUnloadNowFollowsTheObjects) {
    const EffectRow& row = GetParam();
    IUnknown* object = nullptr;
    ASSERT_EQ(
        CoCreateInstance(row.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        S_OK);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(row.dll), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(canUnload(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectModule, testing::ValuesIn(EffectDlls), rowName);

}  // namespace
}  // namespace tevaro::viz::test
