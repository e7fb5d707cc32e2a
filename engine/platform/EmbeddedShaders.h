#pragma once

// The GLSL sources of shaders/, embedded at build time. The table ends with a null name.
struct EmbeddedShader {
    const char* Name;
    const char* Source;
};

extern const EmbeddedShader gEmbeddedShaders[];
