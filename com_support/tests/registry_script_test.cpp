#include "com_support/registry_script.h"

#include <gtest/gtest.h>

namespace com_support {
namespace {

const char* const ClassScript = R"(HKCR
{
    NoRemove CLSID
    {
        ForceRemove {79021042-5CA7-422B-8AB4-C0D7E3F7B638} = s 'Tevaro Player DSP Class'
        {
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
    }
}
HKEY_LOCAL_MACHINE
{
    NoRemove SOFTWARE
    {
        ForceRemove 'Two Words' { val Count = d '0x10' val Quote = s 'it''s 100%%' }
    }
})";

TEST(RegistryScript, ParsesKeysValuesFlagsAndVariables) {
    RegistryScript script;
    std::string error;
    ASSERT_TRUE(parseRegistryScript(ClassScript, {{"MODULE", "C:\\x\\TevaroPlayerDSP.dll"}}, script, error)) << error;
    ASSERT_EQ(script.roots.size(), 2u);
    EXPECT_EQ(script.roots[0].name, "HKCR");
    EXPECT_EQ(script.roots[1].name, "HKLM");

    const ScriptKey& clsid = script.roots[0].children.at(0);
    EXPECT_EQ(clsid.name, "CLSID");
    EXPECT_TRUE(clsid.noRemove);
    EXPECT_FALSE(clsid.forceRemove);
    const ScriptKey& cls = clsid.children.at(0);
    EXPECT_EQ(cls.name, "{79021042-5CA7-422B-8AB4-C0D7E3F7B638}");
    EXPECT_TRUE(cls.forceRemove);
    ASSERT_EQ(cls.values.size(), 1u);
    EXPECT_EQ(cls.values[0].name, "");
    EXPECT_EQ(cls.values[0].text, "Tevaro Player DSP Class");
    const ScriptKey& server = cls.children.at(0);
    EXPECT_EQ(server.values.at(0).text, "C:\\x\\TevaroPlayerDSP.dll");
    EXPECT_EQ(server.values.at(1).name, "ThreadingModel");
    EXPECT_EQ(server.values.at(1).text, "Apartment");

    const ScriptKey& twoWords = script.roots[1].children.at(0).children.at(0);
    EXPECT_EQ(twoWords.name, "Two Words");
    ASSERT_EQ(twoWords.values.size(), 2u);
    EXPECT_EQ(twoWords.values[0].kind, ScriptValue::Kind::dword);
    EXPECT_EQ(twoWords.values[0].number, 16u);
    EXPECT_EQ(twoWords.values[1].text, "it's 100%");
}

TEST(RegistryScript, KeepsUtf8TextAsItIs) {
    RegistryScript script;
    std::string error;
    ASSERT_TRUE(parseRegistryScript("HKLM { Effects { val description = s 'ритм стали' } }", {}, script, error));
    EXPECT_EQ(script.roots[0].children[0].values[0].text, "ритм стали");
}

TEST(RegistryScript, RefusesMalformedScriptsWithTheLine) {
    struct Case {
        const char* text;
        const char* errorPart;
    };
    const Case cases[] = {
        {"HKXX { }", "expected HKCR"},
        {"HKCR { Key = s 'open }", "unterminated string"},
        {"HKCR { Key = x 'v' }", "expected s or d"},
        {"HKCR { Key = d 'ten' }", "bad number"},
        {"HKCR { Key = d '0x100000000' }", "bad number"},
        {"HKCR { Key = s '%NOPE%' }", "unknown variable"},
        {"HKCR { Key = s '50%' }", "unmatched %"},
        {"HKCR {\n Key {\n", "missing '}'"},
        {"HKCR { = s 'x' }", "expected a key name"},
        {"HKCR Key", "expected '{'"},
        {"HKCR {\n\n val = }", "line 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RegistryScript script;
        std::string error;
        EXPECT_FALSE(parseRegistryScript(c.text, {}, script, error));
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        EXPECT_TRUE(script.roots.empty());
    }
}

TEST(RegistryScript, EmptyScriptHasNoRoots) {
    RegistryScript script;
    std::string error;
    EXPECT_TRUE(parseRegistryScript("  \n ", {}, script, error));
    EXPECT_TRUE(script.roots.empty());
}

}  // namespace
}  // namespace com_support
