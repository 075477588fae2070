// What regsvr32 leaves in the registry for CoverDrift.dll (class key, the player's effect key with
// its res:// strings, the type library), the strings those point at, the broadcast that makes a
// running player reread its list, and what unregistration removes.
#include <string>
#include <vector>

#include "com_support/tests/win/colour_property_check.h"
#include "com_support/tests/win/registry_inspection.h"
#include "cover_drift_test_support.h"

namespace tevaro::album::test {
namespace {

using com_support::test::contents;
using com_support::test::keyExists;
using com_support::test::stringValue;
using com_support::test::takeBstr;
using Names = std::vector<std::wstring>;

const wchar_t ClassKey[] = L"CLSID\\{B0D32936-2E7A-4A69-8AB8-40FB4E83A0D0}";
const wchar_t EffectKey[] = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\CoverDrift";
const wchar_t PropertiesKey[] = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\CoverDrift\\Properties";
const wchar_t LibraryKey[] = L"TypeLib\\{06325F72-085E-4B54-AE73-69B453DD7AA7}";
const wchar_t InterfaceKey[] = L"Interface\\{5C791779-20DA-4F39-BA57-AAF70231D44E}";
const wchar_t Description[] =
    L"\u0411\u0435\u0441\u043a\u043e\u043c\u043f\u0440\u043e\u043c\u0438\u0441\u0441\u043d\u044b\u0439 "
    L"\u043d\u0430\u043f\u0430\u0440\u043d\u0438\u043a \u043f\u043e "
    L"\u0446\u044b\u0435\u0442\u043e\u043c\u0443\u0437\u044b\u043a\u0435 \u0434\u043b\u044f Windows Media Player "
    L"10! \u041f\u0435\u0440\u0435\u043a\u043b\u044e\u0447\u0435\u043d\u0438\u0435 "
    L"\u043e\u0442\u043e\u0431\u0440\u0430\u0436\u0435\u043d\u0438\u044f "
    L"\u0441\u0432\u0435\u0434\u0435\u043d\u0438\u0439 "
    L"\u043e \u0437\u0432\u0443\u043a\u043e\u0437\u0430\u043f\u0438\u0441\u0438 \u043f\u0440\u043e\u0441\u0442\u043e "
    L"\u0449\u0435\u043b\u0447\u043a\u043e\u043c \u043f\u043e \u043f\u0440\u0430\u0432\u043e\u043c\u0443 "
    L"\u043a\u0440\u0430\u044e \u043e\u043a\u043d\u0430 \u044d\u0444\u0444\u0435\u043a\u0442\u043e\u0432. "
    L"\u0414\u0430\u0436\u0435 \u043a\u043e\u0433\u0434\u0430 \u043e\u043d\u043e "
    L"\u043e\u0442\u043a\u043b\u044e\u0447\u0435\u043d\u043e, \u0435\u0433\u043e \u043c\u043e\u0436\u043d\u043e "
    L"\u0443\u0432\u0438\u0434\u0435\u0442\u044c, \u043f\u043e\u043c\u0435\u0441\u0442\u0438\u0432 "
    L"\u043a\u0443\u0440\u0441\u043e\u0440 \u0441\u044e\u0434\u0430.";

void expectRegistered() {
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, ClassKey, nullptr), L"CoverDrift Class");
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, ClassKey), (Names{L"(default)", L"InprocServer32\\", L"TypeLib\\"}));
    const std::wstring server = std::wstring(ClassKey) + L"\\InprocServer32";
    EXPECT_TRUE(com_support::test::samePath(stringValue(HKEY_CLASSES_ROOT, server.c_str(), nullptr),
                                            com_support::test::modulePathBesideTest(L"CoverDrift.dll")));
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, server.c_str(), L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, (std::wstring(ClassKey) + L"\\TypeLib").c_str(), nullptr),
              L"{06325F72-085E-4b54-AE73-69B453DD7AA7}");

    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, EffectKey), (Names{L"Properties\\"}));
    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, PropertiesKey), (Names{L"classid", L"description", L"name"}));
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, PropertiesKey, L"classid"), L"{B0D32936-2E7A-4a69-8AB8-40FB4E83A0D0}");
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, PropertiesKey, L"name"), L"res://CoverDrift.dll/RT_STRING/#101");
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, PropertiesKey, L"description"), L"res://CoverDrift.dll/RT_STRING/#105");

    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, (std::wstring(LibraryKey) + L"\\1.0").c_str()));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, InterfaceKey));
    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(CoverDriftLibrary, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    BSTR name = nullptr, help = nullptr;
    EXPECT_EQ(library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(takeBstr(name), L"COVERDRIFTLib");
    EXPECT_EQ(takeBstr(help), L"CoverDrift 1.0 Type Library");
    ITypeInfo* face = nullptr;
    EXPECT_EQ(library->GetTypeInfoOfGuid(CoverDriftInterface, &face), S_OK);
    if (face != nullptr) {
        BSTR faceName = nullptr, faceHelp = nullptr;
        face->GetDocumentation(MEMBERID_NIL, &faceName, &faceHelp, nullptr, nullptr);
        EXPECT_EQ(takeBstr(faceName), L"ICoverDrift");
        EXPECT_EQ(takeBstr(faceHelp), L"ICoverDrift Interface");
        face->Release();
    }
    ITypeInfo* coclass = nullptr;
    EXPECT_EQ(library->GetTypeInfoOfGuid(CoverDriftClass, &coclass), S_OK);
    if (coclass != nullptr) {
        BSTR className = nullptr, classHelp = nullptr;
        coclass->GetDocumentation(MEMBERID_NIL, &className, &classHelp, nullptr, nullptr);
        EXPECT_EQ(takeBstr(className), L"CoverDrift");
        EXPECT_EQ(takeBstr(classHelp), L"CoverDrift Class");
        coclass->Release();
    }
    library->Release();
}

TEST(CoverDriftRegistration, ClassKeyEffectKeyAndTypeLibrary) { expectRegistered(); }

TEST(CoverDriftRegistration, TheResStringsNameTheTitleAndTheDescription) {
    HMODULE module = LoadLibraryExW(L"CoverDrift.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    struct Case {
        UINT id;
        const wchar_t* text;
    };
    const Case cases[] = {{100, L"CoverDrift"},
                          {101, L"Windows Media Player 10"},
                          {102, L"CoverDrift Plugin Bars"},
                          {103, L"CoverDrift Plugin Wave"},
                          {105, Description}};
    for (const Case& c : cases) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(module, c.id, reinterpret_cast<wchar_t*>(&text), 0);
        ASSERT_GT(length, 0) << c.id;
        EXPECT_EQ(std::wstring(text, std::size_t(length)), c.text) << c.id;
    }
    FreeLibrary(module);
}

// A top-level window of the test's own sees what a running player would see.
struct BroadcastListener {
    static inline UINT message = 0;
    static inline int seen = 0;
    static inline WPARAM lastW = 1;
    static inline LPARAM lastL = 1;
    static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == message && message != 0) {
            ++seen;
            lastW = wp;
            lastL = lp;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
};

using Entry = HRESULT(WINAPI*)();

TEST(CoverDriftRegistration, BothExportsBroadcastThePluginChangeAndUnregisteringKeepsTheParents) {
    BroadcastListener::message = RegisterWindowMessageW(L"WMPlayer_PluginAddRemove");
    WNDCLASSW wc{};
    wc.lpfnWndProc = BroadcastListener::proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TevaroBroadcastListener";
    RegisterClassW(&wc);
    HWND listener =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(listener, nullptr);
    auto pump = [] {
        MSG m;
        for (int i = 0; i < 50; ++i) {
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
            Sleep(10);
        }
    };
    HMODULE module = LoadLibraryW(L"CoverDrift.dll");
    ASSERT_NE(module, nullptr);
    auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    auto reregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(unregister, nullptr);
    ASSERT_NE(reregister, nullptr);

    pump();
    BroadcastListener::seen = 0;
    EXPECT_EQ(unregister(), S_OK);
    pump();
    EXPECT_EQ(BroadcastListener::seen, 1);
    EXPECT_EQ(BroadcastListener::lastW, 0u);
    EXPECT_EQ(BroadcastListener::lastL, 0);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ClassKey));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, EffectKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, LibraryKey));
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));

    BroadcastListener::seen = 0;
    EXPECT_EQ(reregister(), S_OK);
    pump();
    EXPECT_EQ(BroadcastListener::seen, 1);
    expectRegistered();
    FreeLibrary(module);
    DestroyWindow(listener);
}

}  // namespace
}  // namespace tevaro::album::test
