#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "object/Color.h"
#include "object/TweenEasing.h"
#include "object/Vector2.h"

class TweenProperty;

// A tween callback (step passed, sequence complete); may be empty.
using TweenCallback = std::function<void()>;

// One timed stage of a tween sequence: drives its values from their start to their end
// value over its duration. Made by TweenSequence::AddStep.
class TweenStep {
public:
    TweenStep(TweenCallback onPassed, float startTime, float duration);
    TweenStep(const TweenStep&) = delete;
    TweenStep& operator=(const TweenStep&) = delete;
    virtual ~TweenStep();

    // From the target's value at the moment of adding.
    void AddFloat(float* target, float to, TweenEasing easing);
    void AddVector2(Vector2* target, Vector2 to, TweenEasing easing);
    void AddColor(Color* target, Color to, TweenEasing easing);
    // From a given value.
    void AddFloatFromTo(float* target, float from, float to, TweenEasing easing);
    void AddVector2FromTo(Vector2* target, Vector2 from, Vector2 to, TweenEasing easing);
    void AddColorFromTo(Color* target, Color from, Color to, TweenEasing easing);

    float GetStartTime() const { return mStartTime; }
    float GetDuration() const { return mDuration; }

    // Writes every value at progress t in [0, 1].
    void Apply(float t) const;
    // Calls the step's callback, when it has one.
    void NotifyPassed() const;
    // Whether one of its properties writes the value at that address.
    bool Drives(const void* value) const;

private:
    template <class T>
    void AddProperty(T* target, T from, T to, TweenEasing easing);

    float mDuration;
    float mStartTime;
    TweenCallback mOnPassed;
    std::vector<std::unique_ptr<TweenProperty>> mProperties;
};
