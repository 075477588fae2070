#include "host_sim/viz/track_media.h"

#include <fstream>

namespace tevaro::host_sim {

TrackMedia::Attributes TrackMedia::readFile(const std::wstring& path) {
    Attributes out;
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        // The file is UTF-8, so titles in any script can be written into it.
        auto wide = [](const std::string& s) {
            std::wstring w(s.size() + 1, L'\0');
            const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), int(w.size()));
            w.resize(n > 0 ? std::size_t(n) : 0);
            return w;
        };
        out.emplace_back(wide(line.substr(0, equals)), wide(line.substr(equals + 1)));
    }
    return out;
}

void TrackMedia::set(const std::wstring& name, const std::wstring& value) {
    for (auto& [n, v] : attributes_) {
        if (n == name) {
            v = value;
            return;
        }
    }
    attributes_.emplace_back(name, value);
}

HRESULT TrackMedia::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IWMPMedia)) {
        *object = static_cast<IWMPMedia*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TrackMedia::get_attributeCount(LONG* count) {
    if (count == nullptr) return E_POINTER;
    *count = LONG(attributes_.size());
    return S_OK;
}

HRESULT TrackMedia::getAttributeName(LONG index, BSTR* name) {
    if (name == nullptr) return E_POINTER;
    if (index < 0 || std::size_t(index) >= attributes_.size()) return E_INVALIDARG;
    *name = SysAllocString(attributes_[std::size_t(index)].first.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT TrackMedia::getItemInfo(BSTR name, BSTR* value) {
    if (value == nullptr) return E_POINTER;
    ++itemRequests_;
    const std::wstring wanted = name != nullptr ? std::wstring(name, SysStringLen(name)) : std::wstring();
    for (const auto& [n, v] : attributes_) {
        if (n == wanted) {
            *value = SysAllocString(v.c_str());
            return *value != nullptr ? S_OK : E_OUTOFMEMORY;
        }
    }
    // The player answers an attribute a file lacks with an empty text.
    *value = SysAllocString(L"");
    return S_OK;
}

}  // namespace tevaro::host_sim
