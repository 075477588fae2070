#pragma once
// One stream's current media type: unset while its major type is the null GUID. Owns the
// format block (Mo* helpers, so hosts can free what we hand out with MoFreeMediaType).
#include "com_support/dmo.h"

namespace tevaro::plugin {

class MediaTypeSlot {
public:
    MediaTypeSlot() = default;
    ~MediaTypeSlot() { clear(); }
    MediaTypeSlot(const MediaTypeSlot&) = delete;
    MediaTypeSlot& operator=(const MediaTypeSlot&) = delete;

    bool isSet() const { return type_.majortype != GUID_NULL; }
    const DMO_MEDIA_TYPE& type() const { return type_; }
    // The WAVEFORMATEX of a set type (validation guaranteed one of at least 18 bytes).
    const WAVEFORMATEX& format() const { return *reinterpret_cast<const WAVEFORMATEX*>(type_.pbFormat); }

    HRESULT assign(const DMO_MEDIA_TYPE& source) {
        DMO_MEDIA_TYPE copy{};
        const HRESULT hr = MoCopyMediaType(&copy, &source);
        if (FAILED(hr)) return hr;
        clear();
        type_ = copy;
        return S_OK;
    }
    void clear() {
        if (isSet() || type_.pbFormat != nullptr || type_.pUnk != nullptr) MoFreeMediaType(&type_);
        type_ = DMO_MEDIA_TYPE{};
    }

private:
    DMO_MEDIA_TYPE type_{};
};

}  // namespace tevaro::plugin
