#include "album_viz/effect/about_page.h"

#include "album_viz/effect/effect_resources.h"

namespace tevaro::album {
namespace {

void centreOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT area{}, own{};
    if (owner != nullptr)
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, l);
            centreOnOwner(dialog);
            SendDlgItemMessageW(dialog, IDC_COVERDRIFT_ABOUT_TEXT, EM_LIMITTEXT, 259, 0);
            SetDlgItemTextW(dialog, IDC_COVERDRIFT_ABOUT_TEXT, reinterpret_cast<const wchar_t*>(l));
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(w) == IDOK) {
                auto* text = reinterpret_cast<wchar_t*>(GetWindowLongPtrW(dialog, DWLP_USER));
                GetDlgItemTextW(dialog, IDC_COVERDRIFT_ABOUT_TEXT, text, 260);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(w) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

void runAboutPage(HINSTANCE module, HWND owner, wchar_t (&text)[260]) {
    DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_COVERDRIFT_ABOUT), owner, aboutProc, reinterpret_cast<LPARAM>(text));
}

}  // namespace tevaro::album
