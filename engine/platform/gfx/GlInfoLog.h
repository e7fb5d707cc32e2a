#pragma once

#include <epoxy/gl.h>

#include <string>

// The info log of a shader or a program object, read with the getters of its kind:
// glGetShaderiv and glGetShaderInfoLog, or glGetProgramiv and glGetProgramInfoLog.
std::string ReadGlInfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog);
