#pragma once

union SDL_Event;

// Drains the platform's event queue once per pass: keys, mouse, focus; then shows the
// renderer's chosen cursor. Returns false when the program should end.
bool PumpMessages();

// One event from the window into the input manager and the renderer. Returns false
// for the request to quit.
bool HandleWindowEvent(const SDL_Event& event);

// Asks the next pump to report the end of the program, as closing the window does.
void PostQuitMessage();
// A quit was asked for and no pump has reported it yet.
bool IsQuitPosted();
// Whether a quit was posted, clearing it: how a pump reports it once.
bool TakePostedQuit();
