#pragma once
// Runs work on the user-interface thread from another thread. The request is a message sent to a
// message-only window of the UI thread, so whatever loop that thread is in (its own pump, or a
// plug-in's modal dialog loop) serves it; the caller waits until it has run.
#include <windows.h>

#include <functional>

namespace host_sim {

class UiThreadCall {
public:
    UiThreadCall();  // on the UI thread
    ~UiThreadCall();
    UiThreadCall(const UiThreadCall&) = delete;
    UiThreadCall& operator=(const UiThreadCall&) = delete;

    void run(const std::function<void()>& work) const;
    // Milliseconds until the UI thread served an empty request: how long it was busy or blocked.
    DWORD answerTime() const;
    // Returns once the UI thread has no input messages left to handle (or after `timeoutMs`).
    // Input injected with SendInput is queued at once, but a sent request is served before queued
    // input, so one round trip alone does not show that a click has landed.
    bool waitUntilInputHandled(DWORD timeoutMs = 5000) const;

private:
    HWND window_ = nullptr;
};

}  // namespace host_sim
