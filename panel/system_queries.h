#pragma once
// What the panel reads from the system and the registry, handed to the portable rules: the DSP
// enable test, the stored settings word, the processor facts of the rating.
#include <windows.h>

#include <cstdint>

#include "panel/model/panel_settings.h"
#include "panel/model/processor_rating.h"

namespace tevaro::panel {

// One ANSI query (RegQueryValueExA) of `name` under `root\path` into the 13-byte buffer.
ValueQuery queryValue(HKEY root, const char* path, const char* name);

bool dspEnableTest();
std::uint32_t readStoredSettings();
// Creates or opens the key and writes the word as REG_DWORD; a failure is silent.
void saveStoredSettings(std::uint32_t word);

ProcessorFacts readProcessorFacts();

}  // namespace tevaro::panel
