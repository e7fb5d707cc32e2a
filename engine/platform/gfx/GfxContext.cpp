#include "platform/gfx/GfxContext.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <string>

#include "platform/DeviceThread.h"
#include "platform/gfx/GlName.h"
#include "platform/window/NoWindowError.h"
#include "platform/window/Window.h"

namespace {

constexpr int kRequiredVersion = 33;

[[noreturn]] void ThrowNoContext(const std::string& reason) {
    throw NoWindowError("no usable OpenGL 3.3 core context", reason);
}

}  // namespace

GfxContext::GfxContext(Window& window) : mWindow(window) {
    mContext = SDL_GL_CreateContext(window.Handle());
    if (mContext == nullptr) {
        ThrowNoContext(std::string("SDL: ") + SDL_GetError());
    }
    if (!epoxy_is_desktop_gl() || epoxy_gl_version() < kRequiredVersion) {
        const int version = epoxy_gl_version();
        SDL_GL_DeleteContext(mContext);
        ThrowNoContext("the driver offers version " + std::to_string(version / 10) + "." +
                       std::to_string(version % 10));
    }
    BeginGlContextGeneration();
}

GfxContext::~GfxContext() {
    EndGlContextGeneration();
    SDL_GL_MakeCurrent(mWindow.Handle(), nullptr);
    SDL_GL_DeleteContext(mContext);
}

void GfxContext::SetVSync(bool enabled) {
    gGlThread.Check("GfxContext::SetVSync");
    // Some drivers refuse to change it; presenting still works either way.
    SDL_GL_SetSwapInterval(enabled ? 1 : 0);
}

void GfxContext::SwapBuffers() {
    gGlThread.Check("GfxContext::SwapBuffers");
    SDL_GL_SwapWindow(mWindow.Handle());
}

bool GfxContext::HasExtension(const char* name) const {
    return epoxy_has_gl_extension(name);
}
