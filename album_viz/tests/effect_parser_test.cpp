// The effect reader on the scene's own effect text and on malformed text.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "album_viz/d3dx/effect_parser.h"
#include "album_viz/d3dx/effect_states.h"

namespace tevaro::album::d3dx {
namespace {

std::string sceneEffectText() {
    std::ifstream in(TEVARO_SCENE_EFFECT_PATH, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

EffectParseResult parse(const std::string& text) { return parseEffect(text.data(), text.size()); }

// The value a pass gives a stage state, or −1 when the pass leaves it alone.
long long stageValue(const EffectPass& pass, int stage, std::uint32_t state) {
    long long v = -1;
    for (const StateAssignment& s : pass.states)
        if (s.target == StateTarget::StageState && s.stage == stage && s.state == state) v = s.value;
    return v;
}

long long renderValue(const EffectPass& pass, std::uint32_t state) {
    long long v = -1;
    for (const StateAssignment& s : pass.states)
        if (s.target == StateTarget::RenderState && s.state == state) v = s.value;
    return v;
}

int textureParameter(const EffectPass& pass, int stage) {
    for (const StateAssignment& s : pass.states)
        if (s.target == StateTarget::StageTexture && s.stage == stage) return s.parameter;
    return -1;
}

TEST(EffectParser, SceneEffectHasItsParametersAndTechniques) {
    const EffectParseResult r = parse(sceneEffectText());
    ASSERT_TRUE(r.ok) << r.error << " at " << r.offset;
    const EffectDescription& e = r.effect;
    ASSERT_EQ(e.parameters.size(), 5u);
    EXPECT_EQ(e.parameters[e.parameterIndex("mID")].type, ParameterType::Matrix);
    EXPECT_EQ(e.parameters[e.parameterIndex("mENV")].type, ParameterType::Matrix);
    for (const char* t : {"tFLR", "tCAU", "tENV"})
        EXPECT_EQ(e.parameters[e.parameterIndex(t)].type, ParameterType::Texture);
    ASSERT_EQ(e.techniques.size(), 3u);
    EXPECT_EQ(e.techniques[0].name, "T0");
    EXPECT_EQ(e.techniques[1].name, "T1");
    EXPECT_EQ(e.techniques[2].name, "T2");
    EXPECT_EQ(e.techniques[0].passes.size(), 1u);
    EXPECT_EQ(e.techniques[1].passes.size(), 2u);
    EXPECT_EQ(e.techniques[2].passes.size(), 1u);
    const int caustics = e.parameterIndex("tCAU");
    EXPECT_TRUE(e.techniqueUses(0, caustics));
    EXPECT_TRUE(e.techniqueUses(1, caustics));
    EXPECT_FALSE(e.techniqueUses(2, caustics));
}

TEST(EffectParser, SceneEffectStatesCarryThePlatformNumbers) {
    const EffectParseResult r = parse(sceneEffectText());
    ASSERT_TRUE(r.ok);
    const EffectDescription& e = r.effect;
    const EffectPass& t0 = e.techniques[0].passes[0];
    // Vertex format 0x152 = XYZ | NORMAL | DIFFUSE | TEX1.
    bool sawShader = false;
    for (const StateAssignment& s : t0.states)
        if (s.target == StateTarget::VertexShader) sawShader = s.value == 0x152;
    EXPECT_TRUE(sawShader);
    EXPECT_EQ(renderValue(t0, 137), 1);  // D3DRS_LIGHTING
    EXPECT_EQ(renderValue(t0, 29), 1);   // D3DRS_SPECULARENABLE
    EXPECT_EQ(textureParameter(t0, 0), e.parameterIndex("tFLR"));
    EXPECT_EQ(textureParameter(t0, 1), e.parameterIndex("tCAU"));
    struct Stage {
        int stage;
        std::uint32_t state;
        long long value;
    };
    // D3DTSS_COLOROP 1, ALPHAOP 4, args 2/3 and 5/6, filters 16..18, D3DTSS_TEXTURETRANSFORMFLAGS 24.
    const Stage t0Stages[] = {{0, 1, 2},  {0, 2, 2},  {0, 4, 10}, {0, 5, 2}, {0, 6, 0}, {0, 16, 2},
                              {0, 17, 2}, {0, 18, 1}, {0, 24, 2}, {1, 1, 7}, {1, 2, 2}, {1, 3, 1},
                              {1, 4, 3},  {1, 6, 1},  {1, 24, 2}, {2, 1, 1}, {2, 4, 1}};
    for (const Stage& s : t0Stages) {
        SCOPED_TRACE(testing::Message() << "T0 stage " << s.stage << " state " << s.state);
        EXPECT_EQ(stageValue(t0, s.stage, s.state), s.value);
    }
    const EffectPass& p1 = e.techniques[1].passes[1];
    EXPECT_EQ(renderValue(p1, 20), 2);  // D3DRS_DESTBLEND = D3DBLEND_ONE
    EXPECT_EQ(textureParameter(p1, 0), e.parameterIndex("tCAU"));
    EXPECT_EQ(stageValue(p1, 0, 4), 10);  // current − diffuse
    EXPECT_EQ(stageValue(p1, 0, 5), 1);
    EXPECT_EQ(stageValue(p1, 0, 6), 0);
    EXPECT_EQ(stageValue(e.techniques[2].passes[0], 1, 1), 1);  // stage 1 disabled
}

TEST(EffectParser, AcceptsCommentsCaseAndNumbers) {
    const EffectParseResult r = parse(
        "/* head */ texture t; // a line\n technique A { pass B { COLOROP[3] = modulate; ZFunc = 0x4;"
        " texture[3] = <t>; VertexShader = XYZ|tex1; } }");
    ASSERT_TRUE(r.ok) << r.error;
    const EffectPass& p = r.effect.techniques[0].passes[0];
    EXPECT_EQ(stageValue(p, 3, 1), 4);
    EXPECT_EQ(renderValue(p, 23), 4);
    EXPECT_EQ(textureParameter(p, 3), 0);
    EXPECT_EQ(p.states[3].value, 0x102u);
}

TEST(EffectParser, MalformedTextFailsWithAReasonAndWhere) {
    struct Case {
        const char* text;
        const char* error;
        std::size_t offset;
    };
    const Case cases[] = {
        {"", "no technique", 0},
        {"texture t;", "no technique", 10},
        {"technique A { pass P { Lighting = True; }", "unexpected end of text", 41},
        {"technique A { pass P { Lighting = True;", "unexpected end of text", 39},
        {"technique A pass", "unexpected token", 12},
        {"technique A { pass P { Lighting = True } }", "expected ';'", 39},
        {"technique A { pass P { Glow = True; } }", "unknown state", 23},
        {"technique A { pass P { Lighting = Maybe; } }", "unknown value", 34},
        {"technique A { pass P { ColorOp[8] = Add; } }", "bad stage", 31},
        {"technique A { pass P { Lighting[0] = True; } }", "state takes no stage", 31},
        {"technique A { pass P { Texture[0] = <tX>; } }", "undeclared parameter", 37},
        {"matrix m; technique A { pass P { Texture[0] = <m>; } }", "parameter of the wrong type", 47},
        {"technique A { pass P { Texture[0] = 5; } }", "expected <parameter>", 36},
        {"texture t; texture t; technique A { pass P { } }", "parameter declared twice", 19},
        {"technique A { pass P { } } technique A { pass P { } }", "technique declared twice", 37},
        {"technique A { }", "technique without a pass", 10},
        {"technique A { pass P { ZFunc = 99999999999; } }", "number too large", 31},
        {"technique A { pass P { ZFunc = 12ab; } }", "malformed number", 31},
        {"technique A { pass P { ZFunc = 4; } } /* open", "unterminated comment", 38},
        {"technique A { pass P { ZFunc = $; } }", "unexpected character", 31},
        {"float f;", "expected a parameter or a technique", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = c.text;
        const EffectParseResult r = parse(text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.offset, c.offset);
        EXPECT_TRUE(r.effect.techniques.empty());
    }
}

TEST(EffectParser, EveryCutOfTheSceneTextFailsOrParsesWithoutOverrun) {
    const std::string full = sceneEffectText();
    for (std::size_t n = 0; n < full.size(); n += 7) {
        // A buffer of exactly n bytes, so a read past the cut is a sanitizer finding.
        std::unique_ptr<char[]> cut(new char[n]);
        std::copy(full.begin(), full.begin() + n, cut.get());
        const EffectParseResult r = parseEffect(cut.get(), n);
        if (!r.ok) {
            EXPECT_FALSE(r.error.empty());
            EXPECT_LE(r.offset, n);
        }
    }
}

TEST(EffectParser, LimitsAreRefusedNotCut) {
    std::string many;
    for (int i = 0; i <= int(EffectLimits::MaxParameters); ++i) many += "texture t" + std::to_string(i) + ";";
    EXPECT_EQ(parse(many + "technique A { pass P { } }").error, "too many parameters");
    std::string passes = "technique A {";
    for (int i = 0; i <= int(EffectLimits::MaxPasses); ++i) passes += " pass P { }";
    EXPECT_EQ(parse(passes + " }").error, "too many passes");
    EXPECT_EQ(parse(std::string(EffectLimits::MaxTextBytes + 1, ' ')).error, "effect text too long");
    EXPECT_EQ(parse("technique " + std::string(EffectLimits::MaxIdentifier + 1, 'a') + " { pass P { } }").error,
              "name too long");
}

}  // namespace
}  // namespace tevaro::album::d3dx
