#include "host_sim/refresh_watch.h"

#include "settings_link/settings_block.h"

namespace host_sim {
namespace {

constexpr DWORD RefreshMs = 500;
// A rendering call is far shorter than this; a call starting this close before the earliest
// possible refresh waits until the refresh is certain.
constexpr DWORD CallMarginMs = 20;

}  // namespace

RefreshWatch::RefreshWatch(DWORD createdFrom, DWORD createdTo, std::FILE* log)
    : lastFrom_(createdFrom), lastTo_(createdTo), log_(log) {
    writers_ = CreateMutexW(nullptr, FALSE, L"TarnwiseMutex");
    block_.open();
}

RefreshWatch::~RefreshWatch() {
    if (writers_ != nullptr) CloseHandle(writers_);
}

void RefreshWatch::beforeRender() {
    DWORD now = GetTickCount();
    if (now - lastFrom_ + CallMarginMs >= RefreshMs && now - lastTo_ < RefreshMs) {
        while (GetTickCount() - lastTo_ < RefreshMs) Sleep(1);
        now = GetTickCount();
    }
    due_ = now - lastTo_ >= RefreshMs;
    if (due_ && writers_ != nullptr) WaitForSingleObject(writers_, 10000);
    callTick_ = now;
}

void RefreshWatch::afterRender() {
    const DWORD after = GetTickCount();
    if (!due_ && after - lastFrom_ >= RefreshMs) exact_ = false;  // the call lasted past the margin
    if (due_) {
        const tevaro::SettingsLink& block = block_;
        std::fprintf(log_, "refresh buffer %zu tick %lu panelReady %d switch %d word 0x%04X mute %d\n", buffer_,
                     static_cast<unsigned long>(callTick_), block.readSlot(tevaro::SettingsBlock::panelReady),
                     block.readSlot(tevaro::SettingsBlock::surroundOn),
                     static_cast<unsigned>(block.readSlot(tevaro::SettingsBlock::settingsWord)),
                     block.readSlot(tevaro::SettingsBlock::mute));
        std::fflush(log_);
        if (writers_ != nullptr) ReleaseMutex(writers_);
        lastFrom_ = callTick_;
        lastTo_ = after;
    }
    ++buffer_;
}

}  // namespace host_sim
