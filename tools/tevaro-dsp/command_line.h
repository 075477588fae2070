#pragma once
// The interface scripts rely on:
//   tevaro-dsp [--preset rock-pop|classic|jazz|movie|neutral] [--quality min|mid|max]
//              [--word 0xNNNN] [--off] [--mute] [--buffer-frames N] [--change BUFFER:SLOT]... IN OUT
//   tevaro-dsp --make-demo [--seconds N] OUT
#include <cstdint>
#include <string>
#include <variant>

#include "dsp/engine/offline/offline_render.h"

namespace tevaro::dsp {

struct ProcessFile {
    ChainSettings settings;
    std::string input, output;
    RenderSchedule schedule;
};

struct MakeDemo {
    std::string output;
    int seconds = 60;
};

struct ShowUsage {};

struct CommandLineError {
    std::string message;
};

using Command = std::variant<ProcessFile, MakeDemo, ShowUsage, CommandLineError>;

Command parseCommandLine(int argc, const char* const* argv);

extern const char* const usageText;

}  // namespace tevaro::dsp
