// IWMPEffects and the effect's own dual interface through CoCreateInstance on the registered DLL:
// every method's answers with null pointers and out-of-range presets, out-parameters pre-filled
// with sentinels, the colour property through the vtable and through IDispatch::Invoke, the type
// information, aggregation, and the module's count.
#include <climits>
#include <cstdint>

#include "com_support/tests/win/aggregation_check.h"
#include "com_support/tests/win/colour_property_check.h"
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

TEST_P(EffectConformance, ForegroundColourThroughTheVtable) { com_support::test::expectColourThroughVtable(colour_); }

TEST_P(EffectConformance, ForegroundColourThroughIDispatchInvoke) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(effect_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    com_support::test::expectColourThroughDispatch(dispatch);
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
