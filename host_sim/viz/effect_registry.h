#pragma once
// The visualizations the player finds: one key per effect under
// HKLM\SOFTWARE\Microsoft\MediaPlayer\Objects\Effects, each with a Properties key naming its class.
#include <windows.h>

#include <string>
#include <vector>

namespace host_sim {

struct RegisteredEffect {
    std::wstring key;  // the name under Effects
    std::wstring name, description;
    CLSID clsid{};
};

std::vector<RegisteredEffect> registeredEffects();
// The effect whose key or `name` equals `name` (case-insensitive); false when none does.
bool findEffect(const std::wstring& name, RegisteredEffect& found);

}  // namespace host_sim
