#pragma once
// host_sim's visualization subcommands: effects, viz.
namespace host_sim {

int runEffects(int argc, char** argv);
int runViz(int argc, char** argv);
int runVizBench(int argc, char** argv);

}  // namespace host_sim
