#pragma once
#include <cstdint>

namespace tevaro::album {

// Eight cloud slots in four pairs: an even lead that drifts towards the viewer and ages, and its
// odd partner, a smaller puff that hangs around the lead.
constexpr int CloudSlotCount = 8;
constexpr std::uint32_t CloudSpawnGapMs = 5000;

struct CloudSlot {
    std::int32_t active = 0;
    std::uint32_t spawnMs = 0;
    float x = 10, y = -100000, z = 0, pitch = 0;  // off screen until spawned
    std::int32_t fade = 0;                        // 0 visible, 255 invisible
};

struct CloudField {
    CloudSlot slots[CloudSlotCount];  // slot 20 + i
    std::uint32_t lastSpawnMs = 0;
};

// rand() of the C library, handed in so that tests can script it.
using RandomSource = int (*)(void* context);

// One frame: t is the application time in seconds, nowMs the millisecond clock.
void animateClouds(CloudField& field, float t, std::uint32_t nowMs, RandomSource random, void* context);

// Which of the textures A..D (0..3) a slot draws with.
int cloudTexture(int slotIndex);
// Which cloud picture (1 or 2) the image of slots 20..23 is made from, and whether it is squeezed
// to half height.
int cloudPicture(int slotIndex);
bool cloudHalfHeight(int slotIndex);

// The alpha of a cloud pixel from its red channel: the white cloud opaque, the blue sky behind
// it transparent, with a soft edge.
std::uint8_t cloudAlpha(std::uint8_t red);

}  // namespace tevaro::album
