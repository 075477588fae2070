#pragma once
// The interface scripts rely on:
//   tevaro-dsp [--preset rock-pop|classic|jazz|movie|neutral] [--quality min|mid|max]
//              [--word 0xNNNN] [--off] [--mute] IN OUT
//   tevaro-dsp --make-demo OUT
#include <cstdint>
#include <string>
#include <variant>

#include "dsp/engine/offline/offline_render.h"

namespace tevaro::dsp {

struct ProcessFile {
    ChainSettings settings;
    std::string input, output;
};

struct MakeDemo {
    std::string output;
};

struct ShowUsage {};

struct CommandLineError {
    std::string message;
};

using Command = std::variant<ProcessFile, MakeDemo, ShowUsage, CommandLineError>;

Command parseCommandLine(int argc, const char* const* argv);

extern const char* const usageText;

}  // namespace tevaro::dsp
