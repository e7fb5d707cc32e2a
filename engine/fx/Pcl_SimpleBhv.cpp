#include "fx/Pcl_SimpleBhv.h"

#include <algorithm>

#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/Pos2dCmp.h"
#include "object/RandomManager.h"
#include "render/SpriteCmp.h"
#include "render/TintCmp.h"

namespace {

uint8_t BlendChannel(uint8_t a, uint8_t b, float t) {
    const float value = (a / 255.0f * (1.0f - t) + b / 255.0f * t) * 255.0f;
    return static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f));
}

// Per channel, truncated.
Color BlendColor(Color a, Color b, float t) {
    return Color(BlendChannel(a.R, b.R, t), BlendChannel(a.G, b.G, t), BlendChannel(a.B, b.B, t),
                 BlendChannel(a.A, b.A, t));
}

// min without a draw when the range is empty, else a draw in [min, max).
float DrawInRange(float min, float max) {
    return gRandomManager->UniformFloat(min, max);
}

}  // namespace

Pcl_SimpleBhv::Pcl_SimpleBhv() {
    RegisterProperty(&VelocityMin, "VelocityMin");
    RegisterProperty(&VelocityMax, "VelocityMax");
    RegisterProperty(&RotationMin, "RotationMin");
    RegisterProperty(&RotationMax, "RotationMax");
    RegisterProperty(&AngularMin, "AngularMin");
    RegisterProperty(&AngularMax, "AngularMax");
    RegisterProperty(&LifespanMin, "LifespanMin");
    RegisterProperty(&LifespanMax, "LifespanMax");
    RegisterProperty(&FadeInAmount, "FadeInAmount");
    RegisterProperty(&FadeOutAmount, "FadeOutAmount");
    RegisterProperty(&TintStartMin, "TintStartMin");
    RegisterProperty(&TintStartMax, "TintStartMax");
    RegisterProperty(&TintEndMin, "TintEndMin");
    RegisterProperty(&TintEndMax, "TintEndMax");
    RegisterProperty(&SizeStartMin, "SizeStartMin");
    RegisterProperty(&SizeStartMax, "SizeStartMax");
    RegisterProperty(&SizeEndMin, "SizeEndMin");
    RegisterProperty(&SizeEndMax, "SizeEndMax");
    RegisterProperty(&Force, "Force");
}

void Pcl_SimpleBhv::Start() {
    // The order of the draws is fixed: velocity (x, y), spin, colour, size, life, rotation.
    mVelocity = gRandomManager->RandomPointInBox(VelocityMin, VelocityMax);
    mAngularVelocity = DrawInRange(AngularMin, AngularMax);
    const float colourAt = gRandomManager->UniformFloat(0.0f, 1.0f);
    mTintStart = BlendColor(TintStartMin, TintStartMax, colourAt);
    mTintEnd = BlendColor(TintEndMin, TintEndMax, colourAt);
    const float sizeAt = gRandomManager->UniformFloat(0.0f, 1.0f);
    mSizeStart = SizeStartMax * sizeAt + SizeStartMin * (1.0f - sizeAt);
    mSizeEnd = SizeEndMax * sizeAt + SizeEndMin * (1.0f - sizeAt);
    mLifespan = DrawInRange(LifespanMin, LifespanMax);
    if (Pos2d != nullptr) {
        Pos2d->Rotation = DrawInRange(RotationMin, RotationMax);
    }
    if (Sprite != nullptr) {
        mBaseSize = Sprite->Size;
    }
    Apply();
}

void Pcl_SimpleBhv::Update() {
    const float delta = CurrentFrameDelta();
    mAge += delta;
    if (Pos2d != nullptr) {
        // The position moves with the velocity of the previous update.
        Pos2d->Pos += mVelocity * delta;
        mVelocity += Force * delta;
        Pos2d->Rotation += mAngularVelocity * delta;
    }
    if (mAge >= mLifespan) {
        mAge = mLifespan;
        Owner->Destroy();
    }
    Apply();
}

void Pcl_SimpleBhv::Apply() {
    // A life of 0 (or less) is over at once: the particle shows its end state.
    const float t = mLifespan > 0.0f ? mAge / mLifespan : 1.0f;
    if (Tint != nullptr) {
        Color color = BlendColor(mTintStart, mTintEnd, t);
        float fade = 1.0f;
        if (FindFade(t, fade)) {
            color.A = static_cast<uint8_t>(color.A / 255.0f * fade * 255.0f);
        }
        Tint->Tint = color;
    }
    if (Sprite != nullptr) {
        Sprite->Size = mBaseSize * (mSizeStart * (1.0f - t) + mSizeEnd * t);
    }
}

bool Pcl_SimpleBhv::FindFade(float t, float& factor) const {
    // A fade of 0 (or less) is no fade at all, even at the very first or last instant.
    float u = 0.0f;
    if (FadeInAmount > 0.0f && FadeInAmount >= t) {
        u = t / FadeInAmount;
    } else if (FadeOutAmount > 0.0f && FadeOutAmount >= 1.0f - t) {
        u = (1.0f - t) / FadeOutAmount;
    } else {
        return false;
    }
    // Smooth start and end of the fade.
    factor = 3.0f * u * u - 2.0f * u * u * u;
    return true;
}
