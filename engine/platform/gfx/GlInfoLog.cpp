#include "platform/gfx/GlInfoLog.h"

#include <vector>

std::string ReadGlInfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
    getLog(object, length, nullptr, log.data());
    return log.data();
}
