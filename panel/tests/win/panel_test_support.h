#pragma once
// Shared pieces of the panel's Wine tests: the registry values the panel reads, the settings block
// as the DSP sees it, the plug-in opened in host_sim's player window, captures, and a second
// thread that answers the panel's modal dialogs the way a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "host_sim/page_capture.h"
#include "host_sim/ui/ui_plugin_host.h"
#include "settings_link/settings_link.h"

namespace tevaro::panel::test {

// {058C269C-D673-4575-9708-38270C44DE60}, spelled out so the tests do not take it from the code.
inline constexpr CLSID PanelClsid = {0x058c269c, 0xd673, 0x4575, {0x97, 0x08, 0x38, 0x27, 0x0c, 0x44, 0xde, 0x60}};
inline constexpr const wchar_t* PanelDll = L"Panelkit.dll";
inline constexpr std::int32_t Unwritten = static_cast<std::int32_t>(0xDEADBEEF);

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

// The player's Enabled value of the DSP: "true", "false", another text, or nullptr for none.
void setEnabledText(const wchar_t* text);
// The panel's stored word, or none.
void setStoredSettings(std::optional<std::uint32_t> word);
std::optional<std::uint32_t> storedSettings();

// The block as the DSP reads it; markUnwritten fills the panel's slots with a sentinel first.
class BlockProbe {
public:
    BlockProbe();
    void markUnwritten();
    std::int32_t slot(int index) const { return link_.readSlot(index); }
    void write(int index, std::int32_t value) { link_.writeSlot(index, value); }

private:
    SettingsLink link_;
};

HMODULE panelModule();

// Pixels of one of the DLL's bitmap resources, as a 32-bit top-down picture.
host_sim::Capture resourceBitmap(int id);
// The part of `from` at (x, y) of the given size.
host_sim::Capture crop(const host_sim::Capture& from, int x, int y, int width, int height);
// Number of pixels that differ; a picture of another size differs everywhere.
int differingPixels(const host_sim::Capture& a, const host_sim::Capture& b);

// A control of the open panel by id, and its rectangle in the settings area's client coordinates.
HWND panelControl(const host_sim::UiPluginHost& host, int id);
RECT controlRect(const host_sim::UiPluginHost& host, int id);

// Pumps the host until the panel has painted what is pending.
void settle(host_sim::UiPluginHost& host, DWORD ms = 50);

// The player, its settings area 600 x 124, and the panel opened in it.
struct PanelInPlayer {
    host_sim::UiPluginHost host;
    host_sim::UiPluginOpening opened;

    PanelInPlayer();
    host_sim::Capture capture() { return host_sim::captureWindow(host.settingsArea()); }
    host_sim::Capture control(const host_sim::Capture& area, int id);
};

// Every tool of every tooltip window of this process: control id (0 for a top-level window),
// rectangle left, top, right, bottom, and text.
using Tool = std::tuple<int, int, int, int, int, std::wstring>;
std::set<Tool> processTooltips();

// A user at the other end of a modal dialog: waits for a dialog of `title`, notes its texts,
// clicks the controls in `clicks` (real input), the last of which should close it.
class DialogAnswerer {
public:
    DialogAnswerer(std::wstring title, std::vector<int> clicks);
    ~DialogAnswerer();
    // Waits for the answering thread; true when the dialog came and was answered.
    bool finish();
    const std::vector<std::wstring>& texts() const { return texts_; }
    int seen() const { return seen_; }

private:
    std::wstring title_;
    std::vector<int> clicks_;
    std::vector<std::wstring> texts_;
    int seen_ = 0;
    bool answered_ = false;
    std::thread thread_;
};

// Real pointer input at a point of a panel control, with the host pumping until it has landed.
void clickControl(host_sim::UiPluginHost& host, int id, POINT point);

// Counts of the process's GDI objects and windows. GetGuiResources answers 0 under Wine, so the GDI
// count walks the handle table: Wine takes a handle without its generation bits as any
// generation of that slot.
int gdiObjects();
int processWindows();

// The processor facts the rating reads, set for a test and put back afterwards.
class ProcessorFactsOverride {
public:
    ProcessorFactsOverride(const char* maker, DWORD mhz);
    ~ProcessorFactsOverride();

private:
    std::string maker_;
    DWORD mhz_ = 0;
    bool saved_ = false;
};

// The test programme run as a second process that holds TarnwiseMutex (see panel_test_main.cpp).
class MutexHolder {
public:
    // Starts the holder and waits until it owns the mutex; it lets go after `holdMs` or release().
    explicit MutexHolder(DWORD holdMs);
    ~MutexHolder();
    bool holding() const { return holding_; }
    void release();

private:
    PROCESS_INFORMATION process_{};
    HANDLE ready_ = nullptr;
    HANDLE letGo_ = nullptr;
    bool holding_ = false;
};
int runMutexHolder(DWORD holdMs);

}  // namespace tevaro::panel::test
