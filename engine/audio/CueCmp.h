#pragma once

#include <functional>

#include "object/Component.h"
#include "object/IEditable.h"

// Marks a cue object and holds how to play it: the cue behaviour of the same object
// binds PlayHook in its Start, and the cue manager calls it.
class CueCmp : public Component, public IEditable {
public:
    std::function<void()> PlayHook;
};
