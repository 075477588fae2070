#pragma once
// The host's IMediaBuffer: a fixed-capacity block allocated once and reused for every call.
#include <cstdint>
#include <vector>

#include "com_support/dmo.h"

namespace host_sim {

class MediaBuffer final : public IMediaBuffer {
public:
    explicit MediaBuffer(DWORD capacity) : bytes_(capacity) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IMediaBuffer) {
            *object = static_cast<IMediaBuffer*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE SetLength(DWORD length) override {
        if (length > bytes_.size()) return E_INVALIDARG;
        length_ = length;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMaxLength(DWORD* max) override {
        if (max == nullptr) return E_POINTER;
        *max = static_cast<DWORD>(bytes_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBufferAndLength(BYTE** data, DWORD* length) override {
        if (data == nullptr && length == nullptr) return E_POINTER;
        if (data != nullptr) *data = bytes_.data();
        if (length != nullptr) *length = length_;
        return S_OK;
    }

    std::uint8_t* data() { return bytes_.data(); }
    DWORD length() const { return length_; }
    LONG references() const { return refs_; }

private:
    std::vector<std::uint8_t> bytes_;
    DWORD length_ = 0;
    volatile LONG refs_ = 1;
};

}  // namespace host_sim
