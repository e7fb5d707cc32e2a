#pragma once

#include <string>

struct SDL_Window;
struct _XDisplay;

// Catches the X errors of the requests made while it lives, which Xlib's default handler
// would answer by ending the process: a request that the X server refuses (a cursor it
// has no room for) must not end the game. Errors of earlier requests still go to the
// handler in place before. On a video driver other than X11 it does nothing: there the
// failures come back from SDL's own calls. One trap at a time, on the main thread.
class XErrorTrap {
public:
    // window: the window the requests are made for, which names the X connection.
    explicit XErrorTrap(SDL_Window* window);
    // Waits for the answers to the requests made so far, then puts the previous handler back.
    ~XErrorTrap();

    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the X server to answer every request made so far. The first error caught
    // since the trap was set, as Xlib words it ("BadAlloc (insufficient resources for
    // operation)"), or "" when there was none.
    std::string Sync();

private:
    _XDisplay* mDisplay = nullptr;
};
