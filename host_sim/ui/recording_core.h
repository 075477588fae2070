#pragma once
// The player's core object as host_sim hands it to a plug-in: it answers nothing useful and
// records every call, so a test can show which plug-ins only hold their core and which use it.
#include <windows.h>
#include <wmp.h>

#include <string>
#include <vector>

#include "com_support/com_object.h"

namespace host_sim {

class RecordingCore final : public com_support::ComObject<RecordingCore, IWMPCore> {
public:
    void* findInterface(REFIID iid);

    // Method names in call order, and the interfaces asked for beyond IUnknown, IDispatch, IWMPCore.
    const std::vector<std::string>& calls() const { return calls_; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;
    // IWMPCore
    HRESULT STDMETHODCALLTYPE close() override;
    HRESULT STDMETHODCALLTYPE get_URL(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE put_URL(BSTR url) override;
    HRESULT STDMETHODCALLTYPE get_openState(WMPOpenState* state) override;
    HRESULT STDMETHODCALLTYPE get_playState(WMPPlayState* state) override;
    HRESULT STDMETHODCALLTYPE get_controls(IWMPControls** controls) override;
    HRESULT STDMETHODCALLTYPE get_settings(IWMPSettings** settings) override;
    HRESULT STDMETHODCALLTYPE get_currentMedia(IWMPMedia** media) override;
    HRESULT STDMETHODCALLTYPE put_currentMedia(IWMPMedia* media) override;
    HRESULT STDMETHODCALLTYPE get_mediaCollection(IWMPMediaCollection** collection) override;
    HRESULT STDMETHODCALLTYPE get_playlistCollection(IWMPPlaylistCollection** collection) override;
    HRESULT STDMETHODCALLTYPE get_versionInfo(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE launchURL(BSTR url) override;
    HRESULT STDMETHODCALLTYPE get_network(IWMPNetwork** network) override;
    HRESULT STDMETHODCALLTYPE get_currentPlaylist(IWMPPlaylist** playlist) override;
    HRESULT STDMETHODCALLTYPE put_currentPlaylist(IWMPPlaylist* playlist) override;
    HRESULT STDMETHODCALLTYPE get_cdromCollection(IWMPCdromCollection** collection) override;
    HRESULT STDMETHODCALLTYPE get_closedCaption(IWMPClosedCaption** caption) override;
    HRESULT STDMETHODCALLTYPE get_isOnline(VARIANT_BOOL* online) override;
    HRESULT STDMETHODCALLTYPE get_Error(IWMPError** error) override;
    HRESULT STDMETHODCALLTYPE get_status(BSTR* status) override;

private:
    HRESULT record(const char* name);

    std::vector<std::string> calls_;
};

}  // namespace host_sim
