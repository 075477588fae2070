#include "panel/about_box.h"

#include <commctrl.h>

#include "com_support/com_module.h"
#include "panel/links.h"
#include "panel/resource.h"
#include "panel/tooltips.h"
#include "panel/pointer_position.h"

namespace tevaro::panel {

AboutBox::~AboutBox() {
    destroyWindow();
    release();
}

bool AboutBox::open(HWND panel) { return create(panel, AboutTemplateId) != nullptr; }

INT_PTR AboutBox::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG:
            startUp();
            return TRUE;
        case WM_ERASEBKGND:
            paintBackground(reinterpret_cast<HDC>(w));
            answer(TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
        case WM_DRAWITEM:
            reflectDrawItem(window_, l);
            return TRUE;
        case WM_SETCURSOR:
            if (!setCursor(l)) return FALSE;
            answer(TRUE);
            return TRUE;
        case WM_LBUTTONDOWN:
            if (const auto target = aboutBoxPress({static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))}))
                openLink(window_, *target);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
                close();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            release();
            return FALSE;
        default:
            return FALSE;
    }
}

void AboutBox::startUp() {
    HINSTANCE module = com_support::moduleInstance();
    for (std::size_t i = 0; i < AboutPictures.size(); ++i) {
        const AboutPicture& p = AboutPictures[i];
        HWND control = GetDlgItem(window_, p.controlId);
        if (control == nullptr) continue;
        pictures_[i].attach(control);
        pictures_[i].load(module, 1, p.bitmapId, 1, 0, 1);
        const UINT keep = p.position ? 0u : SWP_NOMOVE;
        SetWindowPos(control, nullptr, p.position ? p.position->x : 0, p.position ? p.position->y : 0, p.width,
                     p.height, SWP_NOZORDER | SWP_NOACTIVATE | keep);
    }
    for (std::size_t i = 0; i < AboutTooltips.size(); ++i) {
        const TooltipSpec& t = AboutTooltips[i];
        HWND owner = t.controlId == AboutBoxItself ? window_ : GetDlgItem(window_, t.controlId);
        tooltips_[i] = addTooltip(owner, t, i);
    }
    band_ = CreateSolidBrush(RGB(AboutBandColour.red, AboutBandColour.green, AboutBandColour.blue));
    background_ = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(AboutBackgroundBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    hand_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));   // IDC_HAND
    arrow_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    startAnimation();
}

void AboutBox::startAnimation() {
    // The clip plays in a control of its own inside the template's: made with no size and without
    // centring, it takes the clip's size.
    HWND frame = GetDlgItem(window_, AboutAnimationId);
    HWND player = frame == nullptr ? nullptr
                                   : CreateWindowExW(0, ANIMATE_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                                     frame, reinterpret_cast<HMENU>(AboutAnimationId),
                                                     com_support::moduleInstance(), nullptr);
    const bool opened = player != nullptr && Animate_Open(player, MAKEINTRESOURCEW(AboutAnimationClip));
    if (player != nullptr && !opened) Animate_Close(player);
    ShowWindow(window_, SW_SHOW);
    if (opened) Animate_Play(player, 0, -1, 1);
}

void AboutBox::paintBackground(HDC dc) {
    eraseWhite(window_, dc);
    RECT client;
    GetClientRect(window_, &client);
    if (HWND animation = GetDlgItem(window_, AboutAnimationId); animation != nullptr && band_ != nullptr) {
        RECT a;
        GetWindowRect(animation, &a);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&a), 2);
        const RECT band = {0, 0, aboutBandRight(a.left, a.right), client.bottom};
        FillRect(dc, &band, band_);
    }
    if (background_ == nullptr) return;
    BITMAP size{};
    GetObjectW(background_, sizeof size, &size);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, background_);
    BitBlt(dc, AboutBackgroundOrigin.x, AboutBackgroundOrigin.y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

bool AboutBox::setCursor(LPARAM l) {
    // Over the box's own client area (and, passed up first, over its pictures, which then put the
    // hand over their own spots).
    if (LOWORD(l) != HTCLIENT) return false;
    SetCursor(aboutBoxShowsHand(pointerIn(window_)) ? hand_ : arrow_);
    return true;
}

void AboutBox::release() {
    // The tooltips are owned by the box and go with it.
    tooltips_.fill(nullptr);
    if (band_ != nullptr) DeleteObject(band_);
    if (background_ != nullptr) DeleteObject(background_);
    band_ = nullptr;
    background_ = nullptr;
}

}  // namespace tevaro::panel
