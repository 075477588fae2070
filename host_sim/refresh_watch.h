#pragma once
// Which buffers the DSP in this process refreshed its settings before, and what it read: the
// record another process's panel clicks are checked against, and what the native renderer replays.
//
// The DSP refreshes when 500 ms of ticks have passed since its last refresh, reading the tick once
// per buffer. host_sim brackets every rendering call with tick reads, so it knows the DSP's last
// refresh tick to within a bracket; a call that could fall either side of the next 500 ms mark
// is held back until it cannot. Across a refreshing call host_sim holds the panel's mutex, so no
// panel write lands between what host_sim reads and what the DSP reads.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "settings_link/settings_link.h"

namespace host_sim {

class RefreshWatch {
public:
    // The DSP was created between these two ticks (it starts its refresh clock then).
    RefreshWatch(DWORD createdFrom, DWORD createdTo, std::FILE* log);
    ~RefreshWatch();
    RefreshWatch(const RefreshWatch&) = delete;
    RefreshWatch& operator=(const RefreshWatch&) = delete;

    void beforeRender();
    void afterRender();
    bool exact() const { return exact_; }  // every call was known to refresh or not

private:
    DWORD lastFrom_, lastTo_;  // the DSP's last refresh tick lies in [lastFrom_, lastTo_]
    DWORD callTick_ = 0;
    bool due_ = false;
    bool exact_ = true;
    std::size_t buffer_ = 0;
    HANDLE writers_ = nullptr;
    tevaro::SettingsLink block_;
    std::FILE* log_;
};

}  // namespace host_sim
