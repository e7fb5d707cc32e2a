#include "platform/gfx/GfxShader.h"

#include <epoxy/gl.h>

#include <stdexcept>

#include "platform/DeviceThread.h"
#include "platform/gfx/GlInfoLog.h"

namespace {

const char* const kVertexPrelude = R"(#version 330 core
layout(std140) uniform QvVertexConstants { vec4 VsConst[4]; };
layout(location = 0) in vec4 InPosition;
layout(location = 1) in vec4 InColor;
layout(location = 2) in vec2 InTexCoord0;
layout(location = 3) in vec2 InTexCoord1;
// Targets are stored top row first, so screen y flips here; depth maps z in [0, 1] to
// OpenGL's [-1, 1] so that the stored depth equals z / w.
void SetClipPosition(vec4 p) { gl_Position = vec4(p.x, -p.y, 2.0 * p.z - p.w, p.w); }
#line 1
)";

const char* const kPixelPrelude = R"(#version 330 core
layout(std140) uniform QvPixelConstants { vec4 PsConst[3]; };
uniform sampler2D Sampler0, Sampler1, Sampler2, Sampler3, Sampler4, Sampler5, Sampler6, Sampler7;
layout(location = 0) out vec4 Target0;
layout(location = 1) out vec4 Target1;
layout(location = 2) out vec4 Target2;
#line 1
)";

uint64_t NextSerial() {
    static uint64_t last = 0;
    return ++last;
}

}  // namespace

const char* GfxShader::Prelude(GfxShaderStage stage) {
    return stage == GfxShaderStage::Vertex ? kVertexPrelude : kPixelPrelude;
}

GfxShader::GfxShader(GfxShaderStage stage, std::string name, const std::string& source)
    : mStage(stage), mName(std::move(name)), mSerial(NextSerial()) {
    gGlThread.Check("GfxShader::GfxShader");
    const GLuint shader = glCreateShader(stage == GfxShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    mShader = GlShader(shader);
    const char* parts[] = {Prelude(stage), source.c_str()};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        throw std::runtime_error("Shader '" + mName + "' does not compile:\n" +
                                 ReadGlInfoLog(shader, glGetShaderiv, glGetShaderInfoLog));
    }
}
