// host_sim: plays the player's side of the plug-in contracts under Wine.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "host_sim/dsp_commands.h"
#include "host_sim/ui_commands.h"
#include "host_sim/viz_commands.h"
#include "link_demo.h"

namespace {

void usage() {
    std::fprintf(
        stderr,
        "usage: host_sim link [WORD]            settings link across two processes (panel writes, DSP reads)\n"
        "       host_sim list                   DSP plug-ins recorded by the registrar\n"
        "       host_sim play IN.wav OUT.wav    stream a file through the registered DSP (see play --help)\n"
        "       host_sim page OUT.bmp           open the DSP's property page and capture it\n"
        "       host_sim bench IN.wav           COM face against the chain called directly\n"
        "       host_sim panel [OPTIONS]        the settings-area plug-in in a player window (see panel --help)\n"
        "       host_sim effects                the registered visualizations with their presets\n"
        "       host_sim viz [OPTIONS]          render a visualization's preset into PNG frames (see viz --help)\n"
        "       host_sim viz-bench [--effect NAME] [--preset P] [--size WxH]   a classic DLL's Render against its "
        "engine\n");
}

}  // namespace

int main(int argc, char** argv) {
    // Wine turns "\n" into "\r\n" on a text-mode pipe; keep output byte-clean for scripts.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) {
        usage();
        return 2;
    }
    if (std::strcmp(argv[1], "--panel-writer") == 0) return host_sim::runPanelWriter(argc, argv);
    if (std::strcmp(argv[1], "link") == 0) return host_sim::runLinkDemo(argc, argv);
    if (std::strcmp(argv[1], "list") == 0) return host_sim::runList(argc, argv);
    if (std::strcmp(argv[1], "play") == 0) return host_sim::runPlay(argc, argv);
    if (std::strcmp(argv[1], "page") == 0) return host_sim::runPage(argc, argv);
    if (std::strcmp(argv[1], "bench") == 0) return host_sim::runBench(argc, argv);
    if (std::strcmp(argv[1], "panel") == 0) return host_sim::runPanel(argc, argv);
    if (std::strcmp(argv[1], "effects") == 0) return host_sim::runEffects(argc, argv);
    if (std::strcmp(argv[1], "viz") == 0) return host_sim::runViz(argc, argv);
    if (std::strcmp(argv[1], "viz-bench") == 0) return host_sim::runVizBench(argc, argv);
    usage();
    return 2;
}
