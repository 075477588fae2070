#include "panel_test_support.h"

#include "host_sim/ui/pointer_input.h"

namespace tevaro::panel::test {
namespace {

constexpr const wchar_t* DspConfigPath =
    L"Software\\Microsoft\\MediaPlayer\\MediaPlugins\\DSPConfig\\{79021042-5CA7-422B-8AB4-C0D7E3F7B638}";
constexpr const wchar_t* SettingsPath = L"Software\\Vardal Acoustics\\Controller";

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND window, LPARAM l) {
    auto* s = reinterpret_cast<Search*>(l);
    if (GetDlgCtrlID(window) != s->id) return TRUE;
    s->found = window;
    return FALSE;
}

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
    for (int slot : {SettingsBlock::panelReady, SettingsBlock::surroundOn, SettingsBlock::settingsWord,
                     SettingsBlock::mute})
        link_.writeSlot(slot, Unwritten);
}

HMODULE panelModule() { return GetModuleHandleW(PanelDll); }

host_sim::Capture resourceBitmap(int id) {
    host_sim::Capture picture;
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(panelModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
    Search s{id, nullptr};
    EnumChildWindows(host.pluginWindow(), matchId, reinterpret_cast<LPARAM>(&s));
    return s.found;
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

DWORD gdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
DWORD userObjects() { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); }

}  // namespace tevaro::panel::test
