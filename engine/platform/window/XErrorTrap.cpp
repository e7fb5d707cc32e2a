#include "platform/window/XErrorTrap.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cassert>

namespace {

// Xlib calls its error handler with no context of ours, so the trap's state is global.
XErrorHandler sPreviousHandler = nullptr;
bool sTrapSet = false;
std::string sCaught;

int CatchError(Display* display, XErrorEvent* event) {
    if (sCaught.empty()) {
        char text[256] = "";
        XGetErrorText(display, event->error_code, text, sizeof(text));
        sCaught = text[0] != '\0' ? text : "X error " + std::to_string(event->error_code);
    }
    return 0;
}

Display* XDisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return nullptr;
    }
    return info.info.x11.display;
}

}  // namespace

XErrorTrap::XErrorTrap(SDL_Window* window) : mDisplay(XDisplayOf(window)) {
    if (mDisplay == nullptr) {
        return;
    }
    assert(!sTrapSet && "X error traps do not nest");
    // The errors of requests made before the trap reach the handler they were meant for.
    XSync(mDisplay, False);
    sCaught.clear();
    sPreviousHandler = XSetErrorHandler(CatchError);
    sTrapSet = true;
}

XErrorTrap::~XErrorTrap() {
    if (mDisplay == nullptr) {
        return;
    }
    XSync(mDisplay, False);
    XSetErrorHandler(sPreviousHandler);
    sPreviousHandler = nullptr;
    sTrapSet = false;
}

std::string XErrorTrap::Sync() {
    if (mDisplay == nullptr) {
        return "";
    }
    XSync(mDisplay, False);
    return sCaught;
}
