#include "host_sim/page_capture.h"

#include <ocidl.h>

#include <cstdio>
#include <cstring>

namespace host_sim {
namespace {

// Each window into its own bitmap with a zero origin: Wine clips some controls wrongly when the
// target DC carries a viewport offset.
void printPart(HWND window, HDC target, int x, int y, int w, int h, UINT flags) {
    HDC mem = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, target, x, y, SRCCOPY);  // what lies underneath shows through
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(mem), flags);
    BitBlt(target, x, y, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

void printTree(HWND window, HWND root, HDC target) {
    RECT client;
    GetClientRect(window, &client);
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    ScreenToClient(root, &clientOrigin);
    printPart(window, target, clientOrigin.x, clientOrigin.y, client.right, client.bottom, PRF_CLIENT | PRF_ERASEBKGND);
    // Bottom of the z-order first, so windows on top paint last.
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) printTree(child, root, target);
    }
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

HWND createHostWindow(SIZE size) {
    static const wchar_t* className = L"TevaroHostSimPageFrame";
    WNDCLASSW wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    RECT frame{0, 0, size.cx, size.cy};
    AdjustWindowRect(&frame, WS_POPUP | WS_CAPTION, FALSE);
    return CreateWindowExW(0, className, L"Properties", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 40, 40,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

Capture captureWindow(HWND window) {
    Capture capture;
    RECT client;
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    HDC screen = GetDC(window);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, dib);
    printTree(window, window, mem);
    GdiFlush();
    capture.pixels.assign(static_cast<const std::uint32_t*>(bits),
                          static_cast<const std::uint32_t*>(bits) + capture.width * capture.height);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
    ReleaseDC(window, screen);
    return capture;
}

bool writeBmp(const std::string& path, const Capture& capture) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = capture.width;
    header.biHeight = -capture.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD imageBytes = static_cast<DWORD>(capture.pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&header, sizeof header, 1, f);
    for (std::uint32_t p : capture.pixels) {
        const std::uint32_t opaque = p | 0xFF000000u;  // GDI leaves alpha 0; viewers would show nothing
        std::fwrite(&opaque, 4, 1, f);
    }
    return std::fclose(f) == 0;
}

PageCaptureResult openAndCapturePage(REFCLSID pluginClsid) {
    PageCaptureResult out;
    ISpecifyPropertyPages* specify = nullptr;
    out.result = CoCreateInstance(pluginClsid, nullptr, CLSCTX_INPROC_SERVER, IID_ISpecifyPropertyPages,
                                  reinterpret_cast<void**>(&specify));
    if (FAILED(out.result)) return out;
    CAUUID pages{};
    out.result = specify->GetPages(&pages);
    specify->Release();
    if (FAILED(out.result)) return out;
    if (pages.cElems == 0) {
        CoTaskMemFree(pages.pElems);
        return out.result = E_FAIL, out;
    }
    IPropertyPage* page = nullptr;
    out.result = CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                  reinterpret_cast<void**>(&page));
    CoTaskMemFree(pages.pElems);
    if (FAILED(out.result)) return out;

    PROPPAGEINFO info{};
    out.result = page->GetPageInfo(&info);
    if (SUCCEEDED(out.result)) {
        out.title = info.pszTitle != nullptr ? info.pszTitle : L"";
        out.size = info.size;
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);
        HWND host = createHostWindow(info.size);
        RECT area{0, 0, info.size.cx, info.size.cy};
        out.result = page->Activate(host, &area, TRUE);
        if (SUCCEEDED(out.result)) out.result = page->Show(SW_SHOW);
        ShowWindow(host, SW_SHOWNOACTIVATE);
        pumpMessages();
        if (SUCCEEDED(out.result)) out.capture = captureWindow(host);
        page->Deactivate();
        DestroyWindow(host);
    }
    page->Release();
    return out;
}

}  // namespace host_sim
