// SettingsLink on Windows: a paging-file mapping and a named mutex, created by whichever side
// comes first and opened by the same calls afterwards.
#include <windows.h>

#include <atomic>

#include "settings_link/settings_link.h"

namespace tevaro {

bool SettingsLink::open() {
    if (available()) return true;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(SettingsBlock::byteSize), mappingName_.c_str());
    void* view =
        mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, SettingsBlock::byteSize) : nullptr;
    HANDLE mutex = view != nullptr ? CreateMutexA(nullptr, FALSE, mutexName_.c_str()) : nullptr;
    if (mutex == nullptr) {
        if (view != nullptr) UnmapViewOfFile(view);
        if (mapping != nullptr) CloseHandle(mapping);
        return false;
    }
    slots_ = static_cast<std::int32_t*>(view);
    mapping_ = mapping;
    lock_ = mutex;
    return true;
}

SlotWriteResult SettingsLink::writeSlot(int slot, std::int32_t value) {
    if (!available()) return SlotWriteResult::unavailable;
    if (slot < 0 || slot >= SettingsBlock::slotCount) return SlotWriteResult::failed;
    switch (WaitForSingleObject(lock_, SettingsBlock::writeWaitMs)) {
        case WAIT_OBJECT_0:
            std::atomic_ref<std::int32_t>(slots_[slot]).store(value, std::memory_order_release);
            ReleaseMutex(lock_);
            return SlotWriteResult::stored;
        case WAIT_TIMEOUT:
            return SlotWriteResult::timedOut;
        case WAIT_ABANDONED:
            // We own it now; hand it back untouched, the value the dead writer raced with is lost.
            ReleaseMutex(lock_);
            return SlotWriteResult::abandoned;
        default:
            return SlotWriteResult::failed;
    }
}

void SettingsLink::close() {
    if (slots_ != nullptr) UnmapViewOfFile(slots_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    if (lock_ != nullptr) CloseHandle(lock_);
    slots_ = nullptr;
    mapping_ = nullptr;
    lock_ = nullptr;
}

}  // namespace tevaro
