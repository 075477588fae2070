// A registry script stored in Windows-1251, as the translated visualizations store theirs, applied
// from this programme's own REGISTRY resource: the values read back through the wide API are the
// exact Cyrillic texts, whatever the process's ANSI code page is.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "com_support/com_module.h"
#include "com_support/registry_script_apply.h"
#include "com_support/tests/win/registry_inspection.h"

namespace com_support::test {
namespace {

constexpr UINT ScriptId = 1;
constexpr UINT Windows1251 = 1251;
const wchar_t* const TestKey = L"Software\\TevaroCodePageTest";

std::wstring wideValue(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<missing key>";
    wchar_t text[256];
    DWORD bytes = sizeof text, type = 0;
    const LONG rc = RegQueryValueExW(key, L"description", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ || bytes < sizeof(wchar_t)) return L"<missing value>";
    return std::wstring(text, bytes / sizeof(wchar_t) - 1);
}

TEST(RegistryScriptCodePage, Windows1251ScriptGivesTheExactTexts) {
    setModuleInstance(GetModuleHandleW(nullptr));
    struct Row {
        const wchar_t* key;
        const wchar_t* description;
    };
    const Row rows[] = {
        {L"Tessaray", L"Эта коллекция включает эффекты \"клумбы огней\", \"ритм квадратов\" и \"восхищение\"."},
        {L"Throbwave", L"Эта коллекция включает эффекты \"эти губы\", \"остров музыки\" и \"ритм стали\"."},
        {L"Emberlux", L"Эта коллекция включает эффекты \"танец огня\", \"краски огня\" и \"заливка\"."},
    };
    ASSERT_EQ(runRegistryScript(ScriptId, true, {}, Windows1251), S_OK);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.key);
        EXPECT_EQ(wideValue(std::wstring(TestKey) + L"\\" + row.key), row.description);
    }
    EXPECT_EQ(runRegistryScript(ScriptId, false, {}, Windows1251), S_OK);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, TestKey));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, L"Software"));
}

// The same bytes read as UTF-8 are not those texts: the code page is what makes them right.
TEST(RegistryScriptCodePage, TheScriptBytesAreNotUtf8) {
    setModuleInstance(GetModuleHandleW(nullptr));
    const HRESULT hr = runRegistryScript(ScriptId, true, {}, CP_UTF8);
    if (SUCCEEDED(hr)) {
        EXPECT_NE(wideValue(std::wstring(TestKey) + L"\\Tessaray").substr(0, 3), L"Эта");
        runRegistryScript(ScriptId, false, {}, CP_UTF8);
    }
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, TestKey));
}

}  // namespace
}  // namespace com_support::test
