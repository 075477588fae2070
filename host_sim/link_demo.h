#pragma once
// `host_sim link`: the settings link across two processes, the panel's writes in a child process
// and the DSP's lock-free reads in this one.
namespace host_sim {

int runLinkDemo(int argc, char** argv);
// The child half, started by runLinkDemo with "--panel-writer".
int runPanelWriter(int argc, char** argv);

}  // namespace host_sim
