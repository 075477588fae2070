#include "com_support/com_module.h"

namespace com_support {
namespace {

HINSTANCE instance_ = nullptr;
volatile LONG count_ = 0;

}  // namespace

void setModuleInstance(HINSTANCE instance) { instance_ = instance; }
HINSTANCE moduleInstance() { return instance_; }

void moduleAddRef() { InterlockedIncrement(&count_); }
void moduleRelease() { InterlockedDecrement(&count_); }
HRESULT moduleCanUnloadNow() { return count_ == 0 ? S_OK : S_FALSE; }

bool modulePath(wchar_t* path, DWORD capacity) {
    const DWORD n = GetModuleFileNameW(instance_, path, capacity);
    return n != 0 && n < capacity;
}

int loadModuleString(UINT id, wchar_t* text, int capacity) {
    const int n = LoadStringW(instance_, id, text, capacity);
    if (n <= 0 && capacity > 0) text[0] = L'\0';
    return n;
}

}  // namespace com_support
