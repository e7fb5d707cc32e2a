#include "input/MessagePump.h"

#include <SDL.h>

#include "input/Cursors.h"
#include "input/InputManager.h"
#include "input/Keys.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "render/Graphics.h"

namespace {

void SetKey(int key, bool down) {
    if (gInputManager == nullptr || key <= 0) {
        return;
    }
    if (down) {
        gInputManager->PressKey(key);
    } else {
        gInputManager->ReleaseKey(key);
    }
}

// Keys without a desktop virtual-key code are dropped rather than aliasing another key.
void HandleKey(const SDL_KeyboardEvent& event, bool down) {
    const int virtualKey = ScancodeToVirtualKey(event.keysym.scancode);
    if (virtualKey != 0) {
        SetKey(VirtualKeyToKey(virtualKey), down);
    }
}

// Window pixels to back-buffer pixels: they differ when a full-screen mode could not be
// set and the window covers the whole desktop, or on high-DPI screens.
void SetMousePosition(int x, int y) {
    if (gInputManager == nullptr) {
        return;
    }
    Vector2 position(static_cast<float>(x), static_cast<float>(y));
    if (gGraphics != nullptr && gGraphics->GameWindow() != nullptr) {
        const Window& window = *gGraphics->GameWindow();
        if (window.ClientWidth() > 0 && window.ClientHeight() > 0) {
            position.X *= static_cast<float>(gGraphics->Width) / static_cast<float>(window.ClientWidth());
            position.Y *= static_cast<float>(gGraphics->Height) / static_cast<float>(window.ClientHeight());
        }
    }
    gInputManager->MousePosition = position;
}

void HandleMouseButton(const SDL_MouseButtonEvent& event, bool down) {
    // The position first: a press keeps the place it was made at.
    SetMousePosition(event.x, event.y);
    switch (event.button) {
        case SDL_BUTTON_LEFT: SetKey(KeyCode(Key::LeftMouse), down); break;
        case SDL_BUTTON_MIDDLE: SetKey(KeyCode(Key::MiddleMouse), down); break;
        case SDL_BUTTON_RIGHT: SetKey(KeyCode(Key::RightMouse), down); break;
        default: break;
    }
}

// Once the game window exists only its own events count; a window closed earlier may
// still have events queued.
bool IsForGameWindow(const SDL_WindowEvent& event) {
    if (gGraphics == nullptr || gGraphics->GameWindow() == nullptr) {
        return true;
    }
    return event.windowID == gGraphics->GameWindow()->Id();
}

void HandleFocus(bool focused) {
    if (gGraphics != nullptr) {
        gGraphics->HasFocus = focused ? 1 : 0;
    }
    // Key-up messages go to whichever window has the focus then: without this a key
    // held while switching away would stay down for good.
    if (!focused && gInputManager != nullptr) {
        gInputManager->ReleaseAllKeys();
    }
}

}  // namespace

bool HandleWindowEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: return false;
        case SDL_KEYDOWN:
        case SDL_KEYUP: HandleKey(event.key, event.type == SDL_KEYDOWN); break;
        case SDL_MOUSEMOTION:
            SetMousePosition(event.motion.x, event.motion.y);
            RetryUnreadableCursors();
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            HandleMouseButton(event.button, event.type == SDL_MOUSEBUTTONDOWN);
            RetryUnreadableCursors();
            break;
        case SDL_WINDOWEVENT:
            if (!IsForGameWindow(event.window)) {
                break;
            }
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                HandleFocus(true);
            } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                HandleFocus(false);
            }
            break;
        default: break;
    }
    return true;
}

namespace {

bool sQuitPosted = false;

}  // namespace

void PostQuitMessage() {
    sQuitPosted = true;
}

bool IsQuitPosted() {
    return sQuitPosted;
}

bool TakePostedQuit() {
    const bool posted = sQuitPosted;
    sQuitPosted = false;
    return posted;
}

bool PumpMessages() {
    bool keepRunning = !TakePostedQuit();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (!HandleWindowEvent(event)) {
            keepRunning = false;
        }
    }
    if (gGraphics != nullptr && gGraphics->GameWindow() != nullptr) {
        ApplyWindowCursor(gGraphics->CursorName);
    }
    return keepRunning;
}
