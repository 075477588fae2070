#include "host_sim/dsp_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host_sim/dsp_host.h"
#include "host_sim/dsp_session.h"
#include "host_sim/page_capture.h"
#include "host_sim/panel_writes.h"
#include "host_sim/refresh_watch.h"

namespace host_sim {
namespace {

struct PlayArguments {
    std::string in, out;
    bool panel = true;  // write the settings block as the panel does before the DSP starts
    std::uint32_t word = 0x0428;
    bool mute = false;
    bool enabled = true;
    StreamOptions stream;
    DWORD seekEveryMs = 0;
    bool realtime = false;  // at the player's pace, logging every settings refresh of the DSP
};

bool parsePlay(int argc, char** argv, PlayArguments& a) {
    int positional = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto number = [&] { return static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 0)); };
        if (arg == "--word" && hasValue)
            a.word = number();
        else if (arg == "--no-panel")
            a.panel = false;
        else if (arg == "--mute")
            a.mute = true;
        else if (arg == "--disabled")
            a.enabled = false;
        else if (arg == "--realtime")
            a.realtime = true;
        else if (arg == "--in-bytes" && hasValue)
            a.stream.inputBytes = number();
        else if (arg == "--out-bytes" && hasValue)
            a.stream.outputBytes = number();
        else if (arg == "--seek-every-ms" && hasValue)
            a.seekEveryMs = number();
        else if (positional == 0)
            a.in = arg, ++positional;
        else if (positional == 1)
            a.out = arg, ++positional;
        else
            return false;
    }
    return positional == 2 && a.stream.inputBytes > 0 && a.stream.outputBytes > 0;
}

}  // namespace

int runList(int, char**) {
    ComApartment com;
    const auto plugins = findDspPlugins();
    for (const RegisteredPlugin& p : plugins) {
        wchar_t id[39];
        StringFromGUID2(p.clsid, id, 39);
        std::printf("%ls  priority %lu  %s  %ls - %ls  enabled=%s\n", id, p.priority,
                    p.acceptsPcmAudio ? "audio/PCM" : "-", p.friendlyName.c_str(), p.description.c_str(),
                    readEnabledValue(p.clsid) ? "true" : "false");
    }
    return plugins.empty() ? 1 : 0;
}

int runPlay(int argc, char** argv) {
    PlayArguments a;
    if (!parsePlay(argc, argv, a)) {
        std::fprintf(stderr,
                     "usage: host_sim play IN.wav OUT.wav [--word 0xNNNN] [--no-panel] [--mute] "
                     "[--disabled] [--in-bytes N] [--out-bytes N] [--seek-every-ms N] [--realtime]\n"
                     "--realtime plays at the player's pace and prints each settings refresh of the DSP:\n"
                     "  refresh buffer N tick T panelReady R switch S word 0xW mute M\n");
        return 2;
    }
    WavFile in, out;
    std::string error;
    if (!readWav(a.in, in, error)) {
        std::fprintf(stderr, "host_sim: %s\n", error.c_str());
        return 1;
    }
    ComApartment com;
    PanelWrites panel;
    if (a.panel && !panel.start(a.word, a.mute)) {
        std::fprintf(stderr, "host_sim: the settings block could not be written\n");
        return 1;
    }
    IMediaObject* dmo = nullptr;
    CLSID clsid{};
    const DWORD creating = GetTickCount();
    HRESULT hr = createRegisteredDsp(&dmo, clsid);
    if (FAILED(hr)) {
        std::fprintf(stderr, "host_sim: no DSP plug-in could be created (0x%08lX)\n", static_cast<unsigned long>(hr));
        return 1;
    }
    const DWORD created = GetTickCount();
    writeEnabledValue(clsid, a.enabled);
    applyEnabledValue(dmo, clsid);
    waitForFirstRefresh(created);
    if (a.seekEveryMs != 0)
        a.stream.seekEveryBytes = static_cast<DWORD>(std::uint64_t(in.byteRate()) * a.seekEveryMs / 1000);
    RefreshWatch refreshes(creating, created, stdout);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    if (a.realtime) {
        // Each input buffer is handed over when its audio is due, as the player streams a file.
        a.stream.beforeInput = [&](std::size_t position) {
            const double due = static_cast<double>(position) / in.byteRate();
            for (;;) {
                LARGE_INTEGER now;
                QueryPerformanceCounter(&now);
                const double ahead = due - secondsBetween(t0, now);
                if (ahead <= 0) break;
                Sleep(static_cast<DWORD>(ahead * 1000.0) + 1);
            }
        };
        a.stream.beforeOutput = [&] { refreshes.beforeRender(); };
        a.stream.afterOutput = [&](DWORD) { refreshes.afterRender(); };
    }
    const StreamReport report = streamThrough(dmo, in, out, a.stream);
    QueryPerformanceCounter(&t1);
    if (a.realtime && !refreshes.exact()) std::printf("refresh log inexact: a call outlasted its margin\n");
    const ULONG refs = dmo->Release();
    if (FAILED(report.result) || !writeWav(a.out, out)) {
        std::fprintf(stderr, "host_sim: streaming failed (0x%08lX)\n", static_cast<unsigned long>(report.result));
        return 1;
    }
    const double audio = static_cast<double>(in.data.size()) / in.byteRate();
    std::printf(
        "%s: %zu input buffers, %zu output calls (%zu incomplete), time stamps %s, "
        "%.1f s of audio in %.3f s (real-time factor %.0f), final Release %lu\n",
        a.out.c_str(), report.inputBuffers, report.outputCalls, report.incompleteCalls,
        report.timestampsContinuous ? "continuous" : "BROKEN", audio, secondsBetween(t0, t1),
        audio / secondsBetween(t0, t1), refs);
    return report.timestampsContinuous && refs == 0 ? 0 : 1;
}

int runPage(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: host_sim page OUT.bmp\n");
        return 2;
    }
    ComApartment com;
    const auto plugins = findDspPlugins();
    if (plugins.empty()) return std::fprintf(stderr, "host_sim: no DSP plug-in registered\n"), 1;
    const PageCaptureResult page = openAndCapturePage(plugins.front().clsid);
    if (FAILED(page.result) || !writeBmp(argv[2], page.capture)) {
        std::fprintf(stderr, "host_sim: the property page failed (0x%08lX)\n", static_cast<unsigned long>(page.result));
        return 1;
    }
    std::printf("%s: page \"%ls\", %ld x %ld pixels\n", argv[2], page.title.c_str(), page.size.cx, page.size.cy);
    return 0;
}

}  // namespace host_sim
