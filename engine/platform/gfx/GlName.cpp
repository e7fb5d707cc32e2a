#include "platform/gfx/GlName.h"

#include <epoxy/gl.h>

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
}

void EndGlContextGeneration() {
    gLiveGeneration = 0;
}

void DestroyGlTexture(unsigned int name) {
    glDeleteTextures(1, &name);
}
void DestroyGlBuffer(unsigned int name) {
    glDeleteBuffers(1, &name);
}
void DestroyGlFramebuffer(unsigned int name) {
    glDeleteFramebuffers(1, &name);
}
void DestroyGlRenderbuffer(unsigned int name) {
    glDeleteRenderbuffers(1, &name);
}
void DestroyGlVertexArray(unsigned int name) {
    glDeleteVertexArrays(1, &name);
}
void DestroyGlSampler(unsigned int name) {
    glDeleteSamplers(1, &name);
}
void DestroyGlShader(unsigned int name) {
    glDeleteShader(name);
}
void DestroyGlProgram(unsigned int name) {
    glDeleteProgram(name);
}
