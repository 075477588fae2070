#include "panel_test_support.h"

#include <commctrl.h>

#include "host_sim/ui/pointer_input.h"
#include "host_sim/ui/window_search.h"

namespace tevaro::panel::test {
namespace {

constexpr const wchar_t* DspConfigPath =
    L"Software\\Microsoft\\MediaPlayer\\MediaPlugins\\DSPConfig\\{79021042-5CA7-422B-8AB4-C0D7E3F7B638}";
constexpr const wchar_t* SettingsPath = L"Software\\Vardal Acoustics\\Controller";

BOOL CALLBACK collectText(HWND window, LPARAM l) {
    wchar_t text[1024];
    if (GetWindowTextW(window, text, 1024) > 0) reinterpret_cast<std::vector<std::wstring>*>(l)->push_back(text);
    return TRUE;
}

}  // namespace

void setEnabledText(const wchar_t* text) {
    if (text == nullptr) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, DspConfigPath, L"Enabled");
        return;
    }
    const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, DspConfigPath, L"Enabled", REG_SZ, text, bytes), ERROR_SUCCESS);
}

void setStoredSettings(std::optional<std::uint32_t> word) {
    if (!word) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, SettingsPath, L"Settings");
        return;
    }
    const DWORD value = *word;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SettingsPath, L"Settings", REG_DWORD, &value, sizeof value),
              ERROR_SUCCESS);
}

std::optional<std::uint32_t> storedSettings() {
    DWORD value = 0, bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsPath, L"Settings", RRF_RT_REG_DWORD, nullptr, &value, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

BlockProbe::BlockProbe() { EXPECT_TRUE(link_.open()); }

void BlockProbe::markUnwritten() {
    for (int slot :
         {SettingsBlock::panelReady, SettingsBlock::surroundOn, SettingsBlock::settingsWord, SettingsBlock::mute})
        link_.writeSlot(slot, Unwritten);
}

HMODULE panelModule() { return GetModuleHandleW(PanelDll); }

host_sim::Capture resourceBitmap(int id) {
    host_sim::Capture picture;
    auto bitmap =
        static_cast<HBITMAP>(LoadImageW(panelModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return picture;
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return picture;
}

host_sim::Capture crop(const host_sim::Capture& from, int x, int y, int width, int height) {
    host_sim::Capture part;
    part.width = width;
    part.height = height;
    part.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (x + column < from.width && y + row < from.height)
                part.pixels[static_cast<std::size_t>(row * width + column)] = from.at(x + column, y + row);
    return part;
}

int differingPixels(const host_sim::Capture& a, const host_sim::Capture& b) {
    if (a.width != b.width || a.height != b.height) return a.width * a.height + b.width * b.height;
    int differing = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y)) ++differing;
    return differing;
}

HWND panelControl(const host_sim::UiPluginHost& host, int id) {
    return host_sim::findDescendant(host.pluginWindow(), id);
}

RECT controlRect(const host_sim::UiPluginHost& host, int id) {
    RECT r{};
    HWND control = panelControl(host, id);
    if (control == nullptr) return r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, host.settingsArea(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void settle(host_sim::UiPluginHost& host, DWORD ms) { host.pumpFor(ms); }

PanelInPlayer::PanelInPlayer() {
    opened = host.open(PanelClsid);
    EXPECT_EQ(opened.create, S_OK);
    settle(host, 200);
}

host_sim::Capture PanelInPlayer::control(const host_sim::Capture& area, int id) {
    const RECT r = controlRect(host, id);
    return crop(area, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

namespace {

BOOL CALLBACK collectTools(HWND window, LPARAM l) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[64];
    GetClassNameW(window, cls, 64);
    if (process != GetCurrentProcessId() || lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0) return TRUE;
    const auto count = static_cast<UINT>(SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = text;
        if (!SendMessageW(window, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool))) continue;
        const bool child = (GetWindowLongPtrW(tool.hwnd, GWL_STYLE) & WS_CHILD) != 0;
        reinterpret_cast<std::set<Tool>*>(l)->emplace(child ? GetDlgCtrlID(tool.hwnd) : 0, tool.rect.left,
                                                      tool.rect.top, tool.rect.right, tool.rect.bottom, text);
    }
    return TRUE;
}

}  // namespace

std::set<Tool> processTooltips() {
    std::set<Tool> tools;
    EnumWindows(collectTools, reinterpret_cast<LPARAM>(&tools));
    return tools;
}

DialogAnswerer::DialogAnswerer(std::wstring title, std::vector<int> clicks)
    : title_(std::move(title)), clicks_(std::move(clicks)) {
    thread_ = std::thread([this] {
        HWND dialog = nullptr;
        for (int waited = 0; waited < 8000 && dialog == nullptr; waited += 10) {
            dialog = FindWindowW(L"#32770", title_.c_str());
            if (dialog == nullptr || !IsWindowVisible(dialog)) {
                dialog = nullptr;
                Sleep(10);
            }
        }
        if (dialog == nullptr) return;
        seen_ = 1;
        EnumChildWindows(dialog, collectText, reinterpret_cast<LPARAM>(&texts_));
        // A user's first click comes well after the click that opened the dialog; a click at the
        // same spot within the double-click time would reach the button as a double click, which
        // a push button does not count as a click.
        Sleep(GetDoubleClickTime() + 50);
        for (int id : clicks_) {
            HWND control = GetDlgItem(dialog, id);
            if (control == nullptr) return;
            RECT r;
            GetClientRect(control, &r);
            host_sim::clickAt(control, {r.right / 2, r.bottom / 2});
            Sleep(100);
        }
        for (int waited = 0; waited < 3000 && IsWindow(dialog); waited += 10) Sleep(10);
        answered_ = !IsWindow(dialog);
        // A dialog the clicks did not close would hold the test in its modal loop for good.
        if (!answered_) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

DialogAnswerer::~DialogAnswerer() {
    if (thread_.joinable()) thread_.join();
}

bool DialogAnswerer::finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

void clickControl(host_sim::UiPluginHost& host, int id, POINT point) {
    HWND control = panelControl(host, id);
    ASSERT_NE(control, nullptr) << "control " << id;
    ASSERT_TRUE(host_sim::clickAt(control, point));
    settle(host, 150);
}

int gdiObjects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int count = 0;
    for (ULONG_PTR slot = 0; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++count;
    return count;
}

namespace {

BOOL CALLBACK countWindow(HWND window, LPARAM l) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<int*>(l);
    EnumChildWindows(window, countWindow, l);
    return TRUE;
}

constexpr const char* ProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr const wchar_t* HolderReady = L"TevaroPanelTestMutexHeld";
constexpr const wchar_t* HolderLetGo = L"TevaroPanelTestMutexLetGo";

}  // namespace

int processWindows() {
    int count = 0;
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        countWindow(w, reinterpret_cast<LPARAM>(&count));
    return count;
}

ProcessorFactsOverride::ProcessorFactsOverride(const char* maker, DWORD mhz) {
    char text[64] = "";
    DWORD bytes = sizeof text;
    DWORD size = sizeof mhz_;
    saved_ = RegGetValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "VendorIdentifier", RRF_RT_REG_SZ, nullptr, text, &bytes) ==
                 ERROR_SUCCESS &&
             RegGetValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "~MHz", RRF_RT_REG_DWORD, nullptr, &mhz_, &size) ==
                 ERROR_SUCCESS;
    maker_ = text;
    EXPECT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "VendorIdentifier", REG_SZ, maker,
                              static_cast<DWORD>(strlen(maker) + 1)),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "~MHz", REG_DWORD, &mhz, sizeof mhz), ERROR_SUCCESS);
}

ProcessorFactsOverride::~ProcessorFactsOverride() {
    if (!saved_) return;
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "VendorIdentifier", REG_SZ, maker_.c_str(),
                    static_cast<DWORD>(maker_.size() + 1));
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, ProcessorKey, "~MHz", REG_DWORD, &mhz_, sizeof mhz_);
}

MutexHolder::MutexHolder(DWORD holdMs) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, HolderReady);
    letGo_ = CreateEventW(nullptr, TRUE, FALSE, HolderLetGo);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --hold-mutex " + std::to_wstring(holdMs);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return;
    const HANDLE waits[] = {ready_, process_.hProcess};
    holding_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

void MutexHolder::release() {
    if (letGo_ != nullptr) SetEvent(letGo_);
    if (process_.hProcess != nullptr) WaitForSingleObject(process_.hProcess, 20000);
}

MutexHolder::~MutexHolder() {
    release();
    for (HANDLE h : {process_.hProcess, process_.hThread, ready_, letGo_})
        if (h != nullptr) CloseHandle(h);
}

int runMutexHolder(DWORD holdMs) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"TarnwiseMutex");
    if (mutex == nullptr || WaitForSingleObject(mutex, 5000) != WAIT_OBJECT_0) return 1;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, HolderReady);
    HANDLE letGo = OpenEventW(SYNCHRONIZE, FALSE, HolderLetGo);
    if (ready == nullptr || letGo == nullptr) return 1;
    SetEvent(ready);
    WaitForSingleObject(letGo, holdMs);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}

}  // namespace tevaro::panel::test
