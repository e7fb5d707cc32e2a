#include "object/TweenProperty.h"

#include <cstdint>

namespace {

uint8_t InterpolateChannel(uint8_t from, uint8_t to, float s) {
    const float fraction = (from / 255.0f) * (1.0f - s) + (to / 255.0f) * s;
    return static_cast<uint8_t>(fraction * 255.0f);
}

}  // namespace

float TweenInterpolate(float from, float to, float s) {
    return from * (1.0f - s) + to * s;
}

Vector2 TweenInterpolate(Vector2 from, Vector2 to, float s) {
    return {TweenInterpolate(from.X, to.X, s), TweenInterpolate(from.Y, to.Y, s)};
}

Color TweenInterpolate(Color from, Color to, float s) {
    return {InterpolateChannel(from.R, to.R, s), InterpolateChannel(from.G, to.G, s),
            InterpolateChannel(from.B, to.B, s), InterpolateChannel(from.A, to.A, s)};
}
