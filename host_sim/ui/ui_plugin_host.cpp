#include "host_sim/ui/ui_plugin_host.h"

#include <oleauto.h>

namespace host_sim {
namespace {

constexpr const wchar_t* PlayerClass = L"HostSimPlayer";
constexpr const wchar_t* AreaClass = L"HostSimSettingsArea";

LRESULT CALLBACK playerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        return 1;
    }
    return DefWindowProcW(window, message, w, l);
}

void registerClasses() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW c{};
    c.lpfnWndProc = playerProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    c.lpszClassName = PlayerClass;
    RegisterClassW(&c);
    c.lpszClassName = AreaClass;
    RegisterClassW(&c);
    registered = true;
}

bool readString(HKEY key, const wchar_t* name, std::wstring& text) {
    wchar_t buffer[512];
    DWORD size = sizeof buffer, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    buffer[size / sizeof(wchar_t) < 512 ? size / sizeof(wchar_t) : 511] = L'\0';
    text = buffer;
    return true;
}

HRESULT defaultSize(IWMPPluginUI* ui, const wchar_t* name, LONG& value) {
    VARIANT v;
    VariantInit(&v);
    const HRESULT hr = ui->GetProperty(name, &v);
    if (SUCCEEDED(hr) && v.vt == VT_I4) value = v.lVal;
    VariantClear(&v);
    return hr;
}

}  // namespace

std::vector<UiPluginRecord> findUiPlugins() {
    std::vector<UiPluginRecord> records;
    HKEY root;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, com_support::UiPluginsKey, 0, KEY_READ, &root) != ERROR_SUCCESS)
        return records;
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = 64;
        if (RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        UiPluginRecord record;
        if (FAILED(CLSIDFromString(name, &record.clsid))) continue;
        HKEY key;
        if (RegOpenKeyExW(root, name, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        readString(key, L"FriendlyName", record.friendlyName);
        readString(key, L"Description", record.description);
        DWORD size = sizeof record.capabilities;
        RegQueryValueExW(key, L"Capabilities", nullptr, nullptr, reinterpret_cast<BYTE*>(&record.capabilities), &size);
        RegCloseKey(key);
        records.push_back(record);
    }
    RegCloseKey(root);
    return records;
}

bool findSettingsAreaPlugin(UiPluginRecord& record) {
    for (const UiPluginRecord& r : findUiPlugins()) {
        if ((r.capabilities & 0xFF) == com_support::PluginTypeSettingsArea) {
            record = r;
            return true;
        }
    }
    return false;
}

UiPluginHost::UiPluginHost(SIZE area) {
    registerClasses();
    RECT frame{0, 0, area.cx + 16, area.cy + 16};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    player_ = CreateWindowExW(0, PlayerClass, L"host_sim player", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                              0, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    area_ = CreateWindowExW(0, AreaClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 8, 8, area.cx, area.cy,
                            player_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(player_);
    UpdateWindow(player_);
}

UiPluginHost::~UiPluginHost() {
    close();
    if (player_ != nullptr) DestroyWindow(player_);
}

UiPluginOpening UiPluginHost::open(REFCLSID clsid) {
    UiPluginOpening result;
    result.created =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWMPPluginUI), reinterpret_cast<void**>(&ui_));
    if (FAILED(result.created)) return result;
    core_ = new RecordingCore();
    result.setCore = ui_->SetCore(core_);
    result.create = ui_->Create(area_, &plugin_);
    result.defaultWidth = defaultSize(ui_, L"DefaultWidth", result.width);
    result.defaultHeight = defaultSize(ui_, L"DefaultHeight", result.height);
    // The settings area gives the plug-in's window all of its room.
    if (plugin_ != nullptr) {
        RECT r;
        GetClientRect(area_, &r);
        MoveWindow(plugin_, 0, 0, r.right, r.bottom, TRUE);
    }
    pumpFor(0);
    return result;
}

HRESULT UiPluginHost::close() {
    if (ui_ == nullptr) return S_OK;
    const HRESULT hr = plugin_ != nullptr ? ui_->Destroy() : S_OK;
    plugin_ = nullptr;
    ui_->SetCore(nullptr);
    ui_->Release();
    ui_ = nullptr;
    if (core_ != nullptr) core_->Release();
    core_ = nullptr;
    pumpFor(0);
    return hr;
}

void UiPluginHost::deliver(MSG& message) {
    if (ui_ != nullptr && plugin_ != nullptr) ui_->TranslateAccelerator(&message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool UiPluginHost::pumpOnce(DWORD waitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    bool any = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        deliver(message);
        any = true;
    }
    return any;
}

void UiPluginHost::pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        const DWORD spent = GetTickCount() - start;
        pumpOnce(spent >= ms ? 0 : (ms - spent < 20 ? ms - spent : 20));
    } while (GetTickCount() - start < ms);
}

}  // namespace host_sim
