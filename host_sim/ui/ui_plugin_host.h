#pragma once
// The player's side of a settings-area plug-in: its record under HKLM UIPlugins, a top-level
// player window with a settings area, and the calls the player makes in their order (SetCore,
// Create, GetProperty for the default size, TranslateAccelerator for every message, Destroy).
#include <windows.h>

#include <string>
#include <vector>

#include "com_support/wmp_plugin.h"
#include "host_sim/ui/recording_core.h"

namespace host_sim {

struct UiPluginRecord {
    CLSID clsid{};
    std::wstring friendlyName;
    std::wstring description;
    DWORD capabilities = 0;
};

// Every subkey of HKLM UIPlugins that names a class id, in key order.
std::vector<UiPluginRecord> findUiPlugins();
// The first record whose capabilities say settings area.
bool findSettingsAreaPlugin(UiPluginRecord& record);

// What the player learnt from the plug-in while opening it.
struct UiPluginOpening {
    HRESULT created = E_FAIL;  // CoCreateInstance
    HRESULT setCore = E_FAIL;
    HRESULT create = E_FAIL;
    HRESULT defaultWidth = E_FAIL, defaultHeight = E_FAIL;
    LONG width = 0, height = 0;  // the answers, when they were VT_I4
};

class UiPluginHost {
public:
    // The player window is top-level and visible; its settings area is a child of `area` pixels.
    explicit UiPluginHost(SIZE area = {600, 124});
    ~UiPluginHost();
    UiPluginHost(const UiPluginHost&) = delete;
    UiPluginHost& operator=(const UiPluginHost&) = delete;

    UiPluginOpening open(REFCLSID clsid);
    // Destroy, SetCore(null), final release; the result of Destroy.
    HRESULT close();

    // One message offered to the plug-in's TranslateAccelerator, then dispatched. The panel
    // answers S_OK for every message and translates none, so the answer cannot mean "consumed".
    void deliver(MSG& message);
    // Pumps messages until `done` returns true or `timeoutMs` passes; false on time-out.
    template <class Done>
    bool pumpUntil(Done done, DWORD timeoutMs);
    void pumpFor(DWORD ms);

    HWND playerWindow() const { return player_; }
    HWND settingsArea() const { return area_; }
    HWND pluginWindow() const { return plugin_; }
    IWMPPluginUI* plugin() const { return ui_; }
    RecordingCore* core() const { return core_; }

private:
    bool pumpOnce(DWORD waitMs);

    HWND player_ = nullptr;
    HWND area_ = nullptr;
    HWND plugin_ = nullptr;
    IWMPPluginUI* ui_ = nullptr;
    RecordingCore* core_ = nullptr;
};

template <class Done>
bool UiPluginHost::pumpUntil(Done done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs) return false;
        pumpOnce(timeoutMs - spent < 20 ? timeoutMs - spent : 20);
    }
    return true;
}

}  // namespace host_sim
