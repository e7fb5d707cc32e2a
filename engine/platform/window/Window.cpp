#include "platform/window/Window.h"

#include <SDL.h>

#include <string>

#include "platform/DebugPrint.h"
#include "platform/window/NoWindowError.h"

namespace {

// Set before the window exists: on X11 they choose the window's visual. Depth and
// stencil live in offscreen targets, so the window needs colour only.
void RequestOpenGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

}  // namespace

Window::Window(const WindowDesc& desc) {
    RequestOpenGlAttributes();
    mHandle = SDL_CreateWindow(desc.Title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, desc.Width,
                               desc.Height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (mHandle == nullptr) {
        const char* driver = SDL_GetCurrentVideoDriver();
        throw NoWindowError(std::string("the video driver \"") + (driver != nullptr ? driver : "") +
                                "\" cannot make an OpenGL window",
                            std::string("SDL: ") + SDL_GetError());
    }
    if (desc.Fullscreen) {
        EnterFullscreen(desc);
    }
}

Window::~Window() {
    SDL_DestroyWindow(mHandle);
}

void Window::Reconfigure(const WindowDesc& desc) {
    // Leaving full screen first also makes a full-screen to full-screen change pass
    // through a window, which mode switches handle more reliably.
    if (IsFullscreen()) {
        SDL_SetWindowFullscreen(mHandle, 0);
    }
    SDL_SetWindowTitle(mHandle, desc.Title.c_str());
    SDL_SetWindowSize(mHandle, desc.Width, desc.Height);
    if (desc.Fullscreen) {
        EnterFullscreen(desc);
    }
}

void Window::EnterFullscreen(const WindowDesc& desc) {
    SDL_DisplayMode mode = {};
    mode.w = desc.Width;
    mode.h = desc.Height;
    mode.refresh_rate = desc.RefreshRate;
    if (SDL_SetWindowDisplayMode(mHandle, &mode) != 0 || SDL_SetWindowFullscreen(mHandle, SDL_WINDOW_FULLSCREEN) != 0) {
        // A display that refuses the mode still gets a playable window.
        DebugPrint((std::string("Full screen ") + std::to_string(desc.Width) + "x" + std::to_string(desc.Height) +
                    " is not available (" + SDL_GetError() + "); staying in a window.\n")
                       .c_str());
        SDL_SetWindowFullscreen(mHandle, 0);
    }
}

uint32_t Window::Id() const {
    return SDL_GetWindowID(mHandle);
}

int Window::ClientWidth() const {
    int width = 0;
    SDL_GetWindowSize(mHandle, &width, nullptr);
    return width;
}

int Window::ClientHeight() const {
    int height = 0;
    SDL_GetWindowSize(mHandle, nullptr, &height);
    return height;
}

void Window::GetDrawableSize(int* width, int* height) const {
    SDL_GL_GetDrawableSize(mHandle, width, height);
}

bool Window::IsFullscreen() const {
    return (SDL_GetWindowFlags(mHandle) & SDL_WINDOW_FULLSCREEN) != 0;
}

void Window::ConfineMouse(bool confine) {
    SDL_SetWindowMouseGrab(mHandle, confine ? SDL_TRUE : SDL_FALSE);
}
