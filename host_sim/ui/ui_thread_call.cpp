#include "host_sim/ui/ui_thread_call.h"

namespace host_sim {
namespace {

constexpr UINT RunWork = WM_APP + 1;

LRESULT CALLBACK callProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == RunWork) {
        if (l != 0) (*reinterpret_cast<const std::function<void()>*>(l))();
        return 1;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace

UiThreadCall::UiThreadCall() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW c{};
        c.lpfnWndProc = callProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"HostSimUiThreadCall";
        RegisterClassW(&c);
        registered = true;
    }
    window_ = CreateWindowExW(0, L"HostSimUiThreadCall", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
}

UiThreadCall::~UiThreadCall() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void UiThreadCall::run(const std::function<void()>& work) const {
    SendMessageW(window_, RunWork, 0, reinterpret_cast<LPARAM>(&work));
}

DWORD UiThreadCall::answerTime() const {
    const DWORD start = GetTickCount();
    SendMessageW(window_, RunWork, 0, 0);
    return GetTickCount() - start;
}

bool UiThreadCall::waitUntilInputHandled(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        bool pending = false;
        run([&] { pending = HIWORD(GetQueueStatus(QS_INPUT)) != 0; });
        if (!pending) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(2);
    }
}

}  // namespace host_sim
