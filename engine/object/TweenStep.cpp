#include "object/TweenStep.h"

#include <utility>

#include "object/TweenProperty.h"

TweenStep::TweenStep(TweenCallback onPassed, float startTime, float duration)
    : mDuration(duration), mStartTime(startTime), mOnPassed(std::move(onPassed)) {}

TweenStep::~TweenStep() = default;

template <class T>
void TweenStep::AddProperty(T* target, T from, T to, TweenEasing easing) {
    mProperties.push_back(std::make_unique<TweenPropertyImpl<T>>(target, from, to, easing));
}

void TweenStep::AddFloat(float* target, float to, TweenEasing easing) {
    AddProperty(target, *target, to, easing);
}

void TweenStep::AddVector2(Vector2* target, Vector2 to, TweenEasing easing) {
    AddProperty(target, *target, to, easing);
}

void TweenStep::AddColor(Color* target, Color to, TweenEasing easing) {
    AddProperty(target, *target, to, easing);
}

void TweenStep::AddFloatFromTo(float* target, float from, float to, TweenEasing easing) {
    AddProperty(target, from, to, easing);
}

void TweenStep::AddVector2FromTo(Vector2* target, Vector2 from, Vector2 to, TweenEasing easing) {
    AddProperty(target, from, to, easing);
}

void TweenStep::AddColorFromTo(Color* target, Color from, Color to, TweenEasing easing) {
    AddProperty(target, from, to, easing);
}

void TweenStep::Apply(float t) const {
    for (const auto& property : mProperties) {
        property->Apply(t);
    }
}

bool TweenStep::Drives(const void* value) const {
    for (const auto& property : mProperties) {
        if (property->Drives(value)) {
            return true;
        }
    }
    return false;
}

void TweenStep::NotifyPassed() const {
    if (mOnPassed) {
        mOnPassed();
    }
}
