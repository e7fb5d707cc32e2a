#pragma once

#include "object/Behavior.h"
#include "object/Color.h"
#include "object/Vector2.h"

// One particle: draws its velocity, spin, colour and size ramps and lifespan from the
// ranges when it starts, then moves, spins, fades and scales over its life and
// destroys its object at the end. Works on the object's Pos2dCmp, TintCmp and SpriteCmp,
// whichever it has.
class Pcl_SimpleBhv : public Behavior {
public:
    Pcl_SimpleBhv();

    void Start() override;
    void Update() override;

private:
    // Colour and size at the current age.
    void Apply();
    // Whether life fraction t lies in a fade, and then the alpha factor (0 to 1).
    bool FindFade(float t, float& factor) const;

    // Settings: ranges the particle's state is drawn from.
    Vector2 VelocityMin, VelocityMax;              // world units per second
    float RotationMin = 0.0f, RotationMax = 0.0f;  // radians
    float AngularMin = 0.0f, AngularMax = 0.0f;    // radians per second
    float LifespanMin = 1.0f, LifespanMax = 1.0f;  // seconds
    // Fractions of the life over which alpha rises from 0 and falls back to 0.
    float FadeInAmount = 0.25f, FadeOutAmount = 0.25f;
    Color TintStartMin{255, 255, 255, 255}, TintStartMax{255, 255, 255, 255};
    Color TintEndMin{255, 255, 255, 255}, TintEndMax{255, 255, 255, 255};
    float SizeStartMin = 1.0f, SizeStartMax = 1.0f;
    float SizeEndMin = 1.0f, SizeEndMax = 1.0f;
    Vector2 Force;  // world units per second squared

    // State drawn or kept per particle.
    Vector2 mVelocity;
    float mAngularVelocity = 0.0f;
    Color mTintStart, mTintEnd;
    float mSizeStart = 1.0f, mSizeEnd = 1.0f;
    float mLifespan = 1.0f;
    Vector2 mBaseSize{1.0f, 1.0f};  // the sprite's size in the prefab
    float mAge = 0.0f;
};
