// Cloud spawns, ageing and fades, and the alpha rule that keys the blue sky out of a cloud image.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "album_viz/model/clouds.h"

namespace tevaro::album {
namespace {

// A scripted rand(): the values in turn, then the last one forever.
struct ScriptedRandom {
    std::vector<int> values;
    std::size_t next = 0;
    static int draw(void* self) {
        auto* r = static_cast<ScriptedRandom*>(self);
        const int v = r->values[std::min(r->next, r->values.size() - 1)];
        ++r->next;
        return v;
    }
};

TEST(Clouds, SpawnsNeverWithinFiveSecondsOfTheLast) {
    struct Case {
        const char* name;
        int random;
        std::vector<std::uint32_t> frames;
        std::vector<int> activeLeadsAfter;  // per frame: how many lead slots are alive
    };
    const Case cases[] = {
        {"no spawn until more than 5000 ms have passed", 0, {0, 4000, 5000, 5001}, {0, 0, 0, 1}},
        {"one spawn per gap, even with rand() always 0",
         0,
         {5001, 5002, 9000, 10001, 10002, 15002, 15003},
         {1, 1, 1, 1, 2, 2, 3}},
        {"rand() & 7 must be 0", 9, {6000, 20000, 40000}, {0, 0, 0}},
        {"8 is as good as 0", 8, {6000}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CloudField field;
        ScriptedRandom random{{c.random}};
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            animateClouds(field, 0.0f, c.frames[i], ScriptedRandom::draw, &random);
            int leads = 0;
            for (int s = 0; s < CloudSlotCount; s += 2) leads += field.slots[s].active;
            EXPECT_EQ(leads, c.activeLeadsAfter[i]) << "frame at " << c.frames[i];
        }
    }
}

TEST(Clouds, ASpawnedCloudFadesInByAboutFiveSecondsAndEndsAt34) {
    CloudField field;
    ScriptedRandom random{{0, 1}};  // the first free lead spawns, nothing after
    const std::uint32_t spawn = 6000;
    animateClouds(field, 1.0f, spawn, ScriptedRandom::draw, &random);
    ASSERT_TRUE(field.slots[0].active);
    ASSERT_TRUE(field.slots[1].active);
    EXPECT_EQ(field.slots[0].spawnMs, spawn);
    EXPECT_EQ(field.slots[1].spawnMs, spawn);
    EXPECT_EQ(field.lastSpawnMs, spawn);
    struct Case {
        std::uint32_t age;
        bool active;
        std::int32_t fade;
    };
    // fade = 255 − trunc(2000 g), g = age × 0.000025.
    const Case cases[] = {{0, true, 255},   {2000, true, 155}, {5099, true, 1},   {5100, true, 0},
                          {20000, true, 0}, {33999, true, 0},  {34000, false, 0}, {50000, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "age " << c.age);
        animateClouds(field, 1.0f, spawn + c.age, ScriptedRandom::draw, &random);
        EXPECT_EQ(field.slots[0].active != 0, c.active);
        EXPECT_EQ(field.slots[0].fade, c.fade);
        // The partner is never more visible than its lead, and lives on.
        EXPECT_GE(field.slots[1].fade, field.slots[0].fade);
        EXPECT_TRUE(field.slots[1].active);
    }
}

TEST(Clouds, SpawnPlacesLeadAndPartnerBySineOfTheApplicationTime) {
    CloudField field;
    ScriptedRandom random{{0, 1}};
    const float t = 2.0f;
    animateClouds(field, t, 6000, ScriptedRandom::draw, &random);
    const CloudSlot& lead = field.slots[0];
    const CloudSlot& partner = field.slots[1];
    EXPECT_FLOAT_EQ(lead.x, std::sin(1.33f * t) * 15.0f);
    EXPECT_FLOAT_EQ(lead.y, 0.0f);
    EXPECT_FLOAT_EQ(lead.z, 20.0f);
    EXPECT_FLOAT_EQ(lead.pitch, 2.65f);
    EXPECT_FLOAT_EQ(partner.y, -0.5f - (std::sin(0.3f * t) + 1.0f) * 1.5f);
    EXPECT_FLOAT_EQ(partner.z, (std::sin(2.7f * t) + 1.0f) * -5.0f);
    // 10 s later: g = 0.25.
    animateClouds(field, t, 16000, ScriptedRandom::draw, &random);
    EXPECT_NEAR(lead.z, 32.5f, 1e-5f);
    EXPECT_NEAR(lead.y, 3.75f, 1e-5f);
    EXPECT_NEAR(lead.pitch, 2.775f, 1e-5f);
    EXPECT_NEAR(partner.pitch, 2.775f, 1e-5f);
    // Slot 22 spawns with the faster, wider sine.
    CloudField second;
    second.slots[0].active = 1;
    second.slots[0].spawnMs = 5999;
    ScriptedRandom zero{{0}};
    animateClouds(second, t, 6000, ScriptedRandom::draw, &zero);
    ASSERT_TRUE(second.slots[2].active);
    EXPECT_FLOAT_EQ(second.slots[2].x, std::sin(3.33f * t) * 20.0f);
}

TEST(Clouds, AlphaKeysBlueOutAndKeepsWhite) {
    struct Case {
        std::uint8_t red, alpha;
    };
    // alpha = top byte of r⁴ × 0xFF000000, r = red / 255, times 1.08 (at most 1) from 0.55 on.
    const Case cases[] = {{0, 0},     {64, 1},    {128, 16},  {140, 23},  {141, 32},
                          {200, 131}, {235, 250}, {236, 254}, {237, 255}, {255, 255}};
    for (const Case& c : cases) EXPECT_EQ(cloudAlpha(c.red), c.alpha) << int(c.red);
}

TEST(Clouds, ImagesAndTexturesOfTheSlots) {
    const int textures[CloudSlotCount] = {0, 2, 2, 0, 1, 2, 3, 0};  // A C C A B C D A
    for (int i = 0; i < CloudSlotCount; ++i) EXPECT_EQ(cloudTexture(i), textures[i]) << i;
    const int pictures[4] = {1, 1, 2, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cloudPicture(i), pictures[i]) << i;
        EXPECT_EQ(cloudHalfHeight(i), i % 2 == 1) << i;
    }
}

}  // namespace
}  // namespace tevaro::album
