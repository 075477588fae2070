#include "dsp/lv2/sample_bridge.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tevaro::dsp {

// The vector paths give the scalar functions' results exactly: the same scaling, the NaN and
// range clamps, the same rounding by 1.5 × 2^23 and a truncating conversion of the integer left.
void interleave16(const float* left, const float* right, std::int16_t* frames, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128 scale = _mm_set1_ps(32768.0f), low = _mm_set1_ps(-32768.0f), high = _mm_set1_ps(32767.0f);
    const __m128 magic = _mm_set1_ps(12582912.0f);
    auto toSteps = [&](__m128 x) {
        __m128 s = _mm_mul_ps(x, scale);
        s = _mm_and_ps(s, _mm_cmpord_ps(s, s));
        s = _mm_min_ps(_mm_max_ps(s, low), high);
        s = _mm_sub_ps(_mm_add_ps(s, magic), magic);
        return _mm_cvttps_epi32(s);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i l = toSteps(_mm_loadu_ps(left + i)), r = toSteps(_mm_loadu_ps(right + i));
        const __m128i packed = _mm_packs_epi32(_mm_unpacklo_epi32(l, r), _mm_unpackhi_epi32(l, r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(frames + 2 * i), packed);
    }
#endif
    for (; i < count; ++i) {
        frames[2 * i] = sample16FromFloat(left[i]);
        frames[2 * i + 1] = sample16FromFloat(right[i]);
    }
}

void deinterleave16(const std::int16_t* frames, float* left, float* right, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128 unit = _mm_set1_ps(1.0f / 32768.0f);
    for (; i + 4 <= count; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(frames + 2 * i));
        const __m128 a = _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16)), unit);
        const __m128 b = _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16)), unit);
        _mm_storeu_ps(left + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(right + i, _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
#endif
    for (; i < count; ++i) {
        left[i] = floatFromSample16(frames[2 * i]);
        right[i] = floatFromSample16(frames[2 * i + 1]);
    }
}

}  // namespace tevaro::dsp
