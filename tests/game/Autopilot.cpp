#include "Autopilot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "PlayHarness.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "render/Graphics.h"

namespace {

GameObject* LevelGroup(const char* name) {
    GameObject* level = gGameplayScreen != nullptr ? gGameplayScreen->Owner->FindChild("Level") : nullptr;
    return level != nullptr ? level->FindChild(name) : nullptr;
}

float Distance(Vector2 a, Vector2 b) {
    const Vector2 d = a - b;
    return std::sqrt(d.X * d.X + d.Y * d.Y);
}

// Live insects with bodies: ants, chasers and centipede cells. Sacks stay shut, since
// shooting one only lets its ants out.
bool IsTarget(const GameObject& object) {
    return !object.PendingDestroy && object.B2Body != nullptr && object.PrefabName.rfind("En_", 0) == 0 &&
           object.PrefabName != "En_AntSack";
}

template <class Visit>
void ForEachThing(const char* group, Visit visit) {
    if (const GameObject* things = LevelGroup(group)) {
        for (GameObject* thing : things->Children) {
            visit(*thing);
            for (GameObject* part : thing->Children) {
                visit(*part);
            }
        }
    }
}

GameObject* Nearest(Vector2 from, bool (*accept)(const GameObject&)) {
    GameObject* best = nullptr;
    float bestDistance = std::numeric_limits<float>::max();
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        const float d = Distance(thing.GetPos(), from);
        if (accept(thing) && d < bestDistance) {
            best = &thing;
            bestDistance = d;
        }
    });
    return best;
}

bool IsWeaponPickup(const GameObject& object) {
    return !object.PendingDestroy && (object.PrefabName == "Pkup_Pistol" || object.PrefabName == "Pkup_Shotgun");
}

bool IsPill(const GameObject& object) {
    return !object.PendingDestroy && object.PrefabName == "Pkup_Pill";
}

bool HasExit() {
    bool found = false;
    ForEachThing("Layer1", [&](GameObject& thing) { found = found || thing.PrefabName == "Exit"; });
    return found;
}

}  // namespace

Autopilot::Autopilot(PlayHarness& play) : mPlay(play) {}

Autopilot::~Autopilot() = default;

bool Autopilot::ChooseGoal(Vector2& goal, float& reach) const {
    const Vector2 at = gPlayer->Owner->GetPos();
    if (gPlayer->WeaponObject == nullptr) {
        if (const GameObject* pickup = Nearest(at, IsWeaponPickup)) {
            goal = pickup->GetPos();
            reach = 0.5f;
            return true;
        }
    }
    bool found = false;
    bool hasExit = false;
    ForEachThing("Layer1", [&](GameObject& thing) {
        hasExit = hasExit || thing.PrefabName == "Exit";
        if (thing.PrefabName == "Exit" && thing.UpdateEnabled != 0) {
            goal = thing.GetPos();
            reach = 0.5f;
            found = true;
        }
    });
    if (!hasExit) {  // the chase and survival modes: eat what pills there are
        if (const GameObject* pill = Nearest(at, IsPill)) {
            goal = pill->GetPos();
            reach = 0.5f;
            found = true;
        }
    }
    return found;
}

const GameObject* Autopilot::VisibleTarget() const {
    const Vector2 at = gPlayer->Owner->GetPos();
    const GameObject* best = nullptr;
    float bestDistance = FireRange;
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        const float d = Distance(thing.GetPos(), at);
        if (IsTarget(thing) && d < bestDistance && mPath->ClearLine(at, thing.GetPos())) {
            best = &thing;
            bestDistance = d;
        }
    });
    return best;
}

void Autopilot::Step() {
    if (gPlayer == nullptr || gGameplayScreen == nullptr) {
        mPlay.RunPass();
        return;
    }
    if (mPath == nullptr) {  // the walls never move
        mPath = std::make_unique<LevelPath>(*gGameplayScreen->Owner->FindChild("Level"), gGraphics->WorldCamera.Scale,
                                            0.7f);
    }
    const Vector2 at = gPlayer->Owner->GetPos();
    const GameObject* target = gPlayer->WeaponObject != nullptr ? VisibleTarget() : nullptr;
    const float targetDistance = target != nullptr ? Distance(target->GetPos(), at) : 1e9f;
    Vector2 goal;
    float reach = 0.0f;
    mStandingPasses = targetDistance < StandRange ? mStandingPasses + 1 : 0;
    const bool stand = mStandingPasses > 0 && mStandingPasses < 180;
    if (stand && targetDistance < KeepAway) {
        Steer(at + (at - target->GetPos()));  // back off and keep shooting
    } else if (stand) {
        Steer(at);
    } else if (ChooseGoal(goal, reach)) {
        if (Distance(goal, mMeasuredGoal) > 0.01f) {
            mPath->MeasureFrom(goal, reach);
            mMeasuredGoal = goal;
        }
        Vector2 ahead = at;
        for (int i = 0; i < 6; ++i) {
            ahead = mPath->NextStep(ahead);
        }
        Steer(mPath->DistanceAt(at) <= 0.0f ? goal : ahead);
    } else if (targetDistance < KeepAway) {
        Steer(at + (at - target->GetPos()));
    } else if (!HasExit()) {
        // Nothing to fetch in an open arena: circle its middle so the round runs.
        const float t = gGameplayScreen->LevelTime * 0.6f;
        Steer(Vector2(8.0f * std::cos(t), 5.0f * std::sin(t)));
    } else {
        Steer(at);
    }
    if (mStandingPasses > 300) {
        mStandingPasses = 0;
    }
    AimAndFire(target);
    mPlay.RunPass();
}

void Autopilot::Steer(Vector2 toward) {
    const Vector2 d = toward - gPlayer->Owner->GetPos();
    const float length = std::sqrt(d.X * d.X + d.Y * d.Y);
    mPlay.HeldKeys.erase(Key::W);
    mPlay.HeldKeys.erase(Key::A);
    mPlay.HeldKeys.erase(Key::S);
    mPlay.HeldKeys.erase(Key::D);
    if (length < 0.05f) {
        return;
    }
    // Eight directions: a key per axis that carries a fair share of the way.
    if (d.Y > 0.38f * length)
        mPlay.HeldKeys.insert(Key::W);
    if (d.Y < -0.38f * length)
        mPlay.HeldKeys.insert(Key::S);
    if (d.X > 0.38f * length)
        mPlay.HeldKeys.insert(Key::D);
    if (d.X < -0.38f * length)
        mPlay.HeldKeys.insert(Key::A);
}

void Autopilot::AimAndFire(const GameObject* target) {
    mPlay.HeldKeys.erase(Key::LeftMouse);
    if (target == nullptr) {
        return;
    }
    // Aim mode turns toward the mouse's offset from the window's centre.
    const Vector2 d = target->GetPos() - gPlayer->Owner->GetPos();
    const float length = std::max(std::sqrt(d.X * d.X + d.Y * d.Y), 0.01f);
    mPlay.Mouse = Vector2(static_cast<float>(gGraphics->Width) * 0.5f + d.X / length * 100.0f,
                          static_cast<float>(gGraphics->Height) * 0.5f - d.Y / length * 100.0f);
    mPlay.HeldKeys.insert(Key::LeftMouse);
}
