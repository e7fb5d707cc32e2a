#pragma once

class Window;

// The OpenGL 3.3 core context of the game window. Throws NoWindowError when the system
// cannot give one.
class GfxContext {
public:
    explicit GfxContext(Window& window);
    ~GfxContext();

    GfxContext(const GfxContext&) = delete;
    GfxContext& operator=(const GfxContext&) = delete;

    // True: wait for the display's refresh when presenting; false: present at once.
    void SetVSync(bool enabled);
    void SwapBuffers();
    bool HasExtension(const char* name) const;

private:
    Window& mWindow;
    void* mContext = nullptr;
};
