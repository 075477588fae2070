// IWMPPluginUI of Panelkit through CoCreateInstance on the registered DLL: every method's answers
// before, during and after the window's life, the one interface, aggregation, and the module's
// count.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>

#include "com_support/tests/win/aggregation_check.h"
#include "com_support/tests/win/interface_table_check.h"
#include "com_support/wmp_plugin.h"
#include "host_sim/ui/recording_core.h"
#include "host_sim/ui/ui_plugin_host.h"
#include "panel_test_support.h"

namespace tevaro::panel::test {
namespace {

constexpr IID IID_PluginUI = {0x4c5e8f9f, 0xad3e, 0x4bf9, {0x97, 0x53, 0xfc, 0xd3, 0x0d, 0x6d, 0x38, 0xdd}};

class PanelkitConformance : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            CoCreateInstance(PanelClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PluginUI, reinterpret_cast<void**>(&ui_)),
            S_OK);
    }
    void TearDown() override {
        if (ui_ != nullptr) {
            EXPECT_EQ(ui_->Release(), 0u);
        }
    }
    IWMPPluginUI* ui_ = nullptr;
};

TEST_F(PanelkitConformance, AnswersForIUnknownAndIWMPPluginUIOnly) {
    const com_support::test::InterfaceRow rows[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IWMPPluginUI", IID_PluginUI, S_OK},
        {"IDispatch", IID_IDispatch, E_NOINTERFACE},
        {"IOleObject", IID_IOleObject, E_NOINTERFACE},
        {"IWMPPluginEnable", __uuidof(IWMPPluginEnable), E_NOINTERFACE},
        {"ISpecifyPropertyPages", IID_ISpecifyPropertyPages, E_NOINTERFACE},
    };
    com_support::test::expectInterfaceTable(ui_, rows);
}

TEST_F(PanelkitConformance, MethodsBeforeCreateAndWithoutAWindow) {
    EXPECT_EQ(ui_->TranslateAccelerator(nullptr), E_UNEXPECTED) << "no window yet, before the pointer check";
    MSG message{};
    EXPECT_EQ(ui_->TranslateAccelerator(&message), E_UNEXPECTED);
    EXPECT_EQ(ui_->Destroy(), E_UNEXPECTED);
    EXPECT_EQ(ui_->Create(nullptr, nullptr), E_UNEXPECTED);
    EXPECT_EQ(ui_->DisplayPropertyPage(nullptr), E_NOTIMPL);
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(ui_->SetProperty(L"DefaultWidth", &v), E_NOTIMPL);
    EXPECT_EQ(ui_->SetCore(nullptr), S_OK);
}

TEST_F(PanelkitConformance, DefaultSizeIsOneHundredWhateverTheCase) {
    struct Row {
        const wchar_t* name;
        HRESULT expected;
    };
    const Row rows[] = {
        {L"DefaultWidth", S_OK},       {L"defaultwidth", S_OK},  {L"DEFAULTHEIGHT", S_OK},
        {L"DefaultHeight", S_OK},      {L"dEfAuLtHeIgHt", S_OK}, {L"MinWidth", E_NOTIMPL},
        {L"DefaultWidth ", E_NOTIMPL}, {L"", E_NOTIMPL},         {L"PresetCount", E_NOTIMPL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "\"" << row.name << "\"");
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;  // a sentinel type the call must replace
        EXPECT_EQ(ui_->GetProperty(row.name, &v), row.expected);
        if (row.expected == S_OK) {
            EXPECT_EQ(v.vt, VT_I4);
            EXPECT_EQ(v.lVal, 100);
        }
    }
    EXPECT_EQ(ui_->GetProperty(L"DefaultWidth", nullptr), E_POINTER) << "even for a known name";
}

TEST_F(PanelkitConformance, WindowLifeAndTheHeldCore) {
    setEnabledText(L"true");
    host_sim::UiPluginHost host;
    auto* core = new host_sim::RecordingCore();
    EXPECT_EQ(ui_->SetCore(core), S_OK);
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xDEADBEEF));
    ASSERT_EQ(ui_->Create(host.settingsArea(), &window), S_OK);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), host.settingsArea());
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    for (LONG bit : {WS_CHILD, WS_VISIBLE, WS_CLIPCHILDREN, WS_CLIPSIBLINGS}) EXPECT_EQ(style & bit, bit);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 100);

    MSG message{};
    EXPECT_EQ(ui_->TranslateAccelerator(nullptr), E_POINTER);
    EXPECT_EQ(ui_->TranslateAccelerator(&message), S_OK);
    message.message = WM_KEYDOWN;
    message.wParam = VK_TAB;
    EXPECT_EQ(ui_->TranslateAccelerator(&message), S_OK);
    host.pumpFor(100);

    EXPECT_EQ(ui_->Destroy(), S_OK);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ui_->Destroy(), E_UNEXPECTED) << "the second Destroy";
    EXPECT_EQ(ui_->TranslateAccelerator(&message), E_UNEXPECTED);
    EXPECT_TRUE(core->calls().empty()) << "the core is held, never called: " << core->calls().front();
    EXPECT_EQ(ui_->SetCore(nullptr), S_OK);
    EXPECT_EQ(core->Release(), 0u) << "the plug-in and its panel let the core go";
}

TEST(PanelkitAggregation, InnerUnknownAndDelegatingInterface) {
    com_support::test::expectAggregatable({"Panelkit_IWMPPluginUI", PanelClsid, IID_PluginUI}, PanelDll);
}

TEST(PanelkitModule, CanUnloadNowFollowsTheObjects) {
    IUnknown* object = nullptr;
    ASSERT_EQ(
        CoCreateInstance(PanelClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        S_OK);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload =
        reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(panelModule(), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
}  // namespace tevaro::panel::test
