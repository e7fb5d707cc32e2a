#pragma once

#include <memory>
#include <vector>

#include "object/Behavior.h"
#include "object/TweenSequence.h"

// Runs the tween sequences of its object: advances each once per pass in its Update and
// deletes each in the pass in which it ends. Reached through the Tweens shortcut.
class TweensBhv : public Behavior {
public:
    TweensBhv();
    // Deletes the sequences that are still running, without calling their callbacks.
    ~TweensBhv() override;

    // Advances the sequences from the last to the first. Sequences created by their
    // callbacks meanwhile first advance in the next pass.
    void Update() override;

    // A new empty sequence, owned by this behaviour; add steps to it before the next pass.
    TweenSequence* CreateSequence(TweenCallback onComplete);

    // One-step sequences driving one value, from its current value or from a given one.
    TweenSequence* TweenVector2(Vector2* target, TweenEasing easing, Vector2 to, TweenCallback onComplete,
                                float duration);
    TweenSequence* AddTweenStep(Vector2* target, TweenEasing easing, Vector2 from, Vector2 to, TweenCallback onComplete,
                                float duration);
    TweenSequence* TweenColor(Color* target, Color to, TweenEasing easing, TweenCallback onComplete, float duration);
    TweenSequence* TweenColorFromTo(Color* target, TweenEasing easing, Color from, Color to, TweenCallback onComplete,
                                    float duration);
    TweenSequence* TweenFloat(float* target, TweenEasing easing, float to, TweenCallback onComplete, float duration);
    TweenSequence* TweenFloatFromTo(float* target, TweenEasing easing, float from, float to, TweenCallback onComplete,
                                    float duration);

    // Cancels every sequence that writes the value (and with it whatever else those
    // sequences write): nothing of them runs again, their callbacks included. For values
    // that outlive this object, such as the renderer's cameras, which another owner may
    // take over at once.
    void StopTweensOf(const void* value);

    int GetSequenceCount() const { return static_cast<int>(mSequences.size()); }

private:
    // A new sequence with one step of the duration, handed to addProperty.
    template <class AddProperty>
    TweenSequence* CreateOneStepSequence(TweenCallback onComplete, float duration, AddProperty addProperty);

    std::vector<std::unique_ptr<TweenSequence>> mSequences;
};
