// Every link of the panel, the help window and the about box opened through the shell, with the
// DLL's link addresses pointed at a test scheme the way a distributor points them elsewhere: by
// rewriting the string block that holds them. A recorder program registered for the scheme
// notes each page the shell opens; an address without a handler shows "Connection failed".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_sim/ui/pointer_input.h"
#include "com_support/tests/win/recorded_lines.h"
#include "host_sim/ui/window_search.h"
#include "panel_test_support.h"

namespace tevaro::panel::test {
namespace {

constexpr int LinkBlock = 3072 / 16 + 1;  // the string block of ids 3072..3087
// In the order of the block: product homepage, Spatio, Panorix, maker, licensor, developer.
const std::vector<std::wstring> TestAddresses = {L"tevarotest:product",  L"tevarotest:spatio",
                                                 L"tevarotest:panorix",  L"tevarotest:maker",
                                                 L"tevaronone:licensor", L"tevarotest:developer"};

std::wstring besideTheTest(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring registeredPanelPath() {
    wchar_t path[MAX_PATH] = L"";
    DWORD bytes = sizeof path;
    RegGetValueW(HKEY_CLASSES_ROOT, L"CLSID\\{058C269C-D673-4575-9708-38270C44DE60}\\InprocServer32", nullptr,
                 RRF_RT_REG_SZ, nullptr, path, &bytes);
    return path;
}

BOOL CALLBACK firstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR l) {
    *reinterpret_cast<WORD*>(l) = language;
    return FALSE;
}

// A string block: sixteen counted strings, the unused ones empty.
std::vector<WORD> stringBlock(const std::vector<std::wstring>& strings) {
    std::vector<WORD> block;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::wstring s = i < strings.size() ? strings[i] : std::wstring();
        block.push_back(static_cast<WORD>(s.size()));
        block.insert(block.end(), s.begin(), s.end());
    }
    return block;
}

// A copy of Panelkit.dll with the test addresses, serving the panel's class to this process.
class PanelWithTestLinks : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        const std::wstring original = registeredPanelPath();
        ASSERT_FALSE(original.empty()) << "the fixture registers Panelkit.dll";
        const std::wstring folder = besideTheTest(L"links_panel");
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring copy = folder + L"\\Panelkit.dll";
        ASSERT_TRUE(CopyFileW(original.c_str(), copy.c_str(), FALSE));

        WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
        HMODULE data = LoadLibraryExW(original.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(data, nullptr);
        EnumResourceLanguagesW(data, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(LinkBlock), firstLanguage,
                               reinterpret_cast<LONG_PTR>(&language));
        FreeLibrary(data);
        std::vector<WORD> block = stringBlock(TestAddresses);
        HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
        ASSERT_NE(update, nullptr);
        ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(LinkBlock), language, block.data(),
                                    static_cast<DWORD>(block.size() * sizeof(WORD))));
        ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

        module_ = LoadLibraryW(copy.c_str());
        ASSERT_NE(module_, nullptr);
        using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        auto get = reinterpret_cast<GetClassObject>(GetProcAddress(module_, "DllGetClassObject"));
        ASSERT_NE(get, nullptr);
        IUnknown* factory = nullptr;
        ASSERT_EQ(get(PanelClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        ASSERT_EQ(CoRegisterClassObject(PanelClsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_), S_OK);
        factory->Release();
        ASSERT_EQ(panelModule(), module_) << "the copy is the Panelkit.dll the tests see";
    }
    void TearDown() override {
        if (cookie_ != 0) CoRevokeClassObject(cookie_);
        CoUninitialize();
    }

private:
    HMODULE module_ = nullptr;
    DWORD cookie_ = 0;
};

testing::Environment* const copy = testing::AddGlobalTestEnvironment(new PanelWithTestLinks);

const std::wstring RecorderLog = besideTheTest(L"links_opened.txt");

// The recorder as the handler of "tevarotest:"; "tevaronone:" has none.
void registerRecorder() {
    const std::wstring command =
        L"\"" + besideTheTest(L"panel_link_recorder.exe") + L"\" \"" + RecorderLog + L"\" \"%1\"";
    const wchar_t* name = L"URL:Tevaro link test";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"tevarotest", nullptr, REG_SZ, name,
                              static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"tevarotest", L"URL Protocol", REG_SZ, L"", sizeof(wchar_t)),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"tevarotest\\shell\\open\\command", nullptr, REG_SZ, command.c_str(),
                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"tevaronone");
}

std::vector<std::string> recorded() { return com_support::test::recordedLines(RecorderLog); }

class Links : public testing::Test {
protected:
    void SetUp() override {
        setEnabledText(L"true");
        setStoredSettings(0x0428);
        registerRecorder();
        DeleteFileW(RecorderLog.c_str());
    }
    // Waits for the recorder to have written `count` lines, then a little longer for any extra.
    std::vector<std::string> openedAfter(host_sim::UiPluginHost& host, std::size_t count) {
        host.pumpUntil([&] { return recorded().size() >= count; }, 5000);
        settle(host, 300);
        return recorded();
    }
};

HWND waitForDialog(host_sim::UiPluginHost& host, const wchar_t* title) {
    HWND found = nullptr;
    host.pumpUntil([&] { return (found = FindWindowW(L"#32770", title)) != nullptr && IsWindowVisible(found); }, 3000);
    return found;
}

// One link picture pressed twice, a double-click time apart, in the panel or in a popup opened from
// its Info control (0 for the popup itself).
struct LinkPress {
    const char* what;
    POINT opener;  // the Info control's sub-button, or {-1, -1} for the panel itself
    const wchar_t* title;
    int control;
    POINT at;
    const char* opens;
};

constexpr POINT InPanel = {-1, -1};
constexpr POINT HelpButton = {10, 90};
constexpr POINT AboutButton = {80, 90};

void PrintTo(const LinkPress& p, std::ostream* os) { *os << p.what; }

class EveryLink : public Links, public testing::WithParamInterface<LinkPress> {};

TEST_P(EveryLink, OpensItsPageOncePerPress) {
    const LinkPress& p = GetParam();
    PanelInPlayer panel;
    HWND window = panel.host.pluginWindow();
    if (p.opener.x >= 0) {
        clickControl(panel.host, 1006, p.opener);
        window = waitForDialog(panel.host, p.title);
        ASSERT_NE(window, nullptr);
        // The help page's links lie below the fold: the overview's web label brings row 800 up.
        if (p.opener.x == HelpButton.x) ASSERT_TRUE(host_sim::clickAt(GetDlgItem(window, 1027), {390, 8}));
        settle(panel.host, 200);
    }
    HWND target = p.control == 0 ? window : host_sim::findDescendant(window, p.control);
    ASSERT_NE(target, nullptr);
    for (std::size_t press = 1; press <= 2; ++press) {
        SCOPED_TRACE(press);
        settle(panel.host, GetDoubleClickTime() + 50);
        ASSERT_TRUE(host_sim::clickAt(target, p.at));
        const std::vector<std::string> opened = openedAfter(panel.host, press);
        EXPECT_EQ(opened, std::vector<std::string>(press, p.opens));
    }
    EXPECT_EQ(FindWindowW(L"#32770", L"Connection failed"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    PanelHelpAndAbout, EveryLink,
    testing::Values(
        LinkPress{"status_upper_logo", InPanel, nullptr, 1011, {30, 20}, "tevarotest:spatio"},
        LinkPress{"status_lower_logo", InPanel, nullptr, 1011, {30, 50}, "tevarotest:panorix"},
        LinkPress{"info_logo_on_release", InPanel, nullptr, 1006, {40, 40}, "tevarotest:product"},
        LinkPress{"help_web_section", HelpButton, L"Help", 1049, {170, 20}, "tevarotest:maker"},
        LinkPress{"help_spatio_section", HelpButton, L"Help", 1050, {300, 30}, "tevarotest:spatio"},
        LinkPress{"help_panorix_at_420_under_the_arrow", HelpButton, L"Help", 1053, {420, 60}, "tevarotest:panorix"},
        LinkPress{"about_maker_logo", AboutButton, L"About Tevaro Player SE", 1072, {40, 40}, "tevarotest:maker"},
        LinkPress{"about_spatio_logo", AboutButton, L"About Tevaro Player SE", 1073, {50, 20}, "tevarotest:spatio"},
        LinkPress{"about_panorix_logo", AboutButton, L"About Tevaro Player SE", 1074, {20, 20}, "tevarotest:panorix"},
        LinkPress{"about_maker_label", AboutButton, L"About Tevaro Player SE", 1061, {10, 6}, "tevarotest:maker"},
        LinkPress{
            "about_developer_label", AboutButton, L"About Tevaro Player SE", 1063, {10, 6}, "tevarotest:developer"},
        LinkPress{
            "about_animation_area", AboutButton, L"About Tevaro Player SE", 0, {60, 290}, "tevarotest:developer"}),
    [](const testing::TestParamInfo<LinkPress>& info) { return std::string(info.param.what); });

TEST_F(Links, WithoutAHandlerConnectionFailedShowsOncePerPressWithTheConfiguredHomepage) {
    PanelInPlayer panel;
    clickControl(panel.host, 1006, AboutButton);
    HWND about = waitForDialog(panel.host, L"About Tevaro Player SE");
    ASSERT_NE(about, nullptr);
    for (int press = 0; press < 2; ++press) {
        SCOPED_TRACE(press);
        settle(panel.host, GetDoubleClickTime() + 50);
        DialogAnswerer user(L"Connection failed", {IDOK});
        ASSERT_TRUE(host_sim::clickAt(GetDlgItem(about, 1062), {10, 6}));
        panel.host.pumpUntil([&] { return user.seen() > 0; }, 5000);
        ASSERT_TRUE(user.finish());
        ASSERT_EQ(user.texts().size(), 4u);
        EXPECT_EQ(user.texts()[0], L"Couldn't connect to Tevaro Player homepage due to an error.");
        EXPECT_EQ(user.texts()[2], L"tevarotest:product") << "the string table's product homepage";
        settle(panel.host, 1000);
        EXPECT_EQ(FindWindowW(L"#32770", L"Connection failed"), nullptr) << "once per press";
    }
    EXPECT_TRUE(recorded().empty());
}

}  // namespace
}  // namespace tevaro::panel::test
