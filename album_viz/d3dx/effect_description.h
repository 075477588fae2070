#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tevaro::album::d3dx {

enum class ParameterType { Matrix, Texture, Dword };

struct EffectParameter {
    std::string name;
    ParameterType type;
};

// What one assignment inside a pass sets on the device.
enum class StateTarget {
    RenderState,       // SetRenderState(state, value)
    StageState,        // SetTextureStageState(stage, state, value)
    StageTexture,      // SetTexture(stage, texture parameter)
    TextureTransform,  // SetTransform(D3DTS_TEXTURE0 + stage, matrix parameter)
    VertexShader,      // SetVertexShader(value): a fixed-function vertex format
};

struct StateAssignment {
    StateTarget target;
    std::uint32_t state = 0;  // D3DRENDERSTATETYPE or D3DTEXTURESTAGESTATETYPE
    int stage = 0;
    int parameter = -1;  // index into EffectDescription::parameters, or −1 for a literal value
    std::uint32_t value = 0;
};

struct EffectPass {
    std::string name;
    std::vector<StateAssignment> states;
};

struct EffectTechnique {
    std::string name;
    std::vector<EffectPass> passes;
};

struct EffectDescription {
    std::vector<EffectParameter> parameters;
    std::vector<EffectTechnique> techniques;

    int parameterIndex(const std::string& name) const;
    // Whether any pass of the technique binds the given parameter (a texture or a matrix).
    bool techniqueUses(int technique, int parameter) const;
};

}  // namespace tevaro::album::d3dx
