#pragma once

#include "object/Color.h"
#include "object/TweenEasing.h"
#include "object/Vector2.h"

// One value driven by a tween step.
class TweenProperty {
public:
    TweenProperty() = default;
    TweenProperty(const TweenProperty&) = delete;
    TweenProperty& operator=(const TweenProperty&) = delete;
    virtual ~TweenProperty() = default;

    // Writes the value at progress t in [0, 1] of its step.
    virtual void Apply(float t) = 0;
    // Whether it writes the value at that address.
    virtual bool Drives(const void* value) const = 0;
};

// from x (1 - s) + to x s, for each tweenable type.
float TweenInterpolate(float from, float to, float s);
// Each coordinate alike.
Vector2 TweenInterpolate(Vector2 from, Vector2 to, float s);
// Each channel as a fraction of 255, truncated back to a byte.
Color TweenInterpolate(Color from, Color to, float s);

// T is float, Vector2 or Color. The target is a field of a component of the tween's own
// object, so both die with the object.
template <class T>
class TweenPropertyImpl final : public TweenProperty {
public:
    TweenPropertyImpl(T* target, T from, T to, TweenEasing easing)
        : Easing(easing), Target(target), From(from), To(to) {}

    void Apply(float t) override { *Target = TweenInterpolate(From, To, EaseProgress(Easing, t)); }
    bool Drives(const void* value) const override { return Target == value; }

    TweenEasing Easing = TweenEasing::EaseInOut;
    T* Target;
    T From;
    T To;
};
