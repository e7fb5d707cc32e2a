#include "object/TweenEasing.h"

float EaseProgress(TweenEasing easing, float t) {
    switch (easing) {
        case TweenEasing::Linear: return t;
        case TweenEasing::EaseIn: return t * t;
        case TweenEasing::EaseOut: {
            const float u = t - 1.0f;
            return 1.0f - u * u;
        }
        case TweenEasing::EaseInOut:
        default: return 3.0f * t * t - 2.0f * t * t * t;
    }
}
