#include "album_viz/d3dx/d3dx_math.h"

#include <cmath>

namespace tevaro::album::d3dx {

Matrix matrixIdentity() {
    Matrix r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Matrix matrixTranslation(float x, float y, float z) {
    Matrix r = matrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix matrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    return r;
}

Matrix matrixPerspectiveFovRH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    Matrix r{};
    r.m[0][0] = yScale / aspect;
    r.m[1][1] = yScale;
    r.m[2][2] = zFar / (zNear - zFar);
    r.m[2][3] = -1.0f;  // w = −z: the distance in front of a camera looking along −z
    r.m[3][2] = zNear * zFar / (zNear - zFar);
    return r;
}

Quaternion quaternionRotationYawPitchRoll(float yaw, float pitch, float roll) {
    const float sy = std::sin(yaw / 2.0f), cy = std::cos(yaw / 2.0f);
    const float sp = std::sin(pitch / 2.0f), cp = std::cos(pitch / 2.0f);
    const float sr = std::sin(roll / 2.0f), cr = std::cos(roll / 2.0f);
    return {cy * sp * cr + sy * cp * sr, sy * cp * cr - cy * sp * sr, cy * cp * sr - sy * sp * cr,
            cy * cp * cr + sy * sp * sr};
}

Matrix matrixRotationQuaternion(const Quaternion& q) {
    Matrix r = matrixIdentity();
    r.m[0][0] = 1.0f - 2.0f * (q.y * q.y + q.z * q.z);
    r.m[0][1] = 2.0f * (q.x * q.y + q.z * q.w);
    r.m[0][2] = 2.0f * (q.x * q.z - q.y * q.w);
    r.m[1][0] = 2.0f * (q.x * q.y - q.z * q.w);
    r.m[1][1] = 1.0f - 2.0f * (q.x * q.x + q.z * q.z);
    r.m[1][2] = 2.0f * (q.y * q.z + q.x * q.w);
    r.m[2][0] = 2.0f * (q.x * q.z + q.y * q.w);
    r.m[2][1] = 2.0f * (q.y * q.z - q.x * q.w);
    r.m[2][2] = 1.0f - 2.0f * (q.x * q.x + q.y * q.y);
    return r;
}

Vector3 vec3TransformCoord(const Vector3& v, const Matrix& m) {
    float out[4];
    for (int j = 0; j < 4; ++j) out[j] = v.x * m.m[0][j] + v.y * m.m[1][j] + v.z * m.m[2][j] + m.m[3][j];
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

}  // namespace tevaro::album::d3dx
