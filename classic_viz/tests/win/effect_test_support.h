#pragma once
// Shared pieces of the classic visualizations' Wine tests: the table of effect DLLs with the
// identifiers and texts they must answer (spelled out here, not taken from the code), and COM for
// the whole test process.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <ostream>
#include <string>

#include "com_support/wmp_effects.h"

namespace tevaro::viz::test {

struct EffectRow {
    const char* name;
    const wchar_t* dll;
    CLSID clsid;
    IID colourInterface;
    GUID typeLibrary;
    const wchar_t* registryName;  // the key under Objects\Effects and the value `name`
    const wchar_t* title;
    const wchar_t* presets[3];
    const wchar_t* description;
    const wchar_t* classidText;  // the `classid` value, spelled as registered
    bool resetsOnBadPreset;
};

inline void PrintTo(const EffectRow& row, std::ostream* out) { *out << row.name; }

inline const EffectRow EffectDlls[] = {
    {"Glintora",
     L"Glintora.dll",
     {0xa50dc524, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0xa50dc522, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0xa50dc523, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     L"Glintora",
     L"Glintora",
     {L"Starlight", L"Star Clouds", L"Star Glow"},
     L"Starlight, Star Clouds, and Star Glow are included in the Glintora visualization.",
     L"{A50DC524-938A-11d4-A8AF-00105AC582C2}",
     true},
    {"Tessaray",
     L"Tessaray.dll",
     {0x4e4c3be4, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0x4e4c3be2, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0x4e4c3be3, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     L"Tessaray",
     L"Tessaray",
     {L"клумбы огней", L"ритм квадратов  ", L"восхищение   "},
     L"Эта коллекция включает эффекты \"клумбы огней\", \"ритм квадратов\" и \"восхищение\".",
     L"{4E4C3BE4-46B9-11d4-A8AF-00105AC582C2}",
     false},
    {"Throbwave",
     L"Throbwave.dll",
     {0xefa4bfc4, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0xefa4bfc2, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0xefa4bfc3, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     L"Throbwave",
     L"Throbwave",
     {L"эти губы", L"остров музыки ", L"ритм стали  "},
     L"Эта коллекция включает эффекты \"эти губы\", \"остров музыки\" и \"ритм стали\".",
     L"{EFA4BFC4-46BA-11d4-A8AF-00105AC582C2}",
     false},
    {"Emberlux",
     L"Emberlux.dll",
     {0x43d2e184, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0x43d2e182, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     {0x43d2e183, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
     L"Emberlux",
     L"Emberlux",
     {L"танец пламени", L"краски огня ", L"заливка  "},
     // The description names the first preset differently from its title.
     L"Эта коллекция включает эффекты \"танец огня\", \"краски огня\" и \"заливка\".",
     L"{43D2E184-46AC-11d4-A8AF-00105AC582C2}",
     false},
};

// "{XXXXXXXX-...}" as the registry's key names spell an id.
inline std::wstring guidText(const GUID& id) {
    wchar_t text[40];
    StringFromGUID2(id, text, 40);
    return text;
}

inline std::string rowName(const testing::TestParamInfo<EffectRow>& info) { return info.param.name; }

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

inline IWMPEffects* createEffect(const EffectRow& row) {
    IWMPEffects* effect = nullptr;
    CoCreateInstance(row.clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWMPEffects),
                     reinterpret_cast<void**>(&effect));
    return effect;
}

// The text of a BSTR, freed; "<null>" for none.
inline std::wstring takeText(BSTR text) {
    if (text == nullptr) return L"<null>";
    std::wstring s(text, SysStringLen(text));
    SysFreeString(text);
    return s;
}

}  // namespace tevaro::viz::test
