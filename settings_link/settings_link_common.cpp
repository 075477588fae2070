// Backend-independent parts of SettingsLink.
#include <atomic>

#include "settings_link/settings_link.h"

namespace tevaro {

SettingsLink::SettingsLink(std::string mappingName, std::string mutexName)
    : mappingName_(std::move(mappingName)), mutexName_(std::move(mutexName)) {}

SettingsLink::~SettingsLink() { close(); }

std::int32_t SettingsLink::readSlot(int slot) const {
    if (slots_ == nullptr || slot < 0 || slot >= SettingsBlock::slotCount) return 0;
    return std::atomic_ref<std::int32_t>(slots_[slot]).load(std::memory_order_acquire);
}

}  // namespace tevaro
