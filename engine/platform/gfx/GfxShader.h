#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GlName.h"

// One compiled stage. Sources under shaders/ hold no #version line: every source is
// compiled after the stage's prelude, which declares what all programs share.
//
// Vertex prelude:
//   VsConst[0..3]        the vertex constant registers c0-c3 (vec4)
//   InPosition           vec4, location 0    InColor      vec4 (r, g, b, a), location 1
//   InTexCoord0          vec2, location 2    InTexCoord1  vec2, location 3
//   SetClipPosition(p)   writes gl_Position from a clip position in the convention the
//                        renderer's maths use: y up on screen, depth = z / w in [0, 1].
// Pixel prelude:
//   PsConst[0..2]        the pixel constant registers c0-c2 (vec4)
//   Sampler0..Sampler7   sampler2D bound to texture units 0..7
//   Target0..Target2     vec4 outputs to render targets 0..2
class GfxShader {
public:
    // Throws std::runtime_error naming the shader, with the compiler's log, when the
    // source does not compile.
    GfxShader(GfxShaderStage stage, std::string name, const std::string& source);

    GfxShader(const GfxShader&) = delete;
    GfxShader& operator=(const GfxShader&) = delete;

    GfxShaderStage Stage() const { return mStage; }
    const std::string& Name() const { return mName; }
    unsigned int GlName() const { return mShader.Get(); }
    // Unique for the life of the process: programs are cached by these.
    uint64_t Serial() const { return mSerial; }

    static const char* Prelude(GfxShaderStage stage);

private:
    GfxShaderStage mStage;
    std::string mName;
    GlShader mShader;
    uint64_t mSerial;
};
