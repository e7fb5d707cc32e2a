#pragma once

#include "object/Vector2.h"

// One key going down, or a held key typing again, with what it types and the modifiers
// and the mouse as they were at that moment: a stalled pass may hold several, and
// Shift, Ctrl, Alt or the mouse can change between them.
struct KeyStroke {
    int Key = 0;
    char Character = '\0';  // '\0' for a key that types nothing
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool Repeat = false;  // typed again by holding the key, not a press
    Vector2 Mouse;        // client-area pixels
};
