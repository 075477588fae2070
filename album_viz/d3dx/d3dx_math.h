#pragma once

namespace tevaro::album::d3dx {

// The platform's matrix layout: 16 floats, row by row, applied to row vectors (v' = v × M), so a
// product A × B applies A first. The Direct3D face copies it into a D3DMATRIX as it is.
struct Matrix {
    float m[4][4];
};

struct Quaternion {
    float x, y, z, w;
};

struct Vector3 {
    float x, y, z;
};

Matrix matrixIdentity();
Matrix matrixTranslation(float x, float y, float z);
// a × b: the transform that applies a, then b.
Matrix matrixMultiply(const Matrix& a, const Matrix& b);
// Right-handed perspective (camera looks along −z), depth mapped to 0..1 between the planes.
Matrix matrixPerspectiveFovRH(float fovY, float aspect, float zNear, float zFar);
// Rotation of roll about z, then pitch about x, then yaw about y, as a unit quaternion.
Quaternion quaternionRotationYawPitchRoll(float yaw, float pitch, float roll);
Matrix matrixRotationQuaternion(const Quaternion& q);
// (x, y, z, 1) × m, divided by the resulting w.
Vector3 vec3TransformCoord(const Vector3& v, const Matrix& m);

}  // namespace tevaro::album::d3dx
