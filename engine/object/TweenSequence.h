#pragma once

#include <memory>
#include <vector>

#include "object/TweenStep.h"

// A chain of timed steps with a completion callback, advanced once per pass by its
// TweensBhv, which deletes it in the pass in which it ends.
class TweenSequence {
public:
    explicit TweenSequence(TweenCallback onComplete);
    TweenSequence(const TweenSequence&) = delete;
    TweenSequence& operator=(const TweenSequence&) = delete;
    virtual ~TweenSequence();

    // Appends a step that begins where the previous one ends.
    TweenStep* AddStep(TweenCallback onPassed, float duration);

    // Advances by one frame delta: passes the steps time has moved beyond, applies the
    // current one, or ends the sequence (completion, the last step's callback, the last
    // step's end values, in that order).
    void Update(float delta);

    // Ends it where it stands: no further value is written and no callback is called.
    void Cancel() { mCancelled = true; }
    // Whether one of its steps writes the value at that address.
    bool Drives(const void* value) const;

    bool IsFinished() const { return mCancelled || mTime >= mTotalDuration; }
    float GetTime() const { return mTime; }
    float GetTotalDuration() const { return mTotalDuration; }
    int GetCurrentStep() const { return mCurrentStep; }
    int GetStepCount() const { return static_cast<int>(mSteps.size()); }

private:
    // The end of the step at index i: the next step's start, or the total for the last.
    float StepEndTime(int i) const;
    void Finish();

    TweenCallback mOnComplete;
    std::vector<std::unique_ptr<TweenStep>> mSteps;
    float mTotalDuration = 0.0f;
    int mCurrentStep = 0;
    float mTime = 0.0f;
    bool mCancelled = false;
};
