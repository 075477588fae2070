#include "host_sim/viz/effect_player.h"

#include <string>

#include "host_sim/wav_file.h"

namespace host_sim {

void EffectPlayer::levelsAt(int frame, TimedLevel& levels) {
    const int end = static_cast<int>(static_cast<long long>(frame) * audio_.rate / fps_);
    for (int channel = 0; channel < 2; ++channel) {
        spectrum_.compute(audio_, end, channel, levels.frequency[channel]);
        tevaro::levels::PlayerSpectrum::waveform(audio_, end, channel, levels.waveform[channel]);
    }
    levels.state = 2;  // playing
    levels.timeStamp = static_cast<LONGLONG>(end) * 10000000 / audio_.rate;
}

int EffectPlayer::framesAvailable() const {
    return static_cast<int>(static_cast<long long>(audio_.frames()) * fps_ / audio_.rate);
}

bool readAudio(const char* path, tevaro::levels::StereoAudio& audio) {
    WavFile wav;
    std::string error;
    if (!readWav(path, wav, error) || wav.bitsPerSample != 16 || wav.channels < 1) return false;
    const auto* samples = reinterpret_cast<const std::int16_t*>(wav.data.data());
    const std::size_t frames = wav.data.size() / wav.blockAlign();
    audio.rate = static_cast<int>(wav.sampleRate);
    audio.samples.resize(frames * 2);
    for (std::size_t f = 0; f < frames; ++f) {
        const std::int16_t left = samples[f * wav.channels];
        const std::int16_t right = wav.channels > 1 ? samples[f * wav.channels + 1] : left;
        audio.samples[2 * f] = static_cast<float>(left) / 32768.0f;
        audio.samples[2 * f + 1] = static_cast<float>(right) / 32768.0f;
    }
    return true;
}

}  // namespace host_sim
