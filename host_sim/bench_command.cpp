// `host_sim bench`: what the COM face costs. The same file, settings and buffer size go through
// the registered DLL (ProcessInput/ProcessOutput, media buffers, time stamps) and through the
// engine's DspChain called directly in this process, alternately; the best round of each counts.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dsp/engine/dsp_chain.h"
#include "host_sim/dsp_commands.h"
#include "host_sim/dsp_host.h"
#include "host_sim/dsp_session.h"
#include "host_sim/panel_writes.h"

namespace host_sim {
namespace {

std::int32_t readLinkSlot(void* link, int slot) { return static_cast<tevaro::SettingsLink*>(link)->readSlot(slot); }

double timeThroughDll(const WavFile& in, const StreamOptions& options) {
    IMediaObject* dmo = nullptr;
    CLSID clsid{};
    if (FAILED(createRegisteredDsp(&dmo, clsid))) return -1;
    WavFile out;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    const StreamReport report = streamThrough(dmo, in, out, options);
    QueryPerformanceCounter(&t1);
    dmo->Release();
    return SUCCEEDED(report.result) ? secondsBetween(t0, t1) : -1;
}

// The host's side of each buffer stays the same as in streamThrough (copy into the input buffer,
// append the output to the result), so only the COM face differs between the two timings.
double timeThroughChain(const WavFile& in, const StreamOptions& options, tevaro::SettingsLink& link) {
    auto chain = std::make_unique<tevaro::dsp::DspChain>();
    chain->create(&readLinkSlot, &link, GetTickCount());
    std::vector<std::int16_t> input(options.inputBytes / 2), output(options.inputBytes / 2), result;
    result.reserve(in.data.size() / 2);
    const auto* samples = reinterpret_cast<const std::int16_t*>(in.data.data());
    const std::size_t total = in.data.size() / 2, step = options.inputBytes / 2;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (std::size_t at = 0; at < total; at += step) {
        const std::size_t n = std::min(step, total - at);
        std::copy_n(samples + at, n, input.data());
        chain->process16(input.data(), output.data(), n, in.channels, GetTickCount());
        result.insert(result.end(), output.data(), output.data() + n);
    }
    QueryPerformanceCounter(&t1);
    return secondsBetween(t0, t1);
}

}  // namespace

int runBench(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: host_sim bench IN.wav [--word 0xNNNN] [--rounds N]\n");
        return 2;
    }
    std::uint32_t word = 0x0428;  // Movie at Max, surround on: every stage runs
    int rounds = 5;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--word") word = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 0));
        if (std::string(argv[i]) == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    WavFile in;
    std::string error;
    if (!readWav(argv[2], in, error) || in.bitsPerSample != 16) {
        std::fprintf(stderr, "host_sim: %s\n", error.empty() ? "a 16-bit file is needed" : error.c_str());
        return 1;
    }
    ComApartment com;
    PanelWrites panel;
    tevaro::SettingsLink link;
    if (!panel.start(word) || !link.open()) return 1;
    StreamOptions options;
    const double audio = static_cast<double>(in.data.size()) / in.byteRate();
    double bestDll = 1e30, bestChain = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const double dll = timeThroughDll(in, options);
        if (dll < 0) return std::fprintf(stderr, "host_sim: the DSP could not stream\n"), 1;
        bestDll = std::min(bestDll, dll);
        bestChain = std::min(bestChain, timeThroughChain(in, options, link));
    }
    std::printf("word 0x%04X, %.1f s of audio, buffers of %lu bytes, best of %d rounds\n", word, audio,
                options.inputBytes, rounds);
    std::printf("  DspChain called directly : real-time factor %7.1f  (%.3f s)\n", audio / bestChain, bestChain);
    std::printf("  TevaroPlayerDSP.dll (DMO): real-time factor %7.1f  (%.3f s)\n", audio / bestDll, bestDll);
    std::printf("  COM face overhead        : %+.2f %%\n", (bestDll / bestChain - 1.0) * 100.0);
    return 0;
}

}  // namespace host_sim
