#pragma once
// HelpWindow: the scrolling help page (template 165). The twenty pictures carry the manual; the
// overview's labels and the section headers scroll the page, three sections open web pages.
#include <windows.h>

#include <array>

#include "panel/model/help_page.h"
#include "panel/owner_blocking_popup.h"
#include "panel/skin_button.h"

namespace tevaro::panel {

class HelpWindow final : public OwnerBlockingPopup {
public:
    HelpWindow() = default;
    ~HelpWindow() override { destroyWindow(); }
    // Opens the page at position 0 at the screen's top-left corner.
    bool open(HWND panel);

    int position() const { return position_; }
    int maximum() const { return maximum_; }

private:
    INT_PTR handle(UINT message, WPARAM w, LPARAM l) override;
    void attachPictures();
    void sizeAndShow();
    void followSize();
    void scroll(ScrollRequest request);
    void releaseStaticBitmaps();

    int position_ = 0;  // in units of ScrollUnitPixels
    int maximum_ = 0;
    RECT created_{};  // the client area at creation: the whole page
    RECT current_{};
    SCROLLINFO scrollInfo_{};
    bool initialised_ = false;
    std::array<SkinButton, HelpPictures.size()> pictures_;
};

}  // namespace tevaro::panel
