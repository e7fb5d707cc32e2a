#pragma once

union SDL_Event;

// Drains the platform's event queue once per pass: keys, mouse, focus; then shows the
// renderer's chosen cursor. Returns false when the program should end.
bool PumpMessages();

// One event from the window into the input manager and the renderer. Returns false
// for the request to quit.
bool HandleWindowEvent(const SDL_Event& event);
