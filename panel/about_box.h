#pragma once
// AboutBox (template 105): the logos and link labels, the credits over a painted background, the
// animation played once, and the animation area that opens the developer's page.
#include <windows.h>

#include <array>

#include "panel/model/about_box_layout.h"
#include "panel/owner_blocking_popup.h"
#include "panel/skin_button.h"

namespace tevaro::panel {

class AboutBox final : public OwnerBlockingPopup {
public:
    AboutBox() = default;
    ~AboutBox() override;

    bool open(HWND panel);

private:
    INT_PTR handle(UINT message, WPARAM w, LPARAM l) override;
    void startUp();
    void startAnimation();
    void paintBackground(HDC dc);
    bool setCursor(LPARAM l);
    void release();

    std::array<SkinButton, AboutPictures.size()> pictures_;
    std::array<HWND, AboutTooltips.size()> tooltips_{};
    HBRUSH band_ = nullptr;
    HBITMAP background_ = nullptr;
    HCURSOR hand_ = nullptr;
    HCURSOR arrow_ = nullptr;
};

}  // namespace tevaro::panel
