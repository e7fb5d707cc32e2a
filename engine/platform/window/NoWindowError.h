#pragma once

#include <stdexcept>
#include <string>

// No window can be opened: the video system did not start or reaches no screen, or it
// cannot make the game's window or the window's OpenGL context. Not a crash: nothing ran
// yet, and the user can mend it. The text names the display tried.
class NoWindowError : public std::runtime_error {
public:
    // "no window could be opened: <what> (<the display tried>; <reason>)"
    NoWindowError(const std::string& what, const std::string& reason);
};
