#include "platform/gfx/GfxBuffer.h"

#include <epoxy/gl.h>

#include <stdexcept>
#include <string>

#include "platform/DeviceThread.h"

GfxBuffer::GfxBuffer(GfxBufferKind kind, size_t sizeBytes) : mKind(kind), mSizeBytes(sizeBytes) {
    gGlThread.Check("GfxBuffer::GfxBuffer");
    GLuint name = 0;
    glGenBuffers(1, &name);
    mBuffer = GlBuffer(name);
    // The copy target leaves the vertex array's bindings alone.
    glBindBuffer(GL_COPY_WRITE_BUFFER, name);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(sizeBytes), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    if (glGetError() == GL_OUT_OF_MEMORY) {
        throw std::runtime_error("Out of video memory for a buffer of " + std::to_string(sizeBytes) + " bytes");
    }
}

void GfxBuffer::Write(size_t offsetBytes, const void* data, size_t sizeBytes) {
    gGlThread.Check("GfxBuffer::Write");
    if (offsetBytes > mSizeBytes || sizeBytes > mSizeBytes - offsetBytes) {
        throw std::out_of_range("Buffer write of " + std::to_string(sizeBytes) + " bytes at " +
                                std::to_string(offsetBytes) + " exceeds its " + std::to_string(mSizeBytes) + " bytes");
    }
    if (sizeBytes == 0) {
        return;
    }
    glBindBuffer(GL_COPY_WRITE_BUFFER, mBuffer.Get());
    glBufferSubData(GL_COPY_WRITE_BUFFER, static_cast<GLintptr>(offsetBytes), static_cast<GLsizeiptr>(sizeBytes), data);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}
