#include "panel/control_panel.h"

#include <unknwn.h>

#include "com_support/com_module.h"
#include "panel/links.h"
#include "panel/panel_dialogs.h"
#include "panel/system_queries.h"
#include "panel/tooltips.h"
#include "panel/pointer_position.h"

namespace tevaro::panel {

ControlPanel::ControlPanel(IWMPCore* core) : core_(core) {
    if (core_ != nullptr) reinterpret_cast<IUnknown*>(core_)->AddRef();
}

ControlPanel::~ControlPanel() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (core_ != nullptr) reinterpret_cast<IUnknown*>(core_)->Release();
}

HWND ControlPanel::create(HWND host) {
    return CreateDialogParamW(com_support::moduleInstance(), MAKEINTRESOURCEW(PanelTemplateId), host,
                              &ControlPanel::dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ControlPanel::dialogProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ControlPanel*>(l);
        SetWindowLongPtrW(window, DWLP_USER, l);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<ControlPanel*>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->handle(message, w, l) : FALSE;
}

INT_PTR ControlPanel::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_INITDIALOG:
            startUp();
            return TRUE;
        case WM_TIMER:
            if (w == PanelTimerId) timerTick(state_, dspEnableTest(), *this);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(w) == BN_CLICKED && findControl(LOWORD(w)) != nullptr) {
                clickControl(state_, LOWORD(w), pointerIn(reinterpret_cast<HWND>(l)), *this);
                return TRUE;
            }
            return FALSE;
        case WM_DRAWITEM:
            reflectDrawItem(window_, l);
            return TRUE;
        case WM_DESTROY:
            shutDown(state_, *this);
            destroyTooltips();
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, DWLP_USER, 0);
            window_ = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void ControlPanel::startUp() {
    for (std::size_t i = 0; i < PanelControls.size(); ++i) {
        const ControlSpec& c = PanelControls[i];
        HWND control = GetDlgItem(window_, c.id);
        SkinButton& b = buttons_[i];
        b.attach(control);
        b.load(com_support::moduleInstance(), c.bitmapCount, c.firstBitmap, c.initialSelected, c.initialImage,
               c.hotMode);
        SetWindowPos(control, nullptr, c.rect.x, c.rect.y, c.rect.width, c.rect.height, SWP_NOACTIVATE | SWP_NOZORDER);
    }
    createTooltips();
    link_.open();
    tevaro::panel::startUp(state_, readStoredSettings(), dspEnableTest(), *this);
}

void ControlPanel::createTooltips() {
    for (std::size_t i = 0; i < PanelTooltips.size(); ++i)
        tooltips_[i] = addTooltip(GetDlgItem(window_, PanelTooltips[i].controlId), PanelTooltips[i], i);
}

void ControlPanel::destroyTooltips() {
    // Their owner is the player's top-level window, which outlives the panel.
    for (HWND& tip : tooltips_) {
        if (tip != nullptr) DestroyWindow(tip);
        tip = nullptr;
    }
}

SkinButton* ControlPanel::button(int controlId) {
    for (std::size_t i = 0; i < PanelControls.size(); ++i)
        if (PanelControls[i].id == controlId) return &buttons_[i];
    return nullptr;
}

void ControlPanel::showLook(PanelGroup group) {
    const PanelLook shown = look(state_);
    for (int id : groupMembers(group)) {
        SkinButton* b = button(id);
        if (b == nullptr) continue;
        b->setImage(shown.imageOf(id));
        const ControlSpec* c = findControl(id);
        switch (c->role) {
            case ControlRole::preset:
                b->setSelected(state_.presetSelected[static_cast<std::size_t>(id - FirstPresetId)]);
                break;
            case ControlRole::level:
                b->setSelected(state_.levelSelected[static_cast<std::size_t>(id - FirstLevelId)]);
                break;
            case ControlRole::surroundSwitch:
                b->setSelected(state_.surroundOn);
                break;
            case ControlRole::autoMode:
                b->setSelected(state_.autoMode);
                break;
            case ControlRole::statusDisplay:
            case ControlRole::infoControl:
                break;
        }
    }
}

void ControlPanel::publish(SettingsBlock::Slot slot, std::int32_t value) { link_.writeSlot(slot, value); }

void ControlPanel::showDspInactiveDialog() { tevaro::panel::showDspInactiveDialog(GetActiveWindow()); }

bool ControlPanel::askQualityWarning() { return showQualityWarningDialog(GetActiveWindow(), state_.showWarning); }

int ControlPanel::processorRating() { return rateProcessor(readProcessorFacts()); }

void ControlPanel::repaint(PanelGroup group) {
    showLook(group);
    for (int id : groupMembers(group)) {
        HWND control = GetDlgItem(window_, id);
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
    }
}

void ControlPanel::repaintHostWindow() {
    HWND host = GetParent(window_);
    InvalidateRect(host, nullptr, TRUE);
    UpdateWindow(host);
}

void ControlPanel::postHostPaint() {
    // A paint request the host serves once its creation is done, with the enable test of that
    // moment choosing its background.
    InvalidateRect(GetParent(window_), nullptr, FALSE);
}

void ControlPanel::openLink(LinkTarget target) { tevaro::panel::openLink(window_, target); }

void ControlPanel::openHelpWindow() { helpWindow_.open(window_); }

void ControlPanel::openAboutBox() { aboutBox_.open(window_); }

void ControlPanel::startTimer() { SetTimer(window_, PanelTimerId, PanelTimerPeriodMs, nullptr); }

void ControlPanel::killTimer() { KillTimer(window_, PanelTimerId); }

void ControlPanel::closeBlock() { link_.close(); }

void ControlPanel::saveSettings(std::uint32_t word) { saveStoredSettings(word); }

}  // namespace tevaro::panel
