#include "host_sim/ui_commands.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "host_sim/dsp_host.h"
#include "host_sim/dsp_session.h"
#include "host_sim/page_capture.h"
#include "host_sim/ui/panel_script.h"
#include "host_sim/ui/pointer_input.h"
#include "host_sim/ui/ui_plugin_host.h"
#include "host_sim/ui/ui_thread_call.h"
#include "host_sim/ui/window_search.h"
#include "settings_link/settings_link.h"

namespace host_sim {
namespace {

// {79021042-5CA7-422B-8AB4-C0D7E3F7B638}: the DSP whose Enabled value the panel follows.
constexpr CLSID DspClsid = {0x79021042, 0x5ca7, 0x422b, {0x8a, 0xb4, 0xc0, 0xd7, 0xe3, 0xf7, 0xb6, 0x38}};
constexpr const wchar_t* PanelSettingsKey = L"Software\\Vardal Acoustics\\Controller";

// Written into the panel's slots before the plug-in starts, so that what it leaves alone shows.
constexpr std::int32_t Unwritten = static_cast<std::int32_t>(0xDEADBEEF);
constexpr int PanelSlots[] = {tevaro::SettingsBlock::panelReady, tevaro::SettingsBlock::surroundOn,
                              tevaro::SettingsBlock::settingsWord, tevaro::SettingsBlock::mute};
constexpr const char* PanelSlotNames[] = {"panelReady", "surroundOn", "settingsWord", "mute"};

struct PanelArguments {
    std::string enable;    // "", "true", "false", "none"
    std::string settings;  // "", a number, "none"
    std::string script;
    std::string captureDir = ".";
};

bool parsePanel(int argc, char** argv, PanelArguments& a) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        if (arg == "--enable")
            a.enable = argv[++i];
        else if (arg == "--settings")
            a.settings = argv[++i];
        else if (arg == "--script")
            a.script = argv[++i];
        else if (arg == "--capture")
            a.captureDir = argv[++i];
        else
            return false;
    }
    return a.enable.empty() || a.enable == "true" || a.enable == "false" || a.enable == "none";
}

std::wstring widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
    return wide;
}

std::string narrow(const wchar_t* text) {
    char buffer[1024];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

bool applyEnable(const std::string& value) {
    if (value.empty()) return true;
    if (value == "none") return deleteEnabledValue(DspClsid);
    return writeEnabledValue(DspClsid, value == "true");
}

bool applySettings(const std::string& value) {
    if (value.empty()) return true;
    if (value == "none") {
        const LSTATUS s = RegDeleteKeyValueW(HKEY_CURRENT_USER, PanelSettingsKey, L"Settings");
        return s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND;
    }
    const DWORD word = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 0));
    return RegSetKeyValueW(HKEY_CURRENT_USER, PanelSettingsKey, L"Settings", REG_DWORD, &word, sizeof word) ==
           ERROR_SUCCESS;
}

void printSavedSettings() {
    DWORD word = 0, size = sizeof word;
    if (RegGetValueW(HKEY_CURRENT_USER, PanelSettingsKey, L"Settings", RRF_RT_REG_DWORD, nullptr, &word, &size) ==
        ERROR_SUCCESS)
        std::printf("registry Settings 0x%04lX\n", static_cast<unsigned long>(word));
    else
        std::printf("registry Settings missing\n");
}

// Prints the panel's slots when they differ from what was printed last.
class SlotWatch {
public:
    explicit SlotWatch(tevaro::SettingsLink& link) : link_(link) {}
    void print(bool always) {
        std::int32_t now[4];
        for (int i = 0; i < 4; ++i) now[i] = link_.readSlot(PanelSlots[i]);
        if (!always && std::memcmp(now, last_, sizeof now) == 0) return;
        std::memcpy(last_, now, sizeof now);
        std::printf("slots");
        for (int i = 0; i < 4; ++i) {
            if (now[i] == Unwritten)
                std::printf(" %s=unwritten", PanelSlotNames[i]);
            else if (PanelSlots[i] == tevaro::SettingsBlock::settingsWord)
                std::printf(" %s=0x%04X", PanelSlotNames[i], static_cast<unsigned>(now[i]));
            else
                std::printf(" %s=%d", PanelSlotNames[i], static_cast<int>(now[i]));
        }
        std::printf("\n");
        std::fflush(stdout);
    }

private:
    tevaro::SettingsLink& link_;
    std::int32_t last_[4]{};
};

HWND waitForDialog(const std::wstring& title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND dialog = FindWindowW(L"#32770", title.c_str());
        if (dialog != nullptr && IsWindowVisible(dialog)) return dialog;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(10);
    }
}

BOOL CALLBACK printChildText(HWND window, LPARAM) {
    wchar_t text[1024];
    if (GetWindowTextW(window, text, 1024) > 0)
        std::printf("  %d \"%s\"\n", GetDlgCtrlID(window), narrow(text).c_str());
    return TRUE;
}

// The script's steps, on a thread of their own: the UI thread keeps pumping, also through the
// plug-in's modal dialogs, while the steps inject input and wait.
class ScriptRun {
public:
    ScriptRun(UiPluginHost& host, const UiThreadCall& ui, const std::string& captureDir)
        : host_(host), ui_(ui), captureDir_(captureDir) {}

    bool step(const ScriptStep& s) {
        using Verb = ScriptStep::Verb;
        switch (s.verb) {
            case Verb::move:
            case Verb::click: {
                HWND control = findDescendant(host_.pluginWindow(), s.control);
                if (control == nullptr) return fail(s, "no control with that id");
                if (s.verb == Verb::move) return movePointer(control, {s.x, s.y});
                return clickAt(control, {s.x, s.y});
            }
            case Verb::press:
                return pressLeftButton();
            case Verb::release:
                return releaseLeftButton();
            case Verb::enable:
                return applyEnable(s.text);
            case Verb::wait:
                Sleep(static_cast<DWORD>(s.ms));
                return true;
            case Verb::capture: {
                bool written = false;
                const std::string path = captureDir_ + "\\" + s.text + ".bmp";
                ui_.run([&] { written = writeBmp(path, captureWindow(host_.settingsArea())); });
                if (written) std::printf("captured %s\n", path.c_str());
                return written || fail(s, "capture not written");
            }
            case Verb::captureDialog: {
                HWND dialog = waitForDialog(widen(s.text), 5000);
                if (dialog == nullptr) return fail(s, "no such dialog");
                bool written = false;
                const std::string path = captureDir_ + "\\" + s.name + ".bmp";
                ui_.run([&] { written = writeBmp(path, captureWindow(dialog)); });
                if (written) std::printf("captured %s\n", path.c_str());
                return written || fail(s, "capture not written");
            }
            case Verb::dialog: {
                HWND dialog = waitForDialog(widen(s.text), 5000);
                if (dialog == nullptr) return fail(s, "no such dialog");
                std::printf("dialog \"%s\"\n", s.text.c_str());
                EnumChildWindows(dialog, printChildText, 0);
                return true;
            }
            case Verb::dialogClick: {
                HWND dialog = waitForDialog(widen(s.text), 5000);
                HWND control = dialog != nullptr ? GetDlgItem(dialog, s.control) : nullptr;
                if (control == nullptr) return fail(s, "no such dialog control");
                RECT r;
                GetClientRect(control, &r);
                return clickAt(control, {r.right / 2, r.bottom / 2});
            }
            case Verb::dialogPoint: {
                HWND dialog = waitForDialog(widen(s.text), 5000);
                if (dialog == nullptr) return fail(s, "no such dialog");
                return clickAt(dialog, {s.x, s.y});
            }
            case Verb::dialogClose: {
                HWND dialog = waitForDialog(widen(s.text), 5000);
                if (dialog == nullptr) return fail(s, "no such dialog");
                PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                return true;
            }
            case Verb::responsive:
                std::printf("responsive after %lu ms\n", static_cast<unsigned long>(ui_.answerTime()));
                return true;
        }
        return false;
    }

private:
    static bool fail(const ScriptStep& s, const char* why) {
        std::printf("line %d: %s\n", s.line, why);
        return false;
    }

    UiPluginHost& host_;
    const UiThreadCall& ui_;
    std::string captureDir_;
};

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

}  // namespace

int runPanel(int argc, char** argv) {
    PanelArguments a;
    if (!parsePanel(argc, argv, a)) {
        std::fprintf(stderr,
                     "usage: host_sim panel [--enable true|false|none] [--settings WORD|none] [--script FILE]\n"
                     "                      [--capture DIR]\n");
        return 2;
    }
    std::vector<ScriptStep> steps;
    if (!a.script.empty()) {
        std::string text, error;
        if (!readFile(a.script, text) || !parsePanelScript(text, steps, error)) {
            std::fprintf(stderr, "host_sim panel: %s: %s\n", a.script.c_str(),
                         error.empty() ? "unreadable" : error.c_str());
            return 2;
        }
    }
    ComApartment com;
    if (!applyEnable(a.enable) || !applySettings(a.settings)) {
        std::fprintf(stderr, "host_sim panel: cannot write the registry values\n");
        return 1;
    }
    tevaro::SettingsLink link;
    if (link.open())
        for (int slot : PanelSlots) link.writeSlot(slot, Unwritten);
    SlotWatch slots(link);

    UiPluginRecord record;
    if (!findSettingsAreaPlugin(record)) {
        std::fprintf(stderr, "host_sim panel: no settings-area plug-in under HKLM UIPlugins\n");
        return 1;
    }
    wchar_t clsid[40];
    StringFromGUID2(record.clsid, clsid, 40);
    std::printf("plugin %s \"%s\" capabilities 0x%08lX\n", narrow(clsid).c_str(),
                narrow(record.friendlyName.c_str()).c_str(), static_cast<unsigned long>(record.capabilities));

    UiPluginHost host;
    const UiPluginOpening opened = host.open(record.clsid);
    std::printf(
        "created 0x%08lX SetCore 0x%08lX Create 0x%08lX DefaultWidth %ld (0x%08lX) DefaultHeight %ld (0x%08lX)\n",
        static_cast<unsigned long>(opened.created), static_cast<unsigned long>(opened.setCore),
        static_cast<unsigned long>(opened.create), static_cast<long>(opened.width),
        static_cast<unsigned long>(opened.defaultWidth), static_cast<long>(opened.height),
        static_cast<unsigned long>(opened.defaultHeight));
    if (FAILED(opened.create)) return 1;
    // Held past the plug-in's end, to show what it called and that it let its references go.
    RecordingCore* core = host.core();
    core->AddRef();
    host.pumpFor(100);
    slots.print(true);

    UiThreadCall ui;
    std::atomic<bool> done{false};
    bool ok = true;
    std::thread runner([&] {
        ScriptRun run(host, ui, a.captureDir);
        for (const ScriptStep& s : steps) {
            std::printf("step %d tick %lu\n", s.line, static_cast<unsigned long>(GetTickCount()));
            std::fflush(stdout);
            if (!run.step(s)) {
                ok = false;
                break;
            }
            ui.waitUntilInputHandled();
            slots.print(false);
        }
        done = true;
    });
    host.pumpUntil([&] { return done.load(); }, INFINITE);
    runner.join();

    const HRESULT destroyed = host.close();
    std::printf("destroy 0x%08lX\n", static_cast<unsigned long>(destroyed));
    std::printf("core calls:");
    for (const std::string& call : core->calls()) std::printf(" %s", call.c_str());
    std::printf(core->calls().empty() ? " none\n" : "\n");
    std::printf("core references left %lu\n", static_cast<unsigned long>(core->Release()));
    slots.print(true);
    printSavedSettings();
    return ok ? 0 : 1;
}

}  // namespace host_sim
