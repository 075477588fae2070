#pragma once
// Opens a plug-in's property page in a window of our own, as the player's properties dialog
// does, and captures what it draws.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace host_sim {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down 0x00RRGGBB
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
};

// Paints window and all its visible children into a bitmap with WM_PRINT, one window at a time
// (Wine's PrintWindow leaves out child windows).
Capture captureWindow(HWND window);
bool writeBmp(const std::string& path, const Capture& capture);

struct PageCaptureResult {
    HRESULT result = E_FAIL;
    std::wstring title;
    SIZE size{};
    Capture capture;
};

// The whole round: the plug-in's ISpecifyPropertyPages, the page object, GetPageInfo, a host
// window of the page's size, Activate, Show, capture, Deactivate.
PageCaptureResult openAndCapturePage(REFCLSID pluginClsid);

}  // namespace host_sim
