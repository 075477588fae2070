#include "dsp/engine/offline/offline_render.h"

#include <algorithm>

#include "settings_link/settings_block.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {

OfflineRenderer::OfflineRenderer(const ChainSettings& settings, const RenderSchedule& schedule)
    : slots{1, 1, settings.surroundOn ? 1 : 0,
            static_cast<std::int32_t>(settings.word | (settings.surroundOn ? FlagSurroundOn : 0u)),
            settings.mute ? 1 : 0},
      chain(std::make_unique<DspChain>()),
      changes(schedule.changes),
      framesPerBuffer(std::max<std::size_t>(schedule.bufferFrames, 1)) {
    chain->create(&OfflineRenderer::readSlot, slots, creationTickMs);
}

std::int32_t OfflineRenderer::readSlot(void* context, int slot) {
    const auto* block = static_cast<const std::int32_t*>(context);
    return slot >= 0 && slot < 5 ? block[slot] : 0;
}

void OfflineRenderer::render(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    for (std::size_t done = 0; done < frames;) {
        const std::size_t n = std::min(framesPerBuffer, frames - done);
        bool changed = false;
        while (nextChange < changes.size() && changes[nextChange].buffer <= buffersDone) {
            slots[SettingsBlock::settingsWord] = static_cast<std::int32_t>(changes[nextChange++].slot);
            changed = true;
        }
        if (changed) tickMs += DspChain::refreshIntervalMs;
        chain->process16(in + 2 * done, out + 2 * done, 2 * n, 2, tickMs);
        ++buffersDone;
        done += n;
    }
}

void renderProgramme(const ChainSettings& settings, const std::int16_t* in, std::int16_t* out, std::size_t frames,
                     const std::function<void(double)>& progress, const RenderSchedule& schedule) {
    OfflineRenderer renderer(settings, schedule);
    const std::size_t framesPerBuffer = std::max<std::size_t>(schedule.bufferFrames, 1);
    for (std::size_t done = 0; done < frames;) {
        const std::size_t n = std::min(framesPerBuffer, frames - done);
        renderer.render(in + 2 * done, out + 2 * done, n);
        done += n;
        if (progress) progress(static_cast<double>(done) / frames);
    }
}

}  // namespace tevaro::dsp
