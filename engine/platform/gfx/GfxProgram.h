#pragma once

#include "platform/gfx/GlName.h"

class GfxShader;

// A vertex and a pixel shader linked together, with the constant blocks and samplers
// bound to the device's shared slots.
class GfxProgram {
public:
    // Throws std::runtime_error naming both shaders, with the linker's log, on failure.
    GfxProgram(const GfxShader& vertexShader, const GfxShader& pixelShader);

    GfxProgram(const GfxProgram&) = delete;
    GfxProgram& operator=(const GfxProgram&) = delete;

    unsigned int GlName() const { return mProgram.Get(); }

    // Uniform buffer binding points of the constant registers.
    static constexpr unsigned int kVertexConstantsBinding = 0;
    static constexpr unsigned int kPixelConstantsBinding = 1;

private:
    GlProgram mProgram;
};
