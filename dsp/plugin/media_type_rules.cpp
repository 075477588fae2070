#include "dsp/plugin/media_type_rules.h"

namespace tevaro::plugin {
namespace {

constexpr DWORD WaveFormatBytes = 18;        // sizeof(WAVEFORMATEX) without padding
constexpr DWORD ExtensibleFormatBytes = 40;  // WAVEFORMATEXTENSIBLE
constexpr GUID PcmSubFormat = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool isWaveFormat(const DMO_MEDIA_TYPE& t) {
    return t.majortype == MEDIATYPE_Audio && t.formattype == FORMAT_WaveFormatEx && t.cbFormat >= WaveFormatBytes &&
           t.pbFormat != nullptr;
}

bool fieldsNonZero(const WAVEFORMATEX& f) {
    return f.nChannels != 0 && f.nSamplesPerSec != 0 && f.nAvgBytesPerSec != 0 && f.nBlockAlign != 0 &&
           f.wBitsPerSample != 0;
}

bool supportedSampleSize(WORD bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// The processing walks whole blocks of channels × sample bytes; a block alignment that says
// otherwise would make it read and write past the buffers.
bool blockMatchesSamples(const WAVEFORMATEX& f) {
    return static_cast<DWORD>(f.nBlockAlign) == static_cast<DWORD>(f.nChannels) * (f.wBitsPerSample / 8u);
}

bool acceptedTag(const DMO_MEDIA_TYPE& t, const WAVEFORMATEX& f) {
    if (f.wFormatTag == WAVE_FORMAT_PCM) return f.wBitsPerSample == 8 || f.wBitsPerSample == 16;
    if (f.wFormatTag != WAVE_FORMAT_EXTENSIBLE || t.cbFormat < ExtensibleFormatBytes) return false;
    const auto& x = *reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(t.pbFormat);
    if (x.SubFormat != PcmSubFormat) return false;
    const WORD valid = x.Samples.wValidBitsPerSample;
    if (valid == 0 || valid > f.wBitsPerSample) return false;
    if (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) return valid == f.wBitsPerSample;
    return valid == 16 || valid == 20 || valid == 24 || valid == 32;
}

bool sameFormat(const DMO_MEDIA_TYPE& a, const DMO_MEDIA_TYPE& b) {
    if (a.majortype != b.majortype || a.subtype != b.subtype) return false;
    const auto& fa = *reinterpret_cast<const WAVEFORMATEX*>(a.pbFormat);
    const auto& fb = *reinterpret_cast<const WAVEFORMATEX*>(b.pbFormat);
    return fa.nChannels == fb.nChannels && fa.nSamplesPerSec == fb.nSamplesPerSec &&
           fa.nAvgBytesPerSec == fb.nAvgBytesPerSec && fa.nBlockAlign == fb.nBlockAlign &&
           fa.wBitsPerSample == fb.wBitsPerSample && fa.wFormatTag == fb.wFormatTag;
}

}  // namespace

bool acceptsMediaType(const DMO_MEDIA_TYPE& candidate, const DMO_MEDIA_TYPE* other) {
    if (!isWaveFormat(candidate)) return false;
    const auto& f = *reinterpret_cast<const WAVEFORMATEX*>(candidate.pbFormat);
    if (!fieldsNonZero(f) || !supportedSampleSize(f.wBitsPerSample)) return false;
    if (!acceptedTag(candidate, f)) return false;
    if (!blockMatchesSamples(f)) return false;
    // A set type was itself accepted here, so its format block is a valid WAVEFORMATEX.
    return other == nullptr || sameFormat(candidate, *other);
}

}  // namespace tevaro::plugin
