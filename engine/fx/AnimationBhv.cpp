#include "fx/AnimationBhv.h"

#include <cmath>

#include "fx/AnimationManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/MissingContent.h"
#include "render/SpriteCmp.h"

AnimationBhv::AnimationBhv() {
    RegisterProperty(&AutoPlay, "AutoPlay");
}

void AnimationBhv::Start() {
    if (!AutoPlay.empty()) {
        Play(AutoPlay);
    }
}

void AnimationBhv::Play(const std::string& animationName) {
    mState->Animation = animationName;
    mState->Frame = 0;
    mState->Time = AnimationPlayState::RestartTime;
    mState->Playing = true;
}

void AnimationBhv::Stop() {
    mState->Time = AnimationPlayState::RestartTime;
    mState->Frame = 0;
    mState->Playing = false;
}

void AnimationBhv::Update() {
    if (!mState->Playing) {
        return;
    }
    const AnimationData* animation =
        gAnimationManager != nullptr ? gAnimationManager->Find(mState->Animation) : nullptr;
    if (animation == nullptr) {
        if (gAnimationManager != nullptr) {
            WarnMissingContent("animation", mState->Animation,
                               DescribeRequester("AnimationBhv", Owner != nullptr ? Owner->Name : ""));
        }
        return;  // not loaded: keeps playing, changes nothing, and its time stands still
    }
    if (!SeekFrame(*animation)) {
        return;
    }
    ShowFrame(*animation);
    mState->Time += CurrentFrameDelta();
}

bool AnimationBhv::SeekFrame(const AnimationData& animation) {
    const auto& frames = animation.Frames;
    const int count = static_cast<int>(frames.size());
    const float total = animation.TotalDuration;
    AnimationPlayState& state = *mState;
    if (count == 0) {
        Stop();  // nothing to show, looping or not
        return false;
    }
    for (;;) {
        if (state.Time > total || state.Frame >= count) {
            if (!animation.Loop) {
                Stop();  // the sprite keeps the frame it shows
                return false;
            }
            if (total <= 0.0f) {
                // Every frame lasts no time: looping would never get anywhere.
                state.Frame = 0;
                return true;
            }
            // The remainder of repeated subtraction, in one step however long the pass.
            state.Time = std::fmod(state.Time, total);
            if (!(state.Time >= 0.0f)) {
                state.Time = AnimationPlayState::RestartTime;
            }
            state.Frame = 0;
        }
        const float end = state.Frame + 1 < count ? frames[state.Frame + 1].StartTime : total;
        if (frames[state.Frame].StartTime <= state.Time && state.Time < end) {
            return true;
        }
        ++state.Frame;
    }
}

void AnimationBhv::ShowFrame(const AnimationData& animation) const {
    if (Sprite == nullptr) {
        return;
    }
    const AnimationFrame& frame = animation.Frames[mState->Frame];
    Sprite->Texture = frame.Tex;
    Sprite->SetFrame(frame.FrameIndex);
}
