#pragma once
// The player's event sink, answered by the effect but never subscribed: every event is ignored.
// Only Error reads the newest error code (and drops it), so that a player that does call it
// finds its error queue looked at.
#include <windows.h>
#include <wmp.h>

namespace tevaro::album {

class IgnoredPlayerEvents : public IWMPEvents {
public:
    void STDMETHODCALLTYPE OpenStateChange(LONG) override {}
    void STDMETHODCALLTYPE PlayStateChange(LONG) override {}
    void STDMETHODCALLTYPE AudioLanguageChange(LONG) override {}
    void STDMETHODCALLTYPE StatusChange() override {}
    void STDMETHODCALLTYPE ScriptCommand(BSTR, BSTR) override {}
    void STDMETHODCALLTYPE NewStream() override {}
    void STDMETHODCALLTYPE Disconnect(LONG) override {}
    void STDMETHODCALLTYPE Buffering(VARIANT_BOOL) override {}
    void STDMETHODCALLTYPE Error() override;
    void STDMETHODCALLTYPE Warning(LONG, LONG, BSTR) override {}
    void STDMETHODCALLTYPE EndOfStream(LONG) override {}
    void STDMETHODCALLTYPE PositionChange(double, double) override {}
    void STDMETHODCALLTYPE MarkerHit(LONG) override {}
    void STDMETHODCALLTYPE DurationUnitChange(LONG) override {}
    void STDMETHODCALLTYPE CdromMediaChange(LONG) override {}
    void STDMETHODCALLTYPE PlaylistChange(IDispatch*, WMPPlaylistChangeEventType) override {}
    void STDMETHODCALLTYPE CurrentPlaylistChange(WMPPlaylistChangeEventType) override {}
    void STDMETHODCALLTYPE CurrentPlaylistItemAvailable(BSTR) override {}
    void STDMETHODCALLTYPE MediaChange(IDispatch*) override {}
    void STDMETHODCALLTYPE CurrentMediaItemAvailable(BSTR) override {}
    void STDMETHODCALLTYPE CurrentItemChange(IDispatch*) override {}
    void STDMETHODCALLTYPE MediaCollectionChange() override {}
    void STDMETHODCALLTYPE MediaCollectionAttributeStringAdded(BSTR, BSTR) override {}
    void STDMETHODCALLTYPE MediaCollectionAttributeStringRemoved(BSTR, BSTR) override {}
    void STDMETHODCALLTYPE MediaCollectionAttributeStringChanged(BSTR, BSTR, BSTR) override {}
    void STDMETHODCALLTYPE PlaylistCollectionChange() override {}
    void STDMETHODCALLTYPE PlaylistCollectionPlaylistAdded(BSTR) override {}
    void STDMETHODCALLTYPE PlaylistCollectionPlaylistRemoved(BSTR) override {}
    void STDMETHODCALLTYPE PlaylistCollectionPlaylistSetAsDeleted(BSTR, VARIANT_BOOL) override {}
    void STDMETHODCALLTYPE ModeChange(BSTR, VARIANT_BOOL) override {}
    void STDMETHODCALLTYPE MediaError(IDispatch*) override {}
    void STDMETHODCALLTYPE OpenPlaylistSwitch(IDispatch*) override {}
    void STDMETHODCALLTYPE DomainChange(BSTR) override {}
    void STDMETHODCALLTYPE SwitchedToPlayerApplication() override {}
    void STDMETHODCALLTYPE SwitchedToControl() override {}
    void STDMETHODCALLTYPE PlayerDockedStateChange() override {}
    void STDMETHODCALLTYPE PlayerReconnect() override {}
    void STDMETHODCALLTYPE Click(short, short, LONG, LONG) override {}
    void STDMETHODCALLTYPE DoubleClick(short, short, LONG, LONG) override {}
    void STDMETHODCALLTYPE KeyDown(short, short) override {}
    void STDMETHODCALLTYPE KeyPress(short) override {}
    void STDMETHODCALLTYPE KeyUp(short, short) override {}
    void STDMETHODCALLTYPE MouseDown(short, short, LONG, LONG) override {}
    void STDMETHODCALLTYPE MouseMove(short, short, LONG, LONG) override {}
    void STDMETHODCALLTYPE MouseUp(short, short, LONG, LONG) override {}

protected:
    virtual IWMPCore* eventsCore() const = 0;
};

}  // namespace tevaro::album
