#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "object/Component.h"
#include "object/IEditable.h"

// Marks an object as a thing of a level; Layer and IsMutable choose the level group
// that holds it.
class ThingCmp : public Component, public IEditable {
public:
    // The first callback: called after the level editor moved or turned the thing.
    static constexpr int ChangedCallback = 0;

    ThingCmp();
    ~ThingCmp() override;

    // Calls the change callback when one is bound.
    void NotifyChanged() const;

    int32_t Layer = 0;
    bool IsMutable = false;
    // Bound by behaviours of the object (the centipede rebuilds itself); not properties.
    std::array<std::function<void()>, 3> Callbacks;
};
