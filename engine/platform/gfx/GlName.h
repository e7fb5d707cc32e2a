#pragma once

#include <cstdint>
#include <utility>

// Destroyers for the kinds of OpenGL object the graphics layer owns.
void DestroyGlTexture(unsigned int name);
void DestroyGlBuffer(unsigned int name);
void DestroyGlFramebuffer(unsigned int name);
void DestroyGlRenderbuffer(unsigned int name);
void DestroyGlVertexArray(unsigned int name);
void DestroyGlSampler(unsigned int name);
void DestroyGlShader(unsigned int name);
void DestroyGlProgram(unsigned int name);

// Which OpenGL context is alive: names belong to one context, and a context made later
// may hand out the same numbers, so a name outliving its context must not be deleted.
uint64_t CurrentGlContextGeneration();
void BeginGlContextGeneration();
void EndGlContextGeneration();

// Owns one OpenGL object name; move-only.
template <void (*Destroy)(unsigned int)>
class GlName {
public:
    GlName() = default;
    explicit GlName(unsigned int name) : mName(name), mGeneration(CurrentGlContextGeneration()) {}
    ~GlName() { Reset(); }

    GlName(GlName&& other) noexcept : mName(std::exchange(other.mName, 0u)), mGeneration(other.mGeneration) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) {
            Reset();
            mName = std::exchange(other.mName, 0u);
            mGeneration = other.mGeneration;
        }
        return *this;
    }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;

    unsigned int Get() const { return mName; }

    void Reset() {
        if (mName != 0 && mGeneration == CurrentGlContextGeneration()) {
            Destroy(mName);
        }
        mName = 0;
    }

private:
    unsigned int mName = 0;
    uint64_t mGeneration = 0;
};

using GlTexture = GlName<DestroyGlTexture>;
using GlBuffer = GlName<DestroyGlBuffer>;
using GlFramebuffer = GlName<DestroyGlFramebuffer>;
using GlRenderbuffer = GlName<DestroyGlRenderbuffer>;
using GlVertexArray = GlName<DestroyGlVertexArray>;
using GlSampler = GlName<DestroyGlSampler>;
using GlShader = GlName<DestroyGlShader>;
using GlProgram = GlName<DestroyGlProgram>;
