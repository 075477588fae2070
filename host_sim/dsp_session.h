#pragma once
// What every host_sim audio command does around the stream: COM, the registered DSP created as
// the player creates it, the player's enable switch, and the start of playback.
#include <windows.h>

#include "com_support/dmo.h"

namespace host_sim {

class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The first registered DSP plug-in that takes PCM audio.
HRESULT createRegisteredDsp(IMediaObject** dmo, CLSID& clsid);

// The player hands its per-user switch to the plug-in before streaming.
void applyEnabledValue(IMediaObject* dmo, REFCLSID clsid);

// The player starts playback a moment after creating its plug-ins; host_sim lets one refresh
// interval of tick time pass, so the first buffer already reads the settings (this is also how
// tevaro-dsp runs the chain, which makes the two outputs comparable).
void waitForFirstRefresh(DWORD created);

double secondsBetween(LARGE_INTEGER from, LARGE_INTEGER to);

}  // namespace host_sim
