#pragma once

#include "object/Color.h"
#include "object/Component.h"
#include "object/IEditable.h"

// A colour that multiplies the pictures of its object and of the object's whole
// subtree, channel by channel.
class TintCmp : public Component, public IEditable {
public:
    TintCmp();

    // a x b / 255 per channel, rounded down: white leaves a colour unchanged.
    static Color Multiply(Color a, Color b);

    Color Tint{255, 255, 255, 255};
};
