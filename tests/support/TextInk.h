#pragma once

#include "object/Rect.h"
#include "object/Vector2.h"

class TextCmp;

// Where the glyphs of a text drawn on the interface layer land, as the renderer places
// them at that position, together with its laid-out block (a line's advances may pass
// its last glyph). Reads the block of the last draw, so draw a frame first.
Rect InkOf(const TextCmp& text, Vector2 at);
