#pragma once

#include <cstdint>
#include <string>

struct SDL_Window;

struct WindowDesc {
    std::string Title;
    int Width = 1280;  // client area, in pixels
    int Height = 720;
    bool Fullscreen = false;
    int RefreshRate = 60;  // of the full-screen display mode
};

// The game window: an OpenGL-capable SDL window whose client area is exactly the
// requested size and cannot be resized by the user.
class Window {
public:
    // Throws NoWindowError when SDL cannot create the window (a video driver without
    // OpenGL, an X server without GLX).
    explicit Window(const WindowDesc& desc);
    ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Changes size and full-screen mode in place: the window, and with it the OpenGL
    // context and everything created in it, survives a display change.
    void Reconfigure(const WindowDesc& desc);

    SDL_Window* Handle() const { return mHandle; }
    uint32_t Id() const;
    int ClientWidth() const;
    int ClientHeight() const;
    // Size of the OpenGL default framebuffer (differs from the client size on high-DPI screens).
    void GetDrawableSize(int* width, int* height) const;
    bool IsFullscreen() const;

    // Keeps the mouse pointer inside the client area while set.
    void ConfineMouse(bool confine);

private:
    void EnterFullscreen(const WindowDesc& desc);

    SDL_Window* mHandle = nullptr;
};
