#include "panel/skin_button.h"

#include "panel/links.h"
#include "panel/model/help_page.h"
#include "panel/model/hot_rules.h"
#include "panel/pointer_position.h"

namespace tevaro::panel {
namespace {

constexpr const wchar_t* InstanceProperty = L"TevaroSkinButton";
// Posted by a drawing that found the pointer over a link or scroll spot: the page opens, or the
// help page scrolls, right after the pushed picture is drawn, outside the paint.
constexpr UINT OpenLinkLater = WM_APP + 0x51;
constexpr UINT ScrollParentLater = WM_APP + 0x52;

}  // namespace

SkinButton::~SkinButton() {
    detach();
    releaseBitmaps();
}

void SkinButton::attach(HWND button) {
    detach();
    window_ = button;
    SetPropW(button, InstanceProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinButton::subclassProc)));
}

void SkinButton::detach() {
    if (window_ == nullptr) return;
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, InstanceProperty);
    }
    window_ = nullptr;
    previous_ = nullptr;
}

int SkinButton::load(HINSTANCE module, int count, int firstId, int selected, int imageIndex, int hotMode) {
    releaseBitmaps();
    count = count < 0 ? 0 : (count > MaxBitmaps ? MaxBitmaps : count);
    for (int i = 0; i < count; ++i)
        bitmaps_[static_cast<std::size_t>(i)] = static_cast<HBITMAP>(
            LoadImageW(module, MAKEINTRESOURCEW(firstId + i), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    selected_ = selected;
    image_ = imageIndex;
    hotMode_ = hotMode;
    count_ = count;
    return count;
}

HBITMAP SkinButton::bitmap(int index) const {
    return index >= 0 && index < count_ ? bitmaps_[static_cast<std::size_t>(index)] : nullptr;
}

void SkinButton::releaseBitmaps() {
    for (HBITMAP& b : bitmaps_) {
        if (b != nullptr) DeleteObject(b);
        b = nullptr;
    }
    count_ = 0;
}

LRESULT CALLBACK SkinButton::subclassProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = static_cast<SkinButton*>(GetPropW(window, InstanceProperty));
    if (self == nullptr) return DefWindowProcW(window, message, w, l);
    return self->handle(message, w, l);
}

LRESULT SkinButton::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case ReflectedDrawItem:
            draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
            return TRUE;
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole client area
        case WM_SETCURSOR:
            if (setCursor(w, l)) return TRUE;
            break;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button turns a quick second click into BN_DOUBLECLICKED; every click
            // on the panel counts (the switch toggled twice quickly ends where it started).
            return CallWindowProcW(previous_, window_, WM_LBUTTONDOWN, w, l);
        case OpenLinkLater:
            openLink(window_, static_cast<LinkTarget>(w));
            return 0;
        case ScrollParentLater:
            scrollParentToRow(static_cast<int>(w));
            return 0;
        case WM_DESTROY: {
            // The bitmaps live as long as the window; the object is ready for the next attach.
            const WNDPROC previous = previous_;
            HWND window = window_;
            releaseBitmaps();
            detach();
            return CallWindowProcW(previous, window, message, w, l);
        }
        default:
            break;
    }
    return CallWindowProcW(previous_, window_, message, w, l);
}

int SkinButton::pictureToDraw() {
    if (hotMode_ == 0) return image_;
    const bool pressed = (SendMessageW(window_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const HotPicture hot =
        hotPicture(GetDlgCtrlID(window_), image_, pressed, pressed ? pointerIn(window_) : PixelPoint{});
    // Once per press: a pushed button may be drawn again while it is held.
    if (!pressed) pressOpened_ = false;
    if ((hot.opens || hot.scrollsToRow) && !pressOpened_) {
        pressOpened_ = true;
        if (hot.opens) PostMessageW(window_, OpenLinkLater, static_cast<WPARAM>(*hot.opens), 0);
        if (hot.scrollsToRow) PostMessageW(window_, ScrollParentLater, static_cast<WPARAM>(*hot.scrollsToRow), 0);
    }
    return hot.picture;
}

void SkinButton::scrollParentToRow(int row) {
    // The parent's scroll handler reads the track position, which outside a drag of the thumb is
    // the position just set (clamped by the scroll bar to its range).
    HWND parent = GetParent(window_);
    SetScrollPos(parent, SB_VERT, scrollPositionOfRow(row), TRUE);
    SendMessageW(parent, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
}

void SkinButton::draw(const DRAWITEMSTRUCT& item) {
    HBITMAP picture = bitmap(pictureToDraw());
    if (picture == nullptr) return;
    RECT client;
    GetClientRect(window_, &client);
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(item.hDC, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

bool SkinButton::setCursor(WPARAM w, LPARAM l) {
    // The parent decides first; the hand then wins over the button's own hot rectangles.
    if (HWND parent = GetParent(window_)) SendMessageW(parent, WM_SETCURSOR, w, l);
    if (showsHandPointer(GetDlgCtrlID(window_), pointerIn(window_)))
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
    return true;
}

}  // namespace tevaro::panel
