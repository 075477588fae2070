#pragma once
// A loop over a run of frames in which each frame's second step runs one loop pass after its
// first. The second step then starts with its input ready, and overlaps the first step of the
// next frame instead of queueing behind it: worth it where a frame is one long chain of
// dependent roundings.
#include <cstddef>

namespace tevaro::dsp {

// first(i) for frames 0..frames-1, and then(i, first(i)) one pass later; frames must be at least 1.
template <typename First, typename Then>
inline void staggered(std::size_t frames, First first, Then then) {
    auto pending = first(std::size_t{0});
    for (std::size_t i = 1; i < frames; ++i) {
        const auto next = first(i);
        then(i - 1, pending);
        pending = next;
    }
    then(frames - 1, pending);
}

}  // namespace tevaro::dsp
