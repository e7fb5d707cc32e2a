#pragma once

#include <memory>
#include <string>

#include "LevelPath.h"

class GameObject;
class PlayHarness;

// Plays a loaded level through the harness's keys and mouse, as a steady player would:
// fetches a weapon when unarmed, walks the shortest way to the exit, and aims and fires
// at the nearest insect in range on the way. Where the exit waits for the insects to
// die, it keeps its distance from them and fights; without an exit it eats pills and
// circles the arena.
class Autopilot {
public:
    explicit Autopilot(PlayHarness& play);
    ~Autopilot();

    // One pass of input then the pass itself.
    void Step();

    float FireRange = 12.0f;
    float StandRange = 12.0f;  // a visible insect this close is fought standing
    float KeepAway = 3.0f;

private:
    void Steer(Vector2 toward);
    void AimAndFire(const GameObject* target);
    // The nearest insect in range that a shot can reach.
    const GameObject* VisibleTarget() const;
    // The goal of this pass and how close counts as there.
    bool ChooseGoal(Vector2& goal, float& reach) const;

    PlayHarness& mPlay;
    std::unique_ptr<LevelPath> mPath;
    Vector2 mMeasuredGoal{1e9f, 1e9f};
    int mStandingPasses = 0;  // a fight that goes nowhere is left behind
};
