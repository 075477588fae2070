// host_sim: plays the player's side of the plug-in contracts under Wine.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "link_demo.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: host_sim link [WORD]   settings link across two processes (panel writes, DSP reads)\n");
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
    usage();
    return 2;
}
