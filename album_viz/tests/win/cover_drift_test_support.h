#pragma once
// Shared pieces of CoverDrift's Wine tests: its identifiers spelled out (not taken from the code),
// COM for the whole process, a new effect by class id, and a player window.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "com_support/wmp_effects.h"

namespace tevaro::album::test {

inline constexpr CLSID CoverDriftClass = {0xb0d32936, 0x2e7a, 0x4a69, {0x8a, 0xb8, 0x40, 0xfb, 0x4e, 0x83, 0xa0, 0xd0}};
inline constexpr IID CoverDriftInterface = {
    0x5c791779, 0x20da, 0x4f39, {0xba, 0x57, 0xaa, 0xf7, 0x02, 0x31, 0xd4, 0x4e}};
inline constexpr GUID CoverDriftLibrary = {
    0x06325f72, 0x085e, 0x4b54, {0xae, 0x73, 0x69, 0xb4, 0x53, 0xdd, 0x7a, 0xa7}};
inline constexpr IID EventsInterface = {0x19a6627b, 0xda9e, 0x47c1, {0xbb, 0x23, 0x00, 0xb5, 0xe6, 0x68, 0x23, 0x6a}};
inline constexpr IID Effects2Interface = {0x695386ec, 0xaa3c, 0x4618, {0xa5, 0xe1, 0xdd, 0x9a, 0x8b, 0x98, 0x76, 0x32}};

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

inline IWMPEffects2* createCoverDrift() {
    IWMPEffects2* effect = nullptr;
    CoCreateInstance(CoverDriftClass, nullptr, CLSCTX_INPROC_SERVER, Effects2Interface,
                     reinterpret_cast<void**>(&effect));
    return effect;
}

// A visible top-level window of the given client size, as the player's visualization area.
class PlayerWindow {
public:
    PlayerWindow(int width, int height) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TevaroTestPlayerArea";
        RegisterClassW(&wc);
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, WS_POPUP, FALSE);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"player", WS_POPUP | WS_VISIBLE, 0, 0, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~PlayerWindow() {
        if (window_) DestroyWindow(window_);
    }
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;
    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace tevaro::album::test
