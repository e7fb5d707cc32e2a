#include "physics/B2DebugRendererTarget.h"

#include "render/Camera2d.h"
#include "render/Graphics.h"

namespace {

class RendererTarget final : public DebugDrawTarget {
public:
    void DrawOutline(const Vector2* points, int count, Color color, bool closed) override {
        if (gGraphics != nullptr) {
            gGraphics->DrawDebugPrimitive(points, count, color, closed);
        }
    }
    float WorldUnitsPerPixel() const override {
        if (gGraphics == nullptr || gGraphics->Width <= 0) {
            return 0.0f;
        }
        return gGraphics->WorldCamera.Scale.X / static_cast<float>(gGraphics->Width);
    }
};

}  // namespace

DebugDrawTarget& RendererDebugDrawTarget() {
    static RendererTarget target;
    return target;
}
