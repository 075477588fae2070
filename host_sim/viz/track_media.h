#pragma once
// The test player's media item: a track's attributes as name and value pairs, served through
// IWMPMedia as the player serves them to NotifyNewMedia. Values can be changed while the effect
// holds the item (a new rating, say). Read from a text file of "name=value" lines for --media.
#include <windows.h>
#include <wmp.h>

#include <string>
#include <utility>
#include <vector>

namespace tevaro::host_sim {

class TrackMedia final : public IWMPMedia {
public:
    using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;
    explicit TrackMedia(Attributes attributes) : attributes_(std::move(attributes)) {}

    // "name=value" per line; lines without '=' are skipped. Empty when the file cannot be read.
    static Attributes readFile(const std::wstring& path);

    void set(const std::wstring& name, const std::wstring& value);
    bool has(const std::wstring& name) const {
        for (const auto& a : attributes_)
            if (a.first == name) return true;
        return false;
    }
    // How often the effect asked for each kind of thing, for tests.
    int itemRequests() const { return itemRequests_; }
    ULONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives with its owner

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_isIdentical(IWMPMedia*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_name(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_name(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_imageSourceWidth(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_imageSourceHeight(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_markerCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getMarkerTime(LONG, double*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getMarkerName(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_duration(double*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_durationString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_attributeCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE getAttributeName(LONG index, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE getItemInfo(BSTR name, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE setItemInfo(BSTR, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE getItemInfoByAtom(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE isMemberOf(IWMPPlaylist*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE isReadOnlyItem(BSTR, VARIANT_BOOL*) override { return E_NOTIMPL; }

private:
    Attributes attributes_;
    ULONG references_ = 1;
    int itemRequests_ = 0;
};

}  // namespace tevaro::host_sim
