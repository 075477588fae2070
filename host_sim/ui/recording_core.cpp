#include "host_sim/ui/recording_core.h"

namespace host_sim {

void* RecordingCore::findInterface(REFIID iid) {
    if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
    if (void* found = ComObject::findInterface(iid)) return found;
    wchar_t text[40];
    StringFromGUID2(iid, text, 40);
    char narrow[40];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    calls_.push_back(std::string("QueryInterface ") + narrow);
    return nullptr;
}

HRESULT RecordingCore::record(const char* name) {
    calls_.emplace_back(name);
    return E_NOTIMPL;
}

HRESULT RecordingCore::GetTypeInfoCount(UINT*) { return record("GetTypeInfoCount"); }
HRESULT RecordingCore::GetTypeInfo(UINT, LCID, ITypeInfo**) { return record("GetTypeInfo"); }
HRESULT RecordingCore::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return record("GetIDsOfNames"); }
HRESULT RecordingCore::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return record("Invoke");
}
HRESULT RecordingCore::close() { return record("close"); }
HRESULT RecordingCore::get_URL(BSTR*) { return record("get_URL"); }
HRESULT RecordingCore::put_URL(BSTR) { return record("put_URL"); }
HRESULT RecordingCore::get_openState(WMPOpenState*) { return record("get_openState"); }
HRESULT RecordingCore::get_playState(WMPPlayState*) { return record("get_playState"); }
HRESULT RecordingCore::get_controls(IWMPControls**) { return record("get_controls"); }
HRESULT RecordingCore::get_settings(IWMPSettings**) { return record("get_settings"); }
HRESULT RecordingCore::get_currentMedia(IWMPMedia**) { return record("get_currentMedia"); }
HRESULT RecordingCore::put_currentMedia(IWMPMedia*) { return record("put_currentMedia"); }
HRESULT RecordingCore::get_mediaCollection(IWMPMediaCollection**) { return record("get_mediaCollection"); }
HRESULT RecordingCore::get_playlistCollection(IWMPPlaylistCollection**) { return record("get_playlistCollection"); }
HRESULT RecordingCore::get_versionInfo(BSTR*) { return record("get_versionInfo"); }
HRESULT RecordingCore::launchURL(BSTR) { return record("launchURL"); }
HRESULT RecordingCore::get_network(IWMPNetwork**) { return record("get_network"); }
HRESULT RecordingCore::get_currentPlaylist(IWMPPlaylist**) { return record("get_currentPlaylist"); }
HRESULT RecordingCore::put_currentPlaylist(IWMPPlaylist*) { return record("put_currentPlaylist"); }
HRESULT RecordingCore::get_cdromCollection(IWMPCdromCollection**) { return record("get_cdromCollection"); }
HRESULT RecordingCore::get_closedCaption(IWMPClosedCaption**) { return record("get_closedCaption"); }
HRESULT RecordingCore::get_isOnline(VARIANT_BOOL*) { return record("get_isOnline"); }
HRESULT RecordingCore::get_Error(IWMPError**) { return record("get_Error"); }
HRESULT RecordingCore::get_status(BSTR*) { return record("get_status"); }

}  // namespace host_sim
