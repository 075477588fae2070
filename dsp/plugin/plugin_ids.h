#pragma once
// Class and interface identifiers of TevaroPlayerDSP.dll.
#include <windows.h>

namespace tevaro::plugin {

extern const CLSID CLSID_DspPlugin;              // {79021042-5CA7-422B-8AB4-C0D7E3F7B638}
extern const CLSID CLSID_DspPluginPropertyPage;  // {FC884E32-34F2-4FC2-A260-6CC769318F30}

}  // namespace tevaro::plugin
