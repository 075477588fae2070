#include "dsp/plugin/dsp_plugin_page.h"

#include <cstring>
#include <cwchar>

#include "dsp/plugin/dialog_template_size.h"
#include "dsp/plugin/resource.h"

namespace tevaro::plugin {
namespace {

INT_PTR CALLBACK pageDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    // Nothing to initialise or handle: the template holds the whole page.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A task-memory copy of a string resource (the caller of GetPageInfo frees it).
LPOLESTR taskString(UINT id) {
    wchar_t text[256];
    com_support::loadModuleString(id, text, 256);
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy != nullptr) std::memcpy(copy, text, bytes);
    return copy;
}

static_assert(sizeof(void*) != 4 || sizeof(PROPPAGEINFO) == 28, "the 32-bit page information is 28 bytes");

bool isKeyboardOrMouse(UINT message) {
    return (message >= WM_KEYFIRST && message <= 0x108) || (message >= WM_MOUSEFIRST && message <= 0x20A);
}

}  // namespace

DspPluginPropertyPage::~DspPluginPropertyPage() {
    Deactivate();
    if (site_ != nullptr) site_->Release();
}

HRESULT DspPluginPropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site == nullptr) {
        if (site_ != nullptr) site_->Release();
        site_ = nullptr;
        return S_OK;
    }
    if (site_ != nullptr) return E_UNEXPECTED;
    site->AddRef();
    site_ = site;
    return S_OK;
}

HRESULT DspPluginPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (rect == nullptr) return E_POINTER;
    Deactivate();
    dialog_ =
        CreateDialogParamW(com_support::moduleInstance(), MAKEINTRESOURCEW(IDD_DSP_PAGE), parent, pageDialogProc, 0);
    if (dialog_ == nullptr) {
        const DWORD error = GetLastError();
        return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    return Move(rect);
}

HRESULT DspPluginPropertyPage::Deactivate() {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
    dialog_ = nullptr;
    return S_OK;
}

HRESULT DspPluginPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) return E_POINTER;
    SIZE size{};
    if (!dialogTemplatePixelSize(com_support::moduleInstance(), IDD_DSP_PAGE, size)) return E_UNEXPECTED;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = taskString(IDS_PAGE_TITLE);
    info->size = size;
    info->pszDocString = taskString(IDS_PAGE_DOCSTRING);
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

HRESULT DspPluginPropertyPage::SetObjects(ULONG, IUnknown**) { return S_OK; }

HRESULT DspPluginPropertyPage::Show(UINT command) {
    if (dialog_ == nullptr) return E_UNEXPECTED;
    ShowWindow(dialog_, static_cast<int>(command));
    return S_OK;
}

HRESULT DspPluginPropertyPage::Move(LPCRECT rect) {
    if (dialog_ == nullptr) return E_UNEXPECTED;
    if (rect == nullptr) return E_POINTER;
    size_ = {rect->right - rect->left, rect->bottom - rect->top};
    MoveWindow(dialog_, rect->left, rect->top, size_.cx, size_.cy, TRUE);
    return S_OK;
}

HRESULT DspPluginPropertyPage::IsPageDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT DspPluginPropertyPage::Apply() { return S_OK; }

// The page names no help file, so there is nothing to show.
HRESULT DspPluginPropertyPage::Help(LPCOLESTR) { return E_OUTOFMEMORY; }

HRESULT DspPluginPropertyPage::TranslateAccelerator(MSG* message) {
    if (message == nullptr) return E_POINTER;
    if (dialog_ == nullptr || !isKeyboardOrMouse(message->message)) return S_FALSE;
    return IsDialogMessageW(dialog_, message) ? S_OK : S_FALSE;
}

}  // namespace tevaro::plugin
