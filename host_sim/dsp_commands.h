#pragma once
// host_sim's audio-side subcommands: list, play, page, bench.
namespace host_sim {

int runList(int argc, char** argv);
int runPlay(int argc, char** argv);
int runPage(int argc, char** argv);
int runBench(int argc, char** argv);

}  // namespace host_sim
