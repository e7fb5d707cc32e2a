#pragma once

#include <memory>
#include <string>

#include "object/Behavior.h"

class AnimationData;

// What an AnimationBhv is playing.
struct AnimationPlayState {
    static constexpr float RestartTime = 0.0001f;

    float Time = RestartTime;  // seconds into the animation
    int Frame = 0;
    std::string Animation;  // looked up by name every pass: a reload never leaves it dangling
    bool Playing = false;
};

// Plays one named animation on its object's sprite: the frame whose time has come is
// selected each pass, before the pass's delta is added.
class AnimationBhv : public Behavior {
public:
    AnimationBhv();

    // Starts the AutoPlay animation, when one is named.
    void Start() override;
    void Update() override;

    // Plays the animation of that name from its first frame.
    void Play(const std::string& animationName);

    const AnimationPlayState& State() const { return *mState; }

    std::string AutoPlay;

private:
    // Moves the state to the frame that covers its time; false when nothing is to be
    // shown (the animation stopped or has no frames).
    bool SeekFrame(const AnimationData& animation);
    void ShowFrame(const AnimationData& animation) const;
    void Stop();

    std::unique_ptr<AnimationPlayState> mState = std::make_unique<AnimationPlayState>();
};
