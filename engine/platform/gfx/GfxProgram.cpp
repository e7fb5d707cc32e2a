#include "platform/gfx/GfxProgram.h"

#include <epoxy/gl.h>

#include <stdexcept>
#include <string>

#include "platform/DeviceThread.h"
#include "platform/gfx/GfxShader.h"
#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GlInfoLog.h"

namespace {

// A block the shaders never read is optimised away and has no index.
void BindBlock(GLuint program, const char* blockName, GLuint binding) {
    const GLuint index = glGetUniformBlockIndex(program, blockName);
    if (index != GL_INVALID_INDEX) {
        glUniformBlockBinding(program, index, binding);
    }
}

void BindSamplers(GLuint program) {
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    glUseProgram(program);
    for (int unit = 0; unit < kGfxSamplerUnits; ++unit) {
        const std::string name = "Sampler" + std::to_string(unit);
        const GLint location = glGetUniformLocation(program, name.c_str());
        if (location >= 0) {
            glUniform1i(location, unit);
        }
    }
    glUseProgram(static_cast<GLuint>(previous));
}

}  // namespace

GfxProgram::GfxProgram(const GfxShader& vertexShader, const GfxShader& pixelShader) {
    gGlThread.Check("GfxProgram::GfxProgram");
    const GLuint program = glCreateProgram();
    mProgram = GlProgram(program);
    glAttachShader(program, vertexShader.GlName());
    glAttachShader(program, pixelShader.GlName());
    glLinkProgram(program);
    glDetachShader(program, vertexShader.GlName());
    glDetachShader(program, pixelShader.GlName());
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        throw std::runtime_error("Shaders '" + vertexShader.Name() + "' and '" + pixelShader.Name() +
                                 "' do not link:\n" + ReadGlInfoLog(program, glGetProgramiv, glGetProgramInfoLog));
    }
    BindBlock(program, "QvVertexConstants", kVertexConstantsBinding);
    BindBlock(program, "QvPixelConstants", kPixelConstantsBinding);
    BindSamplers(program);
}
