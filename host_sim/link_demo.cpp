#include "link_demo.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings_link/settings_link.h"
#include "settings_link/settings_word.h"

namespace host_sim {
namespace {

constexpr const char* kPanelDoneEvent = "TevaroHostSimPanelDone";

std::uint32_t parseWord(const char* text) { return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 0)); }

}  // namespace

int runPanelWriter(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::uint32_t word = parseWord(argv[2]);
    tevaro::SettingsLink link;
    if (!link.open()) return 3;
    // The panel's start-up order: mute off, ready, switch, word.
    using S = tevaro::SettingsBlock;
    const bool ok =
        link.writeSlot(S::mute, 0) == tevaro::SlotWriteResult::stored &&
        link.writeSlot(S::panelReady, 1) == tevaro::SlotWriteResult::stored &&
        link.writeSlot(S::surroundOn, (word & tevaro::FlagSurroundOn) ? 1 : 0) == tevaro::SlotWriteResult::stored &&
        link.writeSlot(S::settingsWord, static_cast<std::int32_t>(word & 0xFFFF)) == tevaro::SlotWriteResult::stored;
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, kPanelDoneEvent);
    if (done != nullptr) {
        SetEvent(done);
        CloseHandle(done);
    }
    return ok ? 0 : 4;
}

int runLinkDemo(int argc, char** argv) {
    const std::uint32_t word = argc >= 3 ? parseWord(argv[2]) : tevaro::DefaultSettingsWord;
    using S = tevaro::SettingsBlock;

    tevaro::SettingsLink dsp;
    if (!dsp.open()) {
        std::fprintf(stderr, "host_sim: the settings block could not be opened\n");
        return 1;
    }
    dsp.writeSlot(S::dspAlive, 1);
    std::printf("DSP side opened the block; panelReady=%d before the panel ran\n", dsp.readSlot(S::panelReady));

    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, kPanelDoneEvent);
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(word));
    std::string cmd = "\"" + std::string(exe) + "\" --panel-writer " + hex;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "host_sim: could not start the panel process\n");
        return 1;
    }
    WaitForSingleObject(done, 20000);
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(done);
    std::printf("panel process %lu wrote the block (exit code %lu)\n", pi.dwProcessId, code);

    static const char* names[] = {"panelReady", "dspAlive", "surroundOn", "settingsWord", "mute"};
    for (int k = 0; k < 5; ++k) std::printf("  slot %d %-12s = 0x%04X\n", k, names[k], dsp.readSlot(k));
    return code == 0 && dsp.readSlot(S::settingsWord) == static_cast<std::int32_t>(word & 0xFFFF) ? 0 : 1;
}

}  // namespace host_sim
