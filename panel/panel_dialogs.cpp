#include "panel/panel_dialogs.h"

#include "com_support/com_module.h"
#include "panel/links.h"
#include "panel/resource.h"

namespace tevaro::panel {
namespace {

struct PictureDialog {
    int pictureX;           // the picture's left edge; its top is at 20
    bool showAgain = true;  // the warning's check box, inverted
};

constexpr int PictureTop = 20;

void paintBackground(HWND dialog, HDC dc, const PictureDialog& d) {
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    auto picture = static_cast<HBITMAP>(LoadImageW(com_support::moduleInstance(), MAKEINTRESOURCEW(IDB_DIALOG_PICTURE),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (picture == nullptr) return;
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc, d.pictureX, PictureTop, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
}

INT_PTR CALLBACK pictureDialogProc(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    auto* d = reinterpret_cast<PictureDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, l);
            if (GetDlgItem(dialog, IDC_HOMEPAGE_ADDRESS) != nullptr)
                SetDlgItemTextW(dialog, IDC_HOMEPAGE_ADDRESS, linkAddress(LinkTarget::productHomepage).c_str());
            return TRUE;
        case WM_ERASEBKGND:
            if (d == nullptr) return FALSE;
            paintBackground(dialog, reinterpret_cast<HDC>(w), *d);
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Texts lie on the picture; the check box sits on white.
            auto dc = reinterpret_cast<HDC>(w);
            SetBkMode(dc, TRANSPARENT);
            const bool checkBox = GetDlgCtrlID(reinterpret_cast<HWND>(l)) == IDC_DONT_SHOW_AGAIN;
            return reinterpret_cast<INT_PTR>(GetStockObject(checkBox ? WHITE_BRUSH : HOLLOW_BRUSH));
        }
        case WM_COMMAND:
            if (LOWORD(w) == IDC_DONT_SHOW_AGAIN && HIWORD(w) == BN_CLICKED && d != nullptr) {
                d->showAgain = IsDlgButtonChecked(dialog, IDC_DONT_SHOW_AGAIN) != BST_CHECKED;
                return TRUE;
            }
            if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) {
                EndDialog(dialog, LOWORD(w));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void run(HWND owner, int templateId, PictureDialog& d) {
    DialogBoxParamW(com_support::moduleInstance(), MAKEINTRESOURCEW(templateId), owner, pictureDialogProc,
                    reinterpret_cast<LPARAM>(&d));
}

}  // namespace

void showDspInactiveDialog(HWND owner) {
    PictureDialog d{85};
    run(owner, IDD_DSP_INACTIVE, d);
}

bool showQualityWarningDialog(HWND owner, bool showAgain) {
    PictureDialog d{85, showAgain};
    run(owner, IDD_QUALITY_WARNING, d);
    return d.showAgain;
}

void showConnectionFailedDialog(HWND owner) {
    PictureDialog d{103};
    run(owner, IDD_CONNECTION_FAILED, d);
}

}  // namespace tevaro::panel
