#include "panel/panel_host_window.h"

#include <cstdio>
#include <new>

#include "com_support/com_module.h"
#include "panel/control_panel.h"
#include "panel/model/panel_layout.h"
#include "panel/system_queries.h"

namespace tevaro::panel {
namespace {

// Registered on first use; the module's address in the name keeps two copies of the plug-in (or
// two builds of it) in one process from sharing a class.
const wchar_t* hostWindowClass(WNDPROC procedure) {
    static wchar_t name[64] = L"";
    if (name[0] != L'\0') return name;
    std::swprintf(name, 64, L"PanelkitHost%p", static_cast<void*>(com_support::moduleInstance()));
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = com_support::moduleInstance();
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    c.lpszClassName = name;
    if (RegisterClassW(&c) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) name[0] = L'\0';
    return name;
}

}  // namespace

PanelHostWindow::PanelHostWindow(IWMPCore* core) : core_(core) {}

PanelHostWindow::~PanelHostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

HWND PanelHostWindow::create(HWND parent) {
    const wchar_t* name = hostWindowClass(&PanelHostWindow::windowProc);
    if (name[0] == L'\0') return nullptr;
    return CreateWindowExW(0, name, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 100, 100,
                           parent, nullptr, com_support::moduleInstance(), this);
}

LRESULT CALLBACK PanelHostWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PanelHostWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<PanelHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, w, l);
    const LRESULT result = self->handle(message, w, l);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT PanelHostWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            // A panel that cannot be built leaves the window with its background only.
            createPanel();
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        case WM_PRINTCLIENT:
            drawBackground(reinterpret_cast<HDC>(w));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_DESTROY:
            panel_.reset();
            panelWindow_ = nullptr;
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

void PanelHostWindow::createPanel() {
    panel_.reset(new (std::nothrow) ControlPanel(core_));
    if (panel_ == nullptr) return;
    panelWindow_ = panel_->create(window_);
    if (panelWindow_ == nullptr) {
        panel_.reset();
        return;
    }
    dspEnabled_ = dspEnableTest();
}

void PanelHostWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    dspEnabled_ = dspEnableTest();
    if (panelWindow_ != nullptr)
        SetWindowPos(panelWindow_, nullptr, PanelPlacement.x, PanelPlacement.y, PanelPlacement.width,
                     PanelPlacement.height, SWP_NOACTIVATE | SWP_NOZORDER);
    drawBackground(dc);
    EndPaint(window_, &ps);
}

void PanelHostWindow::drawBackground(HDC dc) const {
    const BackgroundBitmap& background = hostBackground(dspEnabled_);
    auto tile = static_cast<HBITMAP>(LoadImageW(com_support::moduleInstance(), MAKEINTRESOURCEW(background.id),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (tile == nullptr) return;
    BITMAP size{};
    GetObjectW(tile, sizeof size, &size);
    RECT client;
    GetClientRect(window_, &client);
    const TileGrid grid = tileGrid({client.left, client.top, client.right, client.bottom}, size.bmWidth, size.bmHeight);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, tile);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const PixelPoint at = grid.origin(row, column);
            BitBlt(dc, at.x, at.y, grid.tileWidth, grid.tileHeight, memory, 0, 0, SRCCOPY);
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(tile);
}

}  // namespace tevaro::panel
