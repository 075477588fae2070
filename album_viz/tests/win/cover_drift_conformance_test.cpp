// CoverDrift through CoCreateInstance on the registered DLL: the interfaces it answers, every
// IWMPEffects2 method's result in slot order, the colour property through the vtable and
// IDispatch, the type information, the core's connection point asked for but never advised, the
// modal information page, aggregation and the module's count.
#include <cstdint>
#include <string>
#include <vector>

#include <olectl.h>
#include <wmp.h>

#include "com_support/tests/win/aggregation_check.h"
#include "com_support/tests/win/colour_property_check.h"
#include "com_support/tests/win/interface_table_check.h"
#include "cover_drift_test_support.h"

namespace tevaro::album::test {
namespace {

using com_support::test::takeBstr;
constexpr DWORD Sentinel = 0xDEADBEEF;
const BSTR SentinelText = reinterpret_cast<BSTR>(static_cast<std::uintptr_t>(Sentinel));

class CoverDriftConformance : public testing::Test {
protected:
    void SetUp() override {
        effect_ = createCoverDrift();
        ASSERT_NE(effect_, nullptr);
    }
    void TearDown() override {
        if (effect_ != nullptr) {
            EXPECT_EQ(effect_->Release(), 0u);
        }
    }
    IWMPEffects2* effect_ = nullptr;
};

TEST_F(CoverDriftConformance, AnswersThePlayersInterfacesAndItsOwnDualInterface) {
    const com_support::test::InterfaceRow rows[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"ICoverDrift", CoverDriftInterface, S_OK},
        {"IDispatch", IID_IDispatch, S_OK},
        {"IWMPEvents", EventsInterface, S_OK},
        {"IWMPEffects", __uuidof(IWMPEffects), S_OK},
        {"IWMPEffects2", Effects2Interface, S_OK},
        {"IPersist", IID_IPersist, E_NOINTERFACE},
        {"IConnectionPointContainer", IID_IConnectionPointContainer, E_NOINTERFACE},
        {"IClassFactory", IID_IClassFactory, E_NOINTERFACE},
    };
    com_support::test::expectInterfaceTable(effect_, rows);
}

// One row per method of IWMPEffects2, in slot order, with the answer the player relies on.
TEST_F(CoverDriftConformance, EveryMethodInSlotOrder) {
    struct Row {
        const char* method;
        HRESULT (*call)(IWMPEffects2*);
        HRESULT expected;
    };
    static TimedLevel levels{};
    static RECT rect{0, 0, 350, 320};
    const Row rows[] = {
        {"Render without levels", [](IWMPEffects2* e) { return e->Render(nullptr, nullptr, &rect); }, E_POINTER},
        {"Render without a rectangle", [](IWMPEffects2* e) { return e->Render(&levels, nullptr, nullptr); }, E_POINTER},
        {"MediaInfo", [](IWMPEffects2* e) { return e->MediaInfo(2, 44100, nullptr); }, S_OK},
        {"GetCapabilities(null)", [](IWMPEffects2* e) { return e->GetCapabilities(nullptr); }, E_POINTER},
        {"GetTitle(null)", [](IWMPEffects2* e) { return e->GetTitle(nullptr); }, E_POINTER},
        {"GetPresetTitle(0, null)", [](IWMPEffects2* e) { return e->GetPresetTitle(0, nullptr); }, E_POINTER},
        {"GetPresetTitle(1)",
         [](IWMPEffects2* e) {
             BSTR t = SentinelText;
             return e->GetPresetTitle(1, &t);
         },
         E_INVALIDARG},
        {"GetPresetTitle(-1)",
         [](IWMPEffects2* e) {
             BSTR t = SentinelText;
             return e->GetPresetTitle(-1, &t);
         },
         E_INVALIDARG},
        {"GetPresetCount(null)", [](IWMPEffects2* e) { return e->GetPresetCount(nullptr); }, E_POINTER},
        {"SetCurrentPreset(0)", [](IWMPEffects2* e) { return e->SetCurrentPreset(0); }, S_OK},
        {"SetCurrentPreset(1)", [](IWMPEffects2* e) { return e->SetCurrentPreset(1); }, E_INVALIDARG},
        {"GetCurrentPreset(null)", [](IWMPEffects2* e) { return e->GetCurrentPreset(nullptr); }, E_POINTER},
        {"GoFullscreen(TRUE)", [](IWMPEffects2* e) { return e->GoFullscreen(TRUE); }, E_NOTIMPL},
        {"GoFullscreen(FALSE)", [](IWMPEffects2* e) { return e->GoFullscreen(FALSE); }, E_NOTIMPL},
        {"RenderFullScreen", [](IWMPEffects2* e) { return e->RenderFullScreen(&levels); }, E_NOTIMPL},
        {"SetCore(null)", [](IWMPEffects2* e) { return e->SetCore(nullptr); }, S_OK},
        {"Destroy before Create", [](IWMPEffects2* e) { return e->Destroy(); }, S_OK},
        {"NotifyNewMedia(null)", [](IWMPEffects2* e) { return e->NotifyNewMedia(nullptr); }, S_OK},
        {"OnWindowMessage(WM_MOUSEMOVE)",
         [](IWMPEffects2* e) {
             LRESULT r = 0;
             return e->OnWindowMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), &r);
         },
         S_FALSE},
        {"OnWindowMessage(WM_KEYDOWN)",
         [](IWMPEffects2* e) {
             LRESULT r = 0;
             return e->OnWindowMessage(WM_KEYDOWN, VK_SPACE, 0, &r);
         },
         S_FALSE},
        {"RenderWindowed without a window", [](IWMPEffects2* e) { return e->RenderWindowed(&levels, TRUE); },
         E_UNEXPECTED},
        {"Create", [](IWMPEffects2* e) { return e->Create(GetDesktopWindow()); }, S_OK},
        {"Destroy", [](IWMPEffects2* e) { return e->Destroy(); }, S_OK},
        {"RenderWindowed after Destroy", [](IWMPEffects2* e) { return e->RenderWindowed(&levels, TRUE); },
         E_UNEXPECTED},
    };
    for (const Row& row : rows) EXPECT_EQ(row.call(effect_), row.expected) << row.method;
}

TEST_F(CoverDriftConformance, CapabilitiesTitleAndTheOnePreset) {
    DWORD capabilities = Sentinel;
    EXPECT_EQ(effect_->GetCapabilities(&capabilities), S_OK);
    EXPECT_EQ(capabilities, 2u) << "a property page, no full screen";
    BSTR title = SentinelText;
    ASSERT_EQ(effect_->GetTitle(&title), S_OK);
    EXPECT_EQ(takeBstr(title), L"Windows Media Player 10");
    LONG count = LONG(Sentinel);
    EXPECT_EQ(effect_->GetPresetCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    BSTR name = SentinelText;
    ASSERT_EQ(effect_->GetPresetTitle(0, &name), S_OK);
    EXPECT_EQ(takeBstr(name), L"\u0431\u043b\u0430\u0436\u0435\u043d\u0441\u0442\u0432\u043e  ")
        << "the two trailing blanks belong to the name";
}

TEST_F(CoverDriftConformance, ABadPresetIsRefusedAndTheCurrentOneStays) {
    LONG current = LONG(Sentinel);
    EXPECT_EQ(effect_->GetCurrentPreset(&current), S_OK);
    EXPECT_EQ(current, 0);
    for (LONG bad : {1L, -1L, 2L, 100L}) {
        EXPECT_EQ(effect_->SetCurrentPreset(bad), E_INVALIDARG) << bad;
        current = LONG(Sentinel);
        EXPECT_EQ(effect_->GetCurrentPreset(&current), S_OK);
        EXPECT_EQ(current, 0);
    }
    EXPECT_EQ(effect_->SetCurrentPreset(0), S_OK);
}

TEST_F(CoverDriftConformance, ForegroundColourThroughTheVtable) {
    IEffectColour* colour = nullptr;
    ASSERT_EQ(effect_->QueryInterface(CoverDriftInterface, reinterpret_cast<void**>(&colour)), S_OK);
    com_support::test::expectColourThroughVtable(colour);
    EXPECT_EQ(colour->get_foregroundColor(nullptr), E_POINTER);
    EXPECT_EQ(colour->put_foregroundColor(nullptr), E_POINTER);
    colour->Release();
}

TEST_F(CoverDriftConformance, ForegroundColourThroughIDispatchInvoke) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(effect_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    com_support::test::expectColourThroughDispatch(dispatch);
    dispatch->Release();
}

TEST_F(CoverDriftConformance, TypeInformationDescribesICoverDrift) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(effect_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    UINT count = Sentinel;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(static_cast<std::uintptr_t>(Sentinel));
    EXPECT_EQ(dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, CoverDriftInterface);
    EXPECT_EQ(attributes->cFuncs, 2) << "the property's get and put";
    info->ReleaseTypeAttr(attributes);
    info->Release();
    dispatch->Release();
}

// A player core that only has its connection points: it records what the effect asks of them.
// The effect holds the core as IWMPCore but calls nothing but IUnknown on it and the container.
class RecordingCore final : public IConnectionPointContainer, public IConnectionPoint {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IConnectionPointContainer)
            *object = static_cast<IConnectionPointContainer*>(this);
        else if (iid == IID_IConnectionPoint)
            *object = static_cast<IConnectionPoint*>(this);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        asked.push_back(iid);
        if (!hasPoint) {
            *point = nullptr;
            return CONNECT_E_NOCONNECTION;
        }
        *point = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown*, DWORD*) override {
        ++advised;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    IWMPCore* asCore() { return reinterpret_cast<IWMPCore*>(static_cast<IConnectionPointContainer*>(this)); }
    ULONG references = 1;
    std::vector<IID> asked;
    int advised = 0;
    bool hasPoint = true;
};

TEST_F(CoverDriftConformance, SetCoreAsksForTheEventsPointButNeverSubscribes) {
    struct Case {
        const char* name;
        bool hasPoint;
        HRESULT expected;
    };
    const Case cases[] = {{"a core with the events point", true, S_OK},
                          {"a core without it", false, CONNECT_E_NOCONNECTION}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCore core;
        core.hasPoint = c.hasPoint;
        EXPECT_EQ(effect_->SetCore(core.asCore()), c.expected);
        ASSERT_EQ(core.asked.size(), 1u);
        EXPECT_EQ(core.asked[0], EventsInterface);
        EXPECT_EQ(core.advised, 0);
        EXPECT_EQ(core.references, 2u) << "one reference on the core held, the point and container let go";
        EXPECT_EQ(effect_->SetCore(nullptr), S_OK);
        EXPECT_EQ(core.references, 1u) << "a null core releases the one held";
    }
}

// The information page runs modally on the player's window. The owner hears WM_ENTERIDLE from the
// dialog's own loop once it waits for the user; there the test plays the user: it reads what the
// page shows, types a note and presses a button.
struct PageVisit {
    const wchar_t* typed;
    WORD button;
    // What the page showed when it opened, where it stood and under which caption.
    std::wstring shown, caption;
    RECT dialog{};
    bool seen = false;
};

LRESULT CALLBACK pageOwnerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* visit = reinterpret_cast<PageVisit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ENTERIDLE && w == MSGF_DIALOGBOX && visit != nullptr && !visit->seen) {
        visit->seen = true;
        const HWND dialog = reinterpret_cast<HWND>(l);
        wchar_t text[512] = {};
        GetDlgItemTextW(dialog, 1000, text, 512);
        visit->shown = text;
        GetWindowTextW(dialog, text, 512);
        visit->caption = text;
        GetWindowRect(dialog, &visit->dialog);
        SetDlgItemTextW(dialog, 1000, visit->typed);
        PostMessageW(dialog, WM_COMMAND, visit->button, 0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

TEST_F(CoverDriftConformance, InformationPageKeepsTheNoteOnOkAndDropsItOnCancel) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = pageOwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TevaroTestPageOwner";
    RegisterClassW(&wc);
    const HWND owner = CreateWindowExW(0, wc.lpszClassName, L"player", WS_POPUP | WS_VISIBLE, 100, 60, 600, 500,
                                       nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);
    const std::wstring long_(300, L'x');  // more than the page keeps
    struct Step {
        const wchar_t* typed;
        WORD button;
        std::wstring expectShown;
    };
    const Step steps[] = {
        {L"Rainy day mix", IDOK, L""},
        {L"lost on cancel", IDCANCEL, L"Rainy day mix"},
        {long_.c_str(), IDOK, L"Rainy day mix"},
        {L"", IDCANCEL, std::wstring(259, L'x')},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "typed \"" << std::string(step.typed, step.typed + wcslen(step.typed))
                                        << "\", button " << step.button);
        PageVisit visit{step.typed, step.button};
        SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&visit));
        EXPECT_EQ(effect_->DisplayPropertyPage(owner), S_OK);
        ASSERT_TRUE(visit.seen) << "no modal dialog ran";
        EXPECT_EQ(visit.shown, step.expectShown);
        EXPECT_EQ(visit.caption, L"CoverDrift");
        // Centred on the player's window (to the pixel, give or take the halving).
        EXPECT_NEAR((visit.dialog.left + visit.dialog.right) / 2, 100 + 300, 1);
        EXPECT_NEAR((visit.dialog.top + visit.dialog.bottom) / 2, 60 + 250, 1);
    }
    DestroyWindow(owner);
}

TEST(CoverDriftModule, ClassFactoryAggregatesTheObject) {
    com_support::test::expectAggregatable({"CoverDrift", CoverDriftClass, __uuidof(IWMPEffects)}, L"CoverDrift.dll");
}

TEST(CoverDriftModule, CanUnloadNowFollowsTheObjects) {
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(CoverDriftClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"CoverDrift.dll"), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
}  // namespace tevaro::album::test
