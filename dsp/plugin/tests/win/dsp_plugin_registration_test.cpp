// What regsvr32 leaves in the registry for TevaroPlayerDSP.dll, and what unregistration removes:
// the two class keys and the player's plug-in record made through the registrar.
#include <string>
#include <vector>

#include "com_support/tests/win/registry_inspection.h"
#include "dsp_test_support.h"

namespace tevaro::plugin::test {
namespace {

const wchar_t* const DspKey = L"CLSID\\{79021042-5CA7-422B-8AB4-C0D7E3F7B638}";
const wchar_t* const PageKey = L"CLSID\\{FC884E32-34F2-4FC2-A260-6CC769318F30}";
// The registrar's own class, registered by the test bed before these tests: a neighbour under CLSID.
const wchar_t* const RegistrarKey = L"CLSID\\{5569E7F5-424B-4B93-89CA-79D17924689A}";
// Our registrar's record: {DSP plug-in type}\{DspPlugin}.
const wchar_t* const RecordKey =
    L"Software\\Tevaro\\HostSim\\MediaPlugins\\{6434BAEA-4954-498D-ABD5-2B07123E1F04}\\"
    L"{79021042-5CA7-422B-8AB4-C0D7E3F7B638}";

using com_support::test::contents;
using com_support::test::keyExists;
using com_support::test::samePath;
using com_support::test::stringValue;

std::wstring expectedModulePath() { return com_support::test::modulePathBesideTest(L"TevaroPlayerDSP.dll"); }

// A key of the test's own under CLSID, with a default value, to see that unregistration leaves the
// rest of CLSID alone.
const wchar_t* const NeighbourKey = L"CLSID\\{3C3A46B1-7D2E-4F0B-9E51-0A7C2D4B8E61}";

void writeKey(const wchar_t* path, const wchar_t* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void expectRegistered() {
    const std::vector<std::wstring> classLayout = {L"(default)", L"InprocServer32\\"};
    const std::vector<std::wstring> serverLayout = {L"(default)", L"ThreadingModel"};
    struct Row {
        const wchar_t* key;
        const wchar_t* friendlyName;
    };
    for (const Row& row : {Row{DspKey, L"Tevaro Player DSP Class"}, Row{PageKey, L"DspPlugin PropertyPage Class"}}) {
        SCOPED_TRACE(testing::Message() << row.key);
        const std::wstring server = std::wstring(row.key) + L"\\InprocServer32";
        EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, row.key, nullptr), row.friendlyName);
        const std::wstring module = stringValue(HKEY_CLASSES_ROOT, server.c_str(), nullptr);
        EXPECT_TRUE(samePath(module, expectedModulePath()))
            << "InprocServer32 " << testing::PrintToString(module) << ", expected "
            << testing::PrintToString(expectedModulePath());
        EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, server.c_str(), L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(contents(HKEY_CLASSES_ROOT, row.key), classLayout);
        EXPECT_EQ(contents(HKEY_CLASSES_ROOT, server.c_str()), serverLayout);
    }
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, RecordKey, L"FriendlyName"), L"Tevaro Player SE DSP");
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, RecordKey, L"Description"),
              L"Vardal Tevaro Player SE DSP - Surround Sound for headphones");
    DWORD priority = 0, bytes = sizeof priority;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, RecordKey, L"Priority", RRF_RT_REG_DWORD, nullptr, &priority, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(priority, 1u);
    DMO_PARTIAL_MEDIATYPE types[4] = {};
    bytes = sizeof types;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, RecordKey, L"MediaTypes", RRF_RT_REG_BINARY, nullptr, types, &bytes),
              ERROR_SUCCESS);
    ASSERT_EQ(bytes, sizeof(DMO_PARTIAL_MEDIATYPE)) << "exactly one partial media type";
    EXPECT_EQ(types[0].type, MEDIATYPE_Audio);
    EXPECT_EQ(types[0].subtype, MEDIASUBTYPE_PCM);
    const std::vector<std::wstring> record = {L"Description", L"FriendlyName", L"MediaTypes", L"Priority"};
    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, RecordKey), record) << "no uninstall string";
}

TEST(DspRegistration, RegisteredThroughThePlayersRegistrarAndAsTwoApartmentClasses) { expectRegistered(); }

TEST(DspRegistration, UnregisteringRemovesTheEntriesButKeepsTheClsidKey) {
    const std::wstring path =
        stringValue(HKEY_CLASSES_ROOT, L"CLSID\\{79021042-5CA7-422B-8AB4-C0D7E3F7B638}\\InprocServer32", nullptr);
    HMODULE dll = LoadLibraryW(path.c_str());
    ASSERT_NE(dll, nullptr);
    using Entry = HRESULT(WINAPI*)();
    auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    auto reregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    ASSERT_NE(unregister, nullptr);
    ASSERT_NE(reregister, nullptr);

    writeKey(NeighbourKey, L"Neighbour Class");
    ASSERT_TRUE(keyExists(HKEY_CLASSES_ROOT, RegistrarKey));
    EXPECT_EQ(unregister(), S_OK);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, DspKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, PageKey));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, RecordKey));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    // CLSID is kept with everything else in it: our neighbour and the registrar's class.
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, NeighbourKey, nullptr), L"Neighbour Class");
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, RegistrarKey));
    IUnknown* object = nullptr;
    EXPECT_EQ(
        CoCreateInstance(DspClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(unregister(), S_OK) << "unregistering twice";
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, NeighbourKey, nullptr), L"Neighbour Class");
    EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, NeighbourKey), ERROR_SUCCESS);

    EXPECT_EQ(reregister(), S_OK);
    expectRegistered();
    // Registration replaces the class keys whole: what an older version left there goes.
    const std::wstring stale = std::wstring(DspKey) + L"\\Stale";
    writeKey(stale.c_str(), L"left by an older version");
    EXPECT_EQ(reregister(), S_OK) << "registering again replaces the entries";
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, stale.c_str()));
    expectRegistered();
    FreeLibrary(dll);
}

}  // namespace
}  // namespace tevaro::plugin::test
