#pragma once
// SkinButton: an owner-drawn dialog button taken over (subclassed) and drawn from a list of
// bitmap resources. Plain buttons show the bitmap at their image index; hot buttons apply the hot
// rules of their control id: a pressed sub-picture, a page opened on the press, the hand pointer.
#include <windows.h>

#include <array>

namespace tevaro::panel {

// The owner-draw request as a parent dialog reflects it back to the control that sent it.
inline constexpr UINT ReflectedDrawItem = WM_USER + 0x2000 + WM_DRAWITEM;

// A dialog's WM_DRAWITEM handed back to the control that asked, which draws itself.
inline void reflectDrawItem(HWND dialog, LPARAM l) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    SendMessageW(item->hwndItem, ReflectedDrawItem, item->CtlID, l);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
}

class SkinButton {
public:
    static constexpr int MaxBitmaps = 32;

    SkinButton() = default;
    ~SkinButton();
    SkinButton(const SkinButton&) = delete;
    SkinButton& operator=(const SkinButton&) = delete;

    // Takes over the button's messages; the button's own procedure gets all the others.
    void attach(HWND button);
    // Bitmaps firstId .. firstId + count - 1 (at most 32; one that cannot be loaded stays null).
    int load(HINSTANCE module, int count, int firstId, int selected, int imageIndex, int hotMode);
    // Stored only: the owner invalidates and updates the window.
    void setImage(int index) { image_ = index; }
    void setSelected(int selected) { selected_ = selected; }

    HWND window() const { return window_; }
    int image() const { return image_; }
    int selected() const { return selected_; }
    int hotMode() const { return hotMode_; }
    int bitmapCount() const { return count_; }
    HBITMAP bitmap(int index) const;

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void draw(const DRAWITEMSTRUCT& item);
    int pictureToDraw();
    bool setCursor(WPARAM w, LPARAM l);
    void scrollParentToRow(int row);
    void releaseBitmaps();
    void detach();

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    int image_ = 0;
    int selected_ = 0;  // kept for the owner; the button itself never reads it
    std::array<HBITMAP, MaxBitmaps> bitmaps_{};
    int hotMode_ = 0;
    int count_ = 0;
    bool pressOpened_ = false;  // this press has opened its page already
};

}  // namespace tevaro::panel
