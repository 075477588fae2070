#include "panel/owner_blocking_popup.h"

#include "com_support/com_module.h"

namespace tevaro::panel {

OwnerBlockingPopup::~OwnerBlockingPopup() {
    // Derived classes destroy their open window while they still exist (destroyWindow); this is
    // for one that did not: its part of the object is gone, so the window hears no more of it.
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, DWLP_USER, 0);
    releaseOwner();
    DestroyWindow(window_);
}

void OwnerBlockingPopup::destroyWindow() {
    // The panel can go while the popup is open; the player must not stay disabled.
    releaseOwner();
    if (window_ != nullptr) DestroyWindow(window_);
}

HWND OwnerBlockingPopup::create(HWND panel, int templateId) {
    if (window_ != nullptr) return nullptr;  // the owner is disabled meanwhile: no second one
    return CreateDialogParamW(com_support::moduleInstance(), MAKEINTRESOURCEW(templateId), panel,
                              &OwnerBlockingPopup::dialogProc, reinterpret_cast<LPARAM>(this));
}

void OwnerBlockingPopup::close() {
    HWND owner = owner_;
    releaseOwner();
    if (owner != nullptr) SetActiveWindow(owner);
    if (window_ != nullptr) DestroyWindow(window_);
}

void OwnerBlockingPopup::releaseOwner() {
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    owner_ = nullptr;
}

INT_PTR CALLBACK OwnerBlockingPopup::dialogProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<OwnerBlockingPopup*>(l);
        SetWindowLongPtrW(window, DWLP_USER, l);
        self->window_ = window;
        self->owner_ = GetWindow(window, GW_OWNER);
        if (self->owner_ != nullptr) EnableWindow(self->owner_, FALSE);
    }
    auto* self = reinterpret_cast<OwnerBlockingPopup*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    const INT_PTR handled = self->handle(message, w, l);
    if (message == WM_NCDESTROY) {
        self->releaseOwner();
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return handled;
}

void eraseWhite(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

}  // namespace tevaro::panel
