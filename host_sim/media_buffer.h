#pragma once
// The host's IMediaBuffer: a fixed-capacity block allocated once and reused for every call.
#include <cstdint>
#include <vector>

#include "com_support/dmo.h"
#include "com_support/single_interface_object.h"

namespace host_sim {

class MediaBuffer final : public com_support::SingleInterfaceObject<IMediaBuffer> {
public:
    explicit MediaBuffer(DWORD capacity) : bytes_(capacity) {}

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

private:
    std::vector<std::uint8_t> bytes_;
    DWORD length_ = 0;
};

}  // namespace host_sim
