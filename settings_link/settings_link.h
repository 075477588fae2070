#pragma once
// One side's connection to the shared settings block: create-or-open, single-slot writes under
// the named mutex, lock-free reads. The Windows backend uses a paging-file mapping and a named
// mutex; the POSIX backend uses shared memory and a process-shared robust mutex of the same
// layout and names.
#include <cstdint>
#include <string>

#include "settings_link/settings_block.h"

namespace tevaro {

enum class SlotWriteResult : std::uint8_t {
    stored,
    timedOut,     // another writer held the mutex for longer than the wait: value dropped
    abandoned,    // the previous owner died holding the mutex: released again, value dropped
    failed,       // any other wait failure, or a slot index outside the block
    unavailable,  // the block could not be opened
};

class SettingsLink {
public:
    // Object names default to the product's; tests pass their own so that runs never meet.
    explicit SettingsLink(std::string mappingName = SettingsBlock::mappingName,
                          std::string mutexName = SettingsBlock::mutexName);
    ~SettingsLink();
    SettingsLink(const SettingsLink&) = delete;
    SettingsLink& operator=(const SettingsLink&) = delete;

    // Creates or opens the mapping, its view and the mutex; all three or the block is unavailable.
    bool open();
    bool available() const { return slots_ != nullptr; }

    SlotWriteResult writeSlot(int slot, std::int32_t value);
    // One aligned 32-bit atomic load; 0 while the block is unavailable or the slot is out of range.
    std::int32_t readSlot(int slot) const;
    void close();

private:
    std::string mappingName_;
    std::string mutexName_;
    std::int32_t* slots_ = nullptr;  // the mapped 1024-byte view
    void* mapping_ = nullptr;        // Windows: mapping handle
    void* lock_ = nullptr;           // Windows: mutex handle; POSIX: the mapped shared lock
};

}  // namespace tevaro
