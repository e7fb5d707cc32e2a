#include "object/TweensBhv.h"

#include <utility>

#include "object/GameTime.h"

TweensBhv::TweensBhv() = default;

TweensBhv::~TweensBhv() = default;

void TweensBhv::Update() {
    const float delta = CurrentFrameDelta();
    // By index from the end: callbacks may append sequences, which leaves the indices
    // below unchanged and keeps the newcomers out of this pass.
    for (int i = GetSequenceCount() - 1; i >= 0; --i) {
        TweenSequence* sequence = mSequences[i].get();
        sequence->Update(delta);
        if (sequence->IsFinished()) {
            mSequences.erase(mSequences.begin() + i);
        }
    }
}

void TweensBhv::StopTweensOf(const void* value) {
    // Marked, not erased: this may run inside Update, from a callback; Update drops them.
    for (const auto& sequence : mSequences) {
        if (sequence->Drives(value)) {
            sequence->Cancel();
        }
    }
}

TweenSequence* TweensBhv::CreateSequence(TweenCallback onComplete) {
    mSequences.push_back(std::make_unique<TweenSequence>(std::move(onComplete)));
    return mSequences.back().get();
}

template <class AddProperty>
TweenSequence* TweensBhv::CreateOneStepSequence(TweenCallback onComplete, float duration, AddProperty addProperty) {
    TweenSequence* sequence = CreateSequence(std::move(onComplete));
    addProperty(*sequence->AddStep(nullptr, duration));
    return sequence;
}

TweenSequence* TweensBhv::TweenVector2(Vector2* target, TweenEasing easing, Vector2 to, TweenCallback onComplete,
                                       float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddVector2(target, to, easing); });
}

TweenSequence* TweensBhv::AddTweenStep(Vector2* target, TweenEasing easing, Vector2 from, Vector2 to,
                                       TweenCallback onComplete, float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddVector2FromTo(target, from, to, easing); });
}

TweenSequence* TweensBhv::TweenColor(Color* target, Color to, TweenEasing easing, TweenCallback onComplete,
                                     float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddColor(target, to, easing); });
}

TweenSequence* TweensBhv::TweenColorFromTo(Color* target, TweenEasing easing, Color from, Color to,
                                           TweenCallback onComplete, float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddColorFromTo(target, from, to, easing); });
}

TweenSequence* TweensBhv::TweenFloat(float* target, TweenEasing easing, float to, TweenCallback onComplete,
                                     float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddFloat(target, to, easing); });
}

TweenSequence* TweensBhv::TweenFloatFromTo(float* target, TweenEasing easing, float from, float to,
                                           TweenCallback onComplete, float duration) {
    return CreateOneStepSequence(std::move(onComplete), duration,
                                 [&](TweenStep& step) { step.AddFloatFromTo(target, from, to, easing); });
}
