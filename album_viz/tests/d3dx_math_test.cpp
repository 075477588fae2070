// The matrix helpers against values worked out by hand, in the platform's row-vector convention.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "album_viz/d3dx/d3dx_math.h"

namespace tevaro::album::d3dx {
namespace {

constexpr float pi = std::numbers::pi_v<float>;

void expectPoint(const Vector3& got, float x, float y, float z) {
    EXPECT_NEAR(got.x, x, 1e-5f);
    EXPECT_NEAR(got.y, y, 1e-5f);
    EXPECT_NEAR(got.z, z, 1e-5f);
}

TEST(D3dxMath, TranslationSitsInTheLastRow) {
    const Matrix t = matrixTranslation(1.0f, 2.0f, 3.0f);
    EXPECT_EQ(t.m[3][0], 1.0f);
    EXPECT_EQ(t.m[3][1], 2.0f);
    EXPECT_EQ(t.m[3][2], 3.0f);
    EXPECT_EQ(t.m[0][3], 0.0f);
    expectPoint(vec3TransformCoord({1, 1, 1}, t), 2, 3, 4);
}

TEST(D3dxMath, RotationsTurnTheAxesAsTheRightHandedRulesSay) {
    struct Case {
        const char* name;
        float yaw, pitch, roll;
        Vector3 in, out;
    };
    // Pitch turns +z towards −y, yaw turns +x towards −z, roll turns +x towards +y.
    const Case cases[] = {
        {"pitch 90", 0, pi / 2, 0, {0, 0, 1}, {0, -1, 0}},
        {"pitch 90 on y", 0, pi / 2, 0, {0, 1, 0}, {0, 0, 1}},
        {"yaw 90", pi / 2, 0, 0, {1, 0, 0}, {0, 0, -1}},
        {"roll 90", 0, 0, pi / 2, {1, 0, 0}, {0, 1, 0}},
        {"roll, then pitch", 0, pi / 2, pi / 2, {1, 0, 0}, {0, 0, 1}},
        {"pitch, then yaw", pi / 2, pi / 2, 0, {0, 0, 1}, {0, -1, 0}},
        {"pitch 180", 0, pi, 0, {0, 1, 0}, {0, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Matrix r = matrixRotationQuaternion(quaternionRotationYawPitchRoll(c.yaw, c.pitch, c.roll));
        expectPoint(vec3TransformCoord(c.in, r), c.out.x, c.out.y, c.out.z);
    }
}

TEST(D3dxMath, PitchQuaternionHoldsTheHalfAngle) {
    const Quaternion q = quaternionRotationYawPitchRoll(0, pi / 3, 0);
    EXPECT_NEAR(q.x, 0.5f, 1e-6f);  // sin(π/6)
    EXPECT_NEAR(q.y, 0.0f, 1e-6f);
    EXPECT_NEAR(q.z, 0.0f, 1e-6f);
    EXPECT_NEAR(q.w, 0.8660254f, 1e-6f);  // cos(π/6)
}

TEST(D3dxMath, ProductAppliesTheLeftFactorFirst) {
    const Matrix pitch = matrixRotationQuaternion(quaternionRotationYawPitchRoll(0, pi / 2, 0));
    const Matrix move = matrixTranslation(1, 2, 3);
    // Rotate (0, 0, 1) to (0, −1, 0), then move it: (1, 1, 3).
    expectPoint(vec3TransformCoord({0, 0, 1}, matrixMultiply(pitch, move)), 1, 1, 3);
    // Move first to (1, 2, 4), then rotate: (1, −4, 2).
    expectPoint(vec3TransformCoord({0, 0, 1}, matrixMultiply(move, pitch)), 1, -4, 2);
    const Matrix same = matrixMultiply(matrixIdentity(), move);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(same.m[i][j], move.m[i][j]);
}

TEST(D3dxMath, PerspectiveMapsTheFrustumEdgesAndPlanes) {
    const Matrix p = matrixPerspectiveFovRH(pi / 3, 350.0f / 320.0f, 0.1f, 2000.0f);
    EXPECT_NEAR(p.m[1][1], 1.7320508f, 1e-5f);  // cot(π/6)
    EXPECT_NEAR(p.m[0][0], 1.7320508f * 320.0f / 350.0f, 1e-5f);
    EXPECT_NEAR(p.m[2][2], 2000.0f / (0.1f - 2000.0f), 1e-6f);
    EXPECT_EQ(p.m[2][3], -1.0f);
    EXPECT_NEAR(p.m[3][2], 200.0f / (0.1f - 2000.0f), 1e-6f);
    // At distance 10 in front (z = −10) the top edge is 10 × tan(π/6) up, the right edge that times the aspect.
    const float top = 10.0f * std::tan(pi / 6);
    expectPoint(vec3TransformCoord({0, top, -10}, p), 0, 1, vec3TransformCoord({0, top, -10}, p).z);
    EXPECT_NEAR(vec3TransformCoord({top * 350.0f / 320.0f, 0, -10}, p).x, 1.0f, 1e-5f);
    EXPECT_NEAR(vec3TransformCoord({0, 0, -0.1f}, p).z, 0.0f, 1e-5f);
    EXPECT_NEAR(vec3TransformCoord({0, 0, -2000.0f}, p).z, 1.0f, 1e-5f);
}

}  // namespace
}  // namespace tevaro::album::d3dx
