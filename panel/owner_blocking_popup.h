#pragma once
// A modeless popup dialog that behaves modally: made with the panel window as parent (so its owner
// is the player's top-level window), it disables that owner while it is open; closing re-enables
// the owner, makes it active and destroys the popup. Each open makes the window afresh.
#include <windows.h>

namespace tevaro::panel {

class OwnerBlockingPopup {
public:
    OwnerBlockingPopup() = default;
    virtual ~OwnerBlockingPopup();
    OwnerBlockingPopup(const OwnerBlockingPopup&) = delete;
    OwnerBlockingPopup& operator=(const OwnerBlockingPopup&) = delete;

    HWND window() const { return window_; }

protected:
    // The dialog of `templateId` under `panel`; null when it cannot be made. The owner is disabled
    // before the derived class sees WM_INITDIALOG.
    HWND create(HWND panel, int templateId);
    void close();
    // For the derived destructor: the window goes without activating the owner.
    void destroyWindow();

    // The derived dialog's messages; FALSE lets the dialog manager handle one.
    virtual INT_PTR handle(UINT message, WPARAM w, LPARAM l) = 0;
    // The result of a message the dialog procedure answered with TRUE.
    void answer(LRESULT result) { SetWindowLongPtrW(window_, DWLP_MSGRESULT, result); }

    HWND window_ = nullptr;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM w, LPARAM l);
    void releaseOwner();

    HWND owner_ = nullptr;
};

// Fills a client area white, the background of the help page and the about box.
void eraseWhite(HWND window, HDC dc);

}  // namespace tevaro::panel
