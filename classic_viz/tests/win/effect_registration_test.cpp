// What regsvr32 leaves in the registry for each visualization DLL (class key, the player's effect
// key, the type library), and what unregistration removes while keeping every parent key.
#include <string>
#include <vector>

#include "com_support/tests/win/registry_inspection.h"
#include "effect_test_support.h"

namespace tevaro::viz::test {
namespace {

using com_support::test::contents;
using com_support::test::keyExists;
using com_support::test::stringValue;
using Names = std::vector<std::wstring>;

const wchar_t* const EffectsKey = L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects";
const wchar_t* const Parents[] = {L"SOFTWARE", L"SOFTWARE\\Microsoft", L"SOFTWARE\\Microsoft\\MediaPlayer",
                                  L"SOFTWARE\\Microsoft\\MediaPlayer\\Objects", EffectsKey};

struct Keys {
    std::wstring classKey, serverKey, typeLibKey, effectKey, propertiesKey, libraryKey, interfaceKey;
    explicit Keys(const EffectRow& row)
        : classKey(L"CLSID\\" + guidText(row.clsid)),
          serverKey(classKey + L"\\InprocServer32"),
          typeLibKey(classKey + L"\\TypeLib"),
          effectKey(std::wstring(EffectsKey) + L"\\" + row.registryName),
          propertiesKey(effectKey + L"\\Properties"),
          libraryKey(L"TypeLib\\" + guidText(row.typeLibrary)),
          interfaceKey(L"Interface\\" + guidText(row.colourInterface)) {}
};

void expectRegistered(const EffectRow& row) {
    const Keys k(row);
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, k.classKey.c_str(), nullptr), std::wstring(row.registryName) + L" Class");
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, k.classKey.c_str()),
              (Names{L"(default)", L"InprocServer32\\", L"TypeLib\\"}));
    const std::wstring module = stringValue(HKEY_CLASSES_ROOT, k.serverKey.c_str(), nullptr);
    EXPECT_TRUE(com_support::test::samePath(module, com_support::test::modulePathBesideTest(row.dll)))
        << testing::PrintToString(module);
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, k.serverKey.c_str(), L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, k.serverKey.c_str()), (Names{L"(default)", L"ThreadingModel"}));
    EXPECT_TRUE(_wcsicmp(stringValue(HKEY_CLASSES_ROOT, k.typeLibKey.c_str(), nullptr).c_str(),
                         guidText(row.typeLibrary).c_str()) == 0);
    EXPECT_EQ(contents(HKEY_CLASSES_ROOT, k.typeLibKey.c_str()), (Names{L"(default)"}));

    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, k.effectKey.c_str()), (Names{L"Properties\\"}));
    EXPECT_EQ(contents(HKEY_LOCAL_MACHINE, k.propertiesKey.c_str()), (Names{L"classid", L"description", L"name"}));
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, k.propertiesKey.c_str(), L"classid"), row.classidText);
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, k.propertiesKey.c_str(), L"name"), row.registryName);
    EXPECT_EQ(stringValue(HKEY_LOCAL_MACHINE, k.propertiesKey.c_str(), L"description"), row.description);

    // The type library, registered from the DLL's own TYPELIB resource.
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, (k.libraryKey + L"\\1.0").c_str()));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, k.interfaceKey.c_str()));
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadRegTypeLib(row.typeLibrary, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    if (library != nullptr) {
        BSTR name = nullptr, help = nullptr;
        EXPECT_EQ(library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
        std::wstring upper = row.registryName;
        for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
        EXPECT_EQ(takeText(name), upper + L"Lib");
        EXPECT_EQ(takeText(help), std::wstring(row.registryName) + L" 1.0 Type Library");
        ITypeInfo* coclass = nullptr;
        EXPECT_EQ(library->GetTypeInfoOfGuid(row.clsid, &coclass), S_OK);
        if (coclass != nullptr) {
            BSTR className = nullptr, classHelp = nullptr;
            coclass->GetDocumentation(MEMBERID_NIL, &className, &classHelp, nullptr, nullptr);
            EXPECT_EQ(takeText(className), row.registryName);
            EXPECT_EQ(takeText(classHelp), std::wstring(row.registryName) + L" Class");
            coclass->Release();
        }
        ITypeInfo* face = nullptr;
        EXPECT_EQ(library->GetTypeInfoOfGuid(row.colourInterface, &face), S_OK);
        if (face != nullptr) {
            BSTR faceName = nullptr, faceHelp = nullptr;
            face->GetDocumentation(MEMBERID_NIL, &faceName, &faceHelp, nullptr, nullptr);
            EXPECT_EQ(takeText(faceName), std::wstring(L"I") + row.registryName);
            EXPECT_EQ(takeText(faceHelp), std::wstring(L"I") + row.registryName + L" Interface");
            BSTR memberHelp = nullptr;
            face->GetDocumentation(1, nullptr, &memberHelp, nullptr, nullptr);
            EXPECT_EQ(takeText(memberHelp), L"property foregroundColor");
            face->Release();
        }
        library->Release();
    }
}

using Entry = HRESULT(WINAPI*)();

class EffectRegistration : public testing::TestWithParam<EffectRow> {};

TEST_P(EffectRegistration, ClassKeyEffectKeyAndTypeLibrary) { expectRegistered(GetParam()); }

TEST_P(EffectRegistration, UnregisteringRemovesItsKeysAndTypeLibraryAndKeepsTheParents) {
    const EffectRow& row = GetParam();
    const Keys k(row);
    HMODULE module = LoadLibraryW(row.dll);
    ASSERT_NE(module, nullptr);
    auto unregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    auto reregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(unregister, nullptr);
    ASSERT_NE(reregister, nullptr);

    EXPECT_EQ(unregister(), S_OK);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, k.classKey.c_str()));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, k.effectKey.c_str()));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, k.libraryKey.c_str()));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, k.interfaceKey.c_str()));
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadRegTypeLib(row.typeLibrary, 1, 0, LOCALE_NEUTRAL, &library), TYPE_E_LIBNOTREGISTERED);
    for (const wchar_t* parent : Parents) EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, parent)) << parent;
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_EQ(unregister(), S_OK) << "a second unregistration finds nothing to remove";

    EXPECT_EQ(reregister(), S_OK);
    expectRegistered(row);
    FreeLibrary(module);
}

TEST_P(EffectRegistration, RegisteringReplacesTheClassKeyAndTheEffectKeyWhole) {
    const EffectRow& row = GetParam();
    const Keys k(row);
    // Leftovers of an older installation under both keys.
    for (auto [root, path] :
         {std::pair{HKEY_CLASSES_ROOT, k.classKey}, std::pair{HKEY_LOCAL_MACHINE, k.propertiesKey}}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root, (path + L"\\Stale").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        ASSERT_EQ(RegSetKeyValueW(root, path.c_str(), L"stale", REG_SZ, L"x", 4), ERROR_SUCCESS);
    }
    HMODULE module = LoadLibraryW(row.dll);
    ASSERT_NE(module, nullptr);
    auto reregister = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(reregister, nullptr);
    EXPECT_EQ(reregister(), S_OK);
    expectRegistered(row);
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectRegistration, testing::ValuesIn(EffectDlls), rowName);

}  // namespace
}  // namespace tevaro::viz::test
