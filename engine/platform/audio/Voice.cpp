#include "platform/audio/Voice.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/SoundAsset.h"
#include "platform/audio/VoiceFeed.h"

Voice::Voice(AlSource source) : mSource(std::move(source)) {}

Voice::~Voice() {
    Stop();
}

bool Voice::HasFinished() const {
    return IsBusy() && mStarted && mFeed->IsDrained() && mSource.State() == AL_STOPPED;
}

void Voice::Begin(SoundAsset& sound, std::unique_ptr<VoiceFeed> feed, uint64_t startSerial, bool paused) {
    Stop();
    mSound = &sound;
    mFeed = std::move(feed);
    mStartSerial = startSerial;
    mNativeRate = static_cast<float>(sound.Format().SampleRate);
    mVolume = 1.0f;
    mMuted = false;
    mPaused = paused;
    mStarted = false;
    ApplyGain();
    SetFrequency(sound.DefaultFrequency());
    if (!paused) {
        StartPlayback();
    }
}

void Voice::Stop() {
    if (!IsBusy()) {
        return;
    }
    // The source lets go of the queue before the feed deletes any buffer in it.
    mSource.Rewind();
    mFeed.reset();
    mSound = nullptr;
    ++mGeneration;
}

void Voice::Service() {
    if (!IsBusy() || !mStarted || mPaused) {
        return;
    }
    mFeed->Refill(mSource);
    // Stopped with more to come: a pass came too late and the queue ran out.
    if (mSource.State() == AL_STOPPED && !mFeed->IsDrained()) {
        mSource.Play();
    }
}

void Voice::StartPlayback() {
    mStarted = true;
    mFeed->Refill(mSource);
    mSource.Play();
}

void Voice::SetPaused(bool paused) {
    if (!IsBusy() || paused == mPaused) {
        return;
    }
    mPaused = paused;
    if (paused) {
        if (mStarted) {
            mSource.Pause();
        }
    } else if (!mStarted) {
        StartPlayback();
    } else if (mSource.State() == AL_PAUSED) {
        mSource.Play();
    } else {
        Service();
    }
}

void Voice::SetVolume(float volume) {
    if (!IsBusy() || std::isnan(volume)) {
        return;
    }
    mVolume = std::clamp(volume, 0.0f, 1.0f);
    ApplyGain();
}

void Voice::SetMuted(bool muted) {
    if (!IsBusy()) {
        return;
    }
    mMuted = muted;
    ApplyGain();
}

void Voice::SetFrequency(float frequency) {
    if (!IsBusy() || !std::isfinite(frequency) || frequency <= 0.0f) {
        return;
    }
    mFrequency = frequency;
    // The buffers hold the file's own rate; the pitch is how much faster to play them.
    mSource.SetPitch(frequency / mNativeRate);
}

void Voice::SetLoopCount(int count) {
    if (IsBusy() && count >= -1) {
        mFeed->SetLoopCount(count);
    }
}

int Voice::LoopCount() const {
    return IsBusy() ? mFeed->LoopCount() : 0;
}

void Voice::ApplyGain() {
    mSource.SetGain(mMuted ? 0.0f : mVolume);
}
