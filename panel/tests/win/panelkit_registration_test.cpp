// What regsvr32 leaves in the registry for Panelkit.dll, what unregistration removes, and the
// "WMPlayer_PluginAddRemove" message a running player sees after either call.
#include <string>
#include <vector>

#include "com_support/tests/win/registry_inspection.h"
#include "panel_test_support.h"

namespace tevaro::panel::test {
namespace {

using com_support::test::contents;
using com_support::test::dwordValue;
using com_support::test::keyExists;
using com_support::test::stringValue;

const wchar_t* const ClassKey = L"CLSID\\{058C269C-D673-4575-9708-38270C44DE60}";
const wchar_t* const ServerKey = L"CLSID\\{058C269C-D673-4575-9708-38270C44DE60}\\InprocServer32";
const wchar_t* const UiPlugins = L"SOFTWARE\\Microsoft\\MediaPlayer\\UIPlugins";
const wchar_t* const PluginKey = L"SOFTWARE\\Microsoft\\MediaPlayer\\UIPlugins\\{058C269C-D673-4575-9708-38270C44DE60}";

void expectRegistered() {
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, ClassKey, nullptr), L"Panelkit Class");
    const std::wstring module = stringValue(HKEY_CLASSES_ROOT, ServerKey, nullptr);
    EXPECT_TRUE(com_support::test::samePath(module, com_support::test::modulePathBesideTest(PanelDll)))
        << testing::PrintToString(module);
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, ServerKey, L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, ClassKey), (std::vector<std::wstring>{L"(default)", L"InprocServer32\\"}));
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, ServerKey), (std::vector<std::wstring>{L"(default)", L"ThreadingModel"}));

    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, PluginKey, L"FriendlyName"), L"res://Panelkit.dll/RT_STRING/#102");
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, PluginKey, L"Description"), L"res://Panelkit.dll/RT_STRING/#103");
    EXPECT_EQ(dwordValue(HKEY_LOCAL_MACHINE, PluginKey, L"Capabilities"), std::optional<DWORD>(0x40000004u));
    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, PluginKey),
              (std::vector<std::wstring>{L"Capabilities", L"Description", L"FriendlyName"}));
}

// A top-level window of the test, counting the player's re-scan message as a player would see it.
class PlayerListener {
public:
    PlayerListener() : message_(RegisterWindowMessageW(L"WMPlayer_PluginAddRemove")) {
        WNDCLASSW c{};
        c.lpfnWndProc = &PlayerListener::proc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"PanelTestPlayerListener";
        RegisterClassW(&c);
        window_ = CreateWindowExW(0, c.lpszClassName, L"listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  c.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~PlayerListener() { DestroyWindow(window_); }

    // Pumps until the count reaches `count` or a second has passed.
    int waitFor(int count) {
        for (DWORD start = GetTickCount(); seen_ < count && GetTickCount() - start < 1000;) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
            Sleep(5);
        }
        return seen_;
    }
    bool parametersZero() const { return parametersZero_; }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<PlayerListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == self->message_) {
            ++self->seen_;
            self->parametersZero_ = self->parametersZero_ && w == 0 && l == 0;
            return 0;
        }
        return DefWindowProcW(window, message, w, l);
    }

    UINT message_;
    HWND window_ = nullptr;
    int seen_ = 0;
    bool parametersZero_ = true;
};

TEST(PanelkitRegistration, TheClassKeyAndTheSettingsAreaPluginEntry) { expectRegistered(); }

TEST(PanelkitRegistration, UnregisteringRemovesBothEntriesKeepsTheParentsAndEveryCallIsAnnounced) {
    HMODULE module = LoadLibraryW(PanelDll);
    ASSERT_NE(module, nullptr);
    using Entry = HRESULT(WINAPI*)();
    auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    auto reregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(unregister, nullptr);
    ASSERT_NE(reregister, nullptr);

    PlayerListener player;
    EXPECT_EQ(unregister(), S_OK);
    EXPECT_EQ(player.waitFor(1), 1) << "unregistration posts the message";
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ClassKey));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, PluginKey));
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, UiPlugins)) << "the parent keys are never removed";
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));

    EXPECT_EQ(reregister(), S_OK);
    EXPECT_EQ(player.waitFor(2), 2) << "registration posts it too";
    EXPECT_TRUE(player.parametersZero());
    expectRegistered();
    FreeLibrary(module);
}

}  // namespace
}  // namespace tevaro::panel::test
