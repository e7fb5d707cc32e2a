#pragma once

#include "render/Graphics.h"
#include "render/GraphicsImpl.h"

// The renderer's device side, which only tests look into.
class GraphicsTestSeam {
public:
    static GraphicsImpl& Impl(Graphics& graphics) { return *graphics.Impl; }
};

inline GraphicsImpl& ImplOf(Graphics& graphics) {
    return GraphicsTestSeam::Impl(graphics);
}
