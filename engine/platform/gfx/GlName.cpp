#include "platform/gfx/GlName.h"

#include <epoxy/gl.h>

#include "platform/DeviceThread.h"

namespace {

// 0 while no context lives; each new context gets a fresh number.
uint64_t gLiveGeneration = 0;
uint64_t gLastGeneration = 0;

}  // namespace

uint64_t CurrentGlContextGeneration() {
    return gLiveGeneration;
}

void BeginGlContextGeneration() {
    gLiveGeneration = ++gLastGeneration;
    gGlThread.Claim();
}

void EndGlContextGeneration() {
    gLiveGeneration = 0;
    gGlThread.Release();
}

void DestroyGlTexture(unsigned int name) {
    gGlThread.Check("DestroyGlTexture");
    glDeleteTextures(1, &name);
}
void DestroyGlBuffer(unsigned int name) {
    gGlThread.Check("DestroyGlBuffer");
    glDeleteBuffers(1, &name);
}
void DestroyGlFramebuffer(unsigned int name) {
    gGlThread.Check("DestroyGlFramebuffer");
    glDeleteFramebuffers(1, &name);
}
void DestroyGlRenderbuffer(unsigned int name) {
    gGlThread.Check("DestroyGlRenderbuffer");
    glDeleteRenderbuffers(1, &name);
}
void DestroyGlVertexArray(unsigned int name) {
    gGlThread.Check("DestroyGlVertexArray");
    glDeleteVertexArrays(1, &name);
}
void DestroyGlSampler(unsigned int name) {
    gGlThread.Check("DestroyGlSampler");
    glDeleteSamplers(1, &name);
}
void DestroyGlShader(unsigned int name) {
    gGlThread.Check("DestroyGlShader");
    glDeleteShader(name);
}
void DestroyGlProgram(unsigned int name) {
    gGlThread.Check("DestroyGlProgram");
    glDeleteProgram(name);
}
