#include "panel/help_window.h"

#include "com_support/com_module.h"
#include "panel/resource.h"

namespace tevaro::panel {
namespace {

PixelSize bitmapSize(int id) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(com_support::moduleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap == nullptr) return {};
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    DeleteObject(bitmap);
    return {size.bmWidth, size.bmHeight};
}

BOOL CALLBACK releaseStaticBitmap(HWND child, LPARAM) {
    // The header and strips are static bitmaps the statics loaded from the template; not every
    // window system frees those with the control, so they are taken back and deleted here.
    wchar_t cls[16];
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Static") != 0 || (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) return TRUE;
    if (auto old = reinterpret_cast<HGDIOBJ>(SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, 0))) DeleteObject(old);
    return TRUE;
}

ScrollRequest requestOf(WPARAM w) {
    switch (LOWORD(w)) {
        case SB_LINEUP:
            return ScrollRequest::lineUp;
        case SB_LINEDOWN:
            return ScrollRequest::lineDown;
        case SB_PAGEUP:
            return ScrollRequest::pageUp;
        case SB_PAGEDOWN:
            return ScrollRequest::pageDown;
        case SB_THUMBTRACK:
            return ScrollRequest::thumbTrack;
        default:
            return ScrollRequest::other;
    }
}

}  // namespace

bool HelpWindow::open(HWND panel) {
    if (create(panel, HelpTemplateId) == nullptr) return false;
    sizeAndShow();
    return true;
}

INT_PTR HelpWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG:
            position_ = 0;
            maximum_ = 0;
            GetClientRect(window_, &created_);
            current_ = created_;
            initialised_ = true;
            attachPictures();
            return TRUE;
        case WM_SIZE:
            if (initialised_) followSize();
            return FALSE;
        case WM_VSCROLL:
            scroll(requestOf(w));
            return TRUE;
        case WM_ERASEBKGND:
            eraseWhite(window_, reinterpret_cast<HDC>(w));
            answer(TRUE);
            return TRUE;
        case WM_DRAWITEM:
            reflectDrawItem(window_, l);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(w) == IDCANCEL) {
                close();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            initialised_ = false;
            releaseStaticBitmaps();
            return FALSE;
        default:
            return FALSE;
    }
}

void HelpWindow::releaseStaticBitmaps() { EnumChildWindows(window_, releaseStaticBitmap, 0); }

void HelpWindow::attachPictures() {
    for (std::size_t i = 0; i < HelpPictures.size(); ++i) {
        const HelpPicture& p = HelpPictures[i];
        HWND control = GetDlgItem(window_, p.controlId);
        if (control == nullptr) continue;
        pictures_[i].attach(control);
        pictures_[i].load(com_support::moduleInstance(), 1, p.bitmapId, 1, 0, p.hotMode);
        SetWindowPos(control, nullptr, p.rect.x, p.rect.y, p.rect.width, p.rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void HelpWindow::sizeAndShow() {
    const PixelSize client =
        helpClientSize(bitmapSize(HelpHeaderBitmap), bitmapSize(HelpStripBitmap), GetSystemMetrics(SM_CYVSCROLL));
    RECT frame = {0, 0, client.width, client.height};
    AdjustWindowRect(&frame, 0, FALSE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOW);
}

void HelpWindow::followSize() {
    GetClientRect(window_, &current_);
    maximum_ = scrollMaximum(created_.bottom - created_.top, current_.bottom - current_.top);
    scrollInfo_ = {sizeof scrollInfo_, SIF_RANGE, 0, maximum_, 0, 0, 0};
    SetScrollInfo(window_, SB_VERT, &scrollInfo_, FALSE);
    scrollInfo_ = {sizeof scrollInfo_, SIF_POS, 0, 0, 0, position_, 0};
    SetScrollInfo(window_, SB_VERT, &scrollInfo_, TRUE);
}

void HelpWindow::scroll(ScrollRequest request) {
    int track = 0;
    if (request == ScrollRequest::thumbTrack) {
        scrollInfo_ = {sizeof scrollInfo_, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(window_, SB_VERT, &scrollInfo_);
        track = scrollInfo_.nTrackPos;
    }
    const ScrollStep step = clampedScroll(position_, maximum_, scrollIncrement(request, position_, maximum_, track));
    position_ = step.position;
    if (step.delta == 0) return;
    ScrollWindowEx(window_, 0, -ScrollUnitPixels * step.delta, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(window_, SB_VERT, position_, TRUE);
}

}  // namespace tevaro::panel
