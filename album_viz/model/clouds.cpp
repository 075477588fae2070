#include "album_viz/model/clouds.h"

#include <algorithm>
#include <cmath>

namespace tevaro::album {

namespace {
// Age in units of 40 s: a lead cloud lives until 0.85 (34 s).
constexpr double AgePerMs = 0.000025;
constexpr double AgeEnd = 0.85;

float sinf_(float v) { return std::sin(v); }
}  // namespace

void animateClouds(CloudField& field, float t, std::uint32_t nowMs, RandomSource random, void* context) {
    for (int i = 0; i < CloudSlotCount; i += 2) {
        CloudSlot& lead = field.slots[i];
        CloudSlot& partner = field.slots[i + 1];
        if (!lead.active && nowMs - field.lastSpawnMs > CloudSpawnGapMs && (random(context) & 7) == 0) {
            lead.active = 1;
            lead.spawnMs = nowMs;
            field.lastSpawnMs = nowMs;
            const bool wide = (i % 4) == 0;  // slots 20 and 24
            lead.x = wide ? sinf_(1.33f * t) * 15.0f : sinf_(3.33f * t) * 20.0f;
            lead.y = 0;
            lead.z = 20;
            partner.active = 1;
            partner.spawnMs = nowMs;
            partner.x = sinf_(0.5f * t) * 7.0f;
            partner.z = (sinf_(2.7f * t) + 1.0f) * -5.0f;
        }
        if (lead.active) {
            partner.y = -0.5f - (sinf_(0.3f * t) + 1.0f) * 1.5f;
            const double g = double(nowMs - lead.spawnMs) * AgePerMs;
            if (g >= AgeEnd) {
                lead.active = 0;
            } else {
                lead.pitch = partner.pitch = float(0.5 * g + 2.65);
                lead.z = float(50.0 * g + 20.0);
                lead.y = float(15.0 * g);
                lead.fade = 255 - int(2000.0 * g);
            }
        }
        // The partner flickers with a slow sine but is never more visible than its lead, and
        // jumps to a new place around the lead while invisible.
        partner.fade = std::max(int(sinf_(0.2f * t) * 260.0f), lead.fade);
        if (partner.fade >= 255) {
            partner.x = sinf_(0.5f * t) * 7.0f;
            partner.z = (sinf_(2.7f * t) + 1.0f) * -5.0f;
        }
        lead.fade = std::clamp(lead.fade, 0, 255);
        partner.fade = std::clamp(partner.fade, 0, 255);
    }
}

int cloudTexture(int slotIndex) {
    static const int Textures[CloudSlotCount] = {0, 2, 2, 0, 1, 2, 3, 0};
    return Textures[slotIndex];
}

int cloudPicture(int slotIndex) { return (slotIndex & 2) ? 2 : 1; }

bool cloudHalfHeight(int slotIndex) { return (slotIndex & 1) != 0; }

std::uint8_t cloudAlpha(std::uint8_t red) {
    double r = red / 255.0;
    if (r >= 0.55) r = std::min(1.0, r * 1.08);
    const double opacity = r * r * r * r;  // 1 − a with a = 1 − r⁴
    return std::uint8_t(std::uint32_t(opacity * 4278190080.0) >> 24);
}

}  // namespace tevaro::album
