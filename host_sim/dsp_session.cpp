#include "host_sim/dsp_session.h"

#include "host_sim/dsp_host.h"

namespace host_sim {

HRESULT createRegisteredDsp(IMediaObject** dmo, CLSID& clsid) {
    for (const RegisteredPlugin& plugin : findDspPlugins()) {
        if (!plugin.acceptsPcmAudio) continue;
        clsid = plugin.clsid;
        return CoCreateInstance(plugin.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaObject,
                                reinterpret_cast<void**>(dmo));
    }
    return REGDB_E_CLASSNOTREG;
}

void applyEnabledValue(IMediaObject* dmo, REFCLSID clsid) {
    IWMPPluginEnable* enable = nullptr;
    if (SUCCEEDED(dmo->QueryInterface(__uuidof(IWMPPluginEnable), reinterpret_cast<void**>(&enable)))) {
        enable->SetEnable(readEnabledValue(clsid) ? TRUE : FALSE);
        enable->Release();
    }
}

void waitForFirstRefresh(DWORD created) {
    while (GetTickCount() - created < 500) Sleep(5);
}

double secondsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace host_sim
