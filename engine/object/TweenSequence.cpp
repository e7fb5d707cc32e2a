#include "object/TweenSequence.h"

#include <utility>

TweenSequence::TweenSequence(TweenCallback onComplete) : mOnComplete(std::move(onComplete)) {}

TweenSequence::~TweenSequence() = default;

TweenStep* TweenSequence::AddStep(TweenCallback onPassed, float duration) {
    mTotalDuration += duration;
    const float startTime = mSteps.empty() ? 0.0f : mSteps.back()->GetStartTime() + mSteps.back()->GetDuration();
    mSteps.push_back(std::make_unique<TweenStep>(std::move(onPassed), startTime, duration));
    return mSteps.back().get();
}

float TweenSequence::StepEndTime(int i) const {
    return i + 1 < GetStepCount() ? mSteps[i + 1]->GetStartTime() : mTotalDuration;
}

bool TweenSequence::Drives(const void* value) const {
    for (const auto& step : mSteps) {
        if (step->Drives(value)) {
            return true;
        }
    }
    return false;
}

void TweenSequence::Update(float delta) {
    if (mCancelled) {
        return;
    }
    mTime += delta;
    if (mTime < mTotalDuration) {
        // Indexed afresh each time: a callback may add steps.
        while (mCurrentStep < GetStepCount()) {
            const TweenStep* step = mSteps[mCurrentStep].get();
            const float start = step->GetStartTime();
            const float end = StepEndTime(mCurrentStep);
            if (start <= mTime && mTime < end) {
                step->Apply((mTime - start) / (end - start));
                return;
            }
            step->NotifyPassed();
            ++mCurrentStep;
        }
    }
    Finish();
}

void TweenSequence::Finish() {
    mTime = mTotalDuration;
    if (!mSteps.empty()) {
        mCurrentStep = GetStepCount() - 1;
    }
    if (mOnComplete) {
        mOnComplete();
    }
    // A sequence without steps just completes: there is nothing to pass or apply.
    if (mSteps.empty()) {
        return;
    }
    const TweenStep* last = mSteps.back().get();
    last->NotifyPassed();
    last->Apply(1.0f);
}
