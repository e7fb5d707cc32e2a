#include "Autopilot.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "PhysicsTestSupport.h"
#include "PlayHarness.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "physics/B2BodyCmp.h"
#include "render/Graphics.h"

namespace {

constexpr float kBlockedCost = 1000.0f;
constexpr float kSafeDistance = 2.0f;  // centre to centre, with room to spare
constexpr float kBulletSpeed = 30.0f;

GameObject* LevelGroup(const char* name) {
    GameObject* level = gGameplayScreen != nullptr ? gGameplayScreen->Owner->FindChild("Level") : nullptr;
    return level != nullptr ? level->FindChild(name) : nullptr;
}

float Length(Vector2 v) {
    return std::sqrt(v.X * v.X + v.Y * v.Y);
}

float Distance(Vector2 a, Vector2 b) {
    return Length(a - b);
}

// Live insects with bodies: ants, chasers and centipede cells. Sacks stay shut, since
// shooting one only lets its ants out.
bool IsTarget(const GameObject& object) {
    return !object.PendingDestroy && object.B2Body != nullptr && object.PrefabName.rfind("En_", 0) == 0 &&
           object.PrefabName != "En_AntSack";
}

Vector2 VelocityOf(const GameObject& object) {
    const b2Vec2 v = object.B2Body->EnsureBody()->GetLinearVelocity();
    return Vector2(v.x, v.y);
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

template <class Accept>
GameObject* Nearest(Vector2 from, Accept accept) {
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

bool IsIntactSack(const GameObject& object) {
    return !object.PendingDestroy && object.PrefabName == "En_AntSack";
}

// Whether a shot that misses would fly on into a sack and let its ants out.
bool SackInLine(const LevelPath& walls, Vector2 from, Vector2 to) {
    const Vector2 d = to - from;
    const float length = std::max(Length(d), 0.01f);
    const Vector2 direction = d * (1.0f / length);
    const float run = walls.FreeRun(from, direction, 30.0f);
    bool blocked = false;
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        if (!IsIntactSack(thing)) {
            return;
        }
        const Vector2 p = thing.GetPos() - from;
        const float along = std::clamp(p.X * direction.X + p.Y * direction.Y, 0.0f, run);
        blocked = blocked || Distance(from + direction * along, thing.GetPos()) < 1.8f;
    });
    return blocked;
}

// The farthest sack worth a shot from there that a bullet reaches without passing
// another; null when none.
template <class Worth>
const GameObject* FarthestInSight(const LevelPath& walls, Vector2 at, Worth worth) {
    const GameObject* best = nullptr;
    ForEachThing("Layer2Mut", [&](GameObject& sack) {
        if (!worth(sack) || !walls.ClearLine(at, sack.GetPos())) {
            return;
        }
        bool shielded = false;
        const Vector2 d = sack.GetPos() - at;
        const float length = Length(d);
        ForEachThing("Layer2Mut", [&](GameObject& other) {
            const Vector2 p = other.GetPos() - at;
            const float along = (p.X * d.X + p.Y * d.Y) / length;
            shielded = shielded || (&other != &sack && IsIntactSack(other) && along > 0.0f && along < length &&
                                    Distance(at + d * (along / length), other.GetPos()) < 1.3f);
        });
        if (!shielded && (best == nullptr || length > Distance(best->GetPos(), at))) {
            best = &sack;
        }
    });
    return best;
}

bool AntInLine(Vector2 from, Vector2 to) {
    const Vector2 d = to - from;
    const float length = std::max(Length(d), 0.01f);
    bool blocked = false;
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        if (blocked || thing.PrefabName != "En_Ant" || thing.PendingDestroy) {
            return;
        }
        const Vector2 p = thing.GetPos() - from;
        const float along = (p.X * d.X + p.Y * d.Y) / length;
        blocked = along > 0.0f && along < length - 1.0f && Distance(from + d * (along / length), thing.GetPos()) < 0.9f;
    });
    return blocked;
}

bool IsWeaponPickup(const GameObject& object) {
    return !object.PendingDestroy && (object.PrefabName == "Pkup_Pistol" || object.PrefabName == "Pkup_Shotgun");
}

bool IsChaser(const GameObject& object) {
    return !object.PendingDestroy && object.PrefabName == "En_Chaser";
}

bool IsPill(const GameObject& object) {
    return !object.PendingDestroy && object.PrefabName == "Pkup_Pill";
}

// The exit when there is one; it takes the player only while it updates.
const GameObject* FindExit() {
    const GameObject* exit = nullptr;
    ForEachThing("Layer1", [&](GameObject& thing) { exit = thing.PrefabName == "Exit" ? &thing : exit; });
    return exit;
}

}  // namespace

Autopilot::Autopilot(PlayHarness& play) : mPlay(play) {}

Autopilot::~Autopilot() = default;

bool Autopilot::FreeingAnts() {
    return gCurrentLevelName == "Lvl_Bonus1";
}

bool Autopilot::StillFreeing() const {
    // Done once every sack has been shot at and the last ants are out, or once the goal
    // is passed with room to spare.
    if (!FreeingAnts() || mLeaving ||
        (gSavedData != nullptr && gGameplayScreen->CountAnts() >= gSavedData->AntsToFree + 40)) {
        return false;
    }
    const GameObject* unshot = Nearest(Vector2(0.0f, 0.0f), [&](const GameObject& sack) {
        return IsIntactSack(sack) && mShotSacks.count(&sack) == 0;
    });
    return unshot != nullptr || gGameplayScreen->LevelTime < mLastRelease;
}

Vector2 Autopilot::Motion(const GameObject& insect) const {
    const auto seen = mLastSeen.find(&insect);
    return seen != mLastSeen.end() ? (insect.GetPos() - seen->second) * (1.0f / PlayHarness::FrameDelta)
                                   : VelocityOf(insect);
}

Vector2 Autopilot::LeadPoint(const GameObject& insect) const {
    const float flight = Distance(insect.GetPos(), gPlayer->Owner->GetPos()) / kBulletSpeed;
    return insect.GetPos() + Motion(insect) * flight;
}

void Autopilot::RememberPositions() {
    mLastSeen.clear();
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        if (IsTarget(thing)) {
            mLastSeen[&thing] = thing.GetPos();
        }
    });
}

std::vector<LevelPath::KeepOut> Autopilot::KeepOuts() const {
    std::vector<LevelPath::KeepOut> keepOut;
    // Armed, a pick-up of the other weapon would only swap what is held for fewer shots.
    if (gPlayer->WeaponObject != nullptr) {
        ForEachThing("Layer2Mut", [&](GameObject& thing) {
            if (IsWeaponPickup(thing) &&
                (thing.PrefabName == "Pkup_Pistol") != (gPlayer->Weapon == WeaponType::Pistol)) {
                keepOut.push_back({thing.GetPos(), 1.6f});
            }
        });
    }
    // Nor is the exit stepped into while sacks wait to be burst.
    const GameObject* exit = FindExit();
    if (exit != nullptr && StillFreeing()) {
        keepOut.push_back({exit->GetPos(), 1.9f});
    }
    return keepOut;
}

bool Autopilot::ChooseGoal(Vector2& goal, float& reach) const {
    const Vector2 at = gPlayer->Owner->GetPos();
    const bool armed = gPlayer->WeaponObject != nullptr;
    // Unarmed, or a last few shots with more of the same lying about: fetch them.
    const GameObject* pickup = Nearest(at, [&](const GameObject& thing) {
        if (!IsWeaponPickup(thing)) {
            return false;
        }
        return !armed || (gPlayer->AmmoCount < 4 &&
                          (thing.PrefabName == "Pkup_Pistol") == (gPlayer->Weapon == WeaponType::Pistol));
    });
    if (pickup != nullptr) {
        goal = pickup->GetPos();
        reach = 0.5f;
        return true;
    }
    // Freeing the ants: every sack is burst from beside the exit, the farthest first,
    // so that the ants are still out when the player steps in.
    if (StillFreeing()) {
        goal = mSackStand;
        reach = 0.3f;
        return true;
    }
    const GameObject* exit = FindExit();
    if (exit != nullptr && exit->UpdateEnabled != 0) {
        goal = exit->GetPos();
        reach = 0.5f;
        return true;
    }
    if (exit != nullptr) {  // the exit waits for the insects: go and find them
        if (const GameObject* insect = Nearest(at, IsTarget)) {
            goal = insect->GetPos();
            reach = HuntRange;
            return true;
        }
        return false;
    }
    if (ChasingPills()) {
        return ChooseChaseGoal(goal, reach);
    }
    if (const GameObject* pill = Nearest(at, IsPill)) {  // the survival mode
        goal = pill->GetPos();
        reach = 0.5f;
        return true;
    }
    return false;
}

bool Autopilot::ChasingPills() {
    return gCurrentLevelName == "Lvl_Bonus2";
}

float Autopilot::PillTimeLeft() const {
    return gGameplayScreen->PillMode != 0 ? mPillModeTime - (gGameplayScreen->LevelTime - mPillTakenAt) : 0.0f;
}

bool Autopilot::ChooseChaseGoal(Vector2& goal, float& reach) const {
    // Points come only from chasers eaten in one unbroken run of pills: a pill is taken
    // once there is a chaser to eat and again just before the last one wears off.
    const Vector2 at = gPlayer->Owner->GetPos();
    const float now = gGameplayScreen->LevelTime;
    const auto reachable = [&](const GameObject& thing) {
        const auto failed = mUnreachable.find(&thing);
        return failed == mUnreachable.end() || now > failed->second + 2.0f;
    };
    const GameObject* chaser = Nearest(at, [&](const GameObject& t) { return IsChaser(t) && reachable(t); });
    const GameObject* pill = Nearest(at, [&](const GameObject& t) { return IsPill(t) && reachable(t); });
    // Time to walk to the pill round the walls, and a margin.
    const float fetchTime =
        pill != nullptr ? Distance(pill->GetPos(), at) * 1.4f / gPlayer->SpeedMax + PillRenewTime : 0.0f;
    const GameObject* chosen = PillTimeLeft() > fetchTime ? chaser : (chaser != nullptr ? pill : nullptr);
    if (chosen == nullptr && gGameplayScreen->PillMode != 0) {
        chosen = chaser;
    }
    if (chosen == nullptr) {
        return false;
    }
    goal = chosen->GetPos();
    reach = 1.0f;  // a touch is enough, and a chaser against a wall is still in reach
    return true;
}

void Autopilot::NotePillsTaken() {
    // Pills lie until the player takes them: one gone since the last pass was eaten.
    std::vector<const GameObject*> pills;
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        if (IsPill(thing)) {
            pills.push_back(&thing);
        }
    });
    for (const GameObject* pill : mPills) {
        if (std::find(pills.begin(), pills.end(), pill) == pills.end()) {
            mPillTakenAt = gGameplayScreen->LevelTime;
        }
    }
    mPills = std::move(pills);
}

float Autopilot::Danger(Vector2 at, Vector2 velocity) const {
    if (ChasingPills() && PillTimeLeft() > 0.5f) {
        return 0.0f;  // everything flees and is eaten on touch
    }
    // Where the run takes us over the next moment; a wall stops it, so fleeing into a
    // corner counts for what it is.
    Vector2 path[9];
    Vector2 free = at;
    for (int k = 0; k <= 8; ++k) {
        const Vector2 next = at + velocity * (0.08f * static_cast<float>(k));
        free = mPath->IsBlocked(next) ? free : next;
        path[k] = free;
    }
    float danger = 0.0f;
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        if (!IsTarget(thing) || Distance(thing.GetPos(), at) > 8.0f) {
            return;
        }
        const Vector2 pos = thing.GetPos();
        const Vector2 v = Motion(thing);
        for (int k = 0; k <= 8; ++k) {
            const float t = 0.08f * static_cast<float>(k);
            const float d = Distance(path[k], pos + v * t);
            if (d < kSafeDistance) {
                danger += (kSafeDistance - d) / (t + 0.25f);
            }
        }
    });
    return danger;
}

Vector2 Autopilot::ChooseMove(bool hasGoal) const {
    const Vector2 at = gPlayer->Owner->GetPos();
    // Without a goal in an open arena: circle its middle so the round runs.
    const float t = gGameplayScreen->LevelTime * 0.6f;
    const Vector2 roam(8.0f * std::cos(t), 5.0f * std::sin(t));
    const bool roaming = !hasGoal && FindExit() == nullptr && !ChasingPills();
    const auto cost = [&](Vector2 pos) {
        if (mPath->IsBlocked(pos)) {
            return kBlockedCost;
        }
        if (roaming) {
            return Distance(pos, roam);
        }
        const float d = hasGoal ? mPath->DistanceAt(pos) : 0.0f;
        return d < 0.0f ? kBlockedCost : d;
    };
    const float here = cost(at);
    Vector2 best(0.0f, 0.0f);
    float bestScore = Danger(at, best) + (hasGoal || roaming ? 0.3f : 0.0f);
    for (int i = 0; i < 8; ++i) {
        const float angle = static_cast<float>(i) * 0.785398163f;
        const Vector2 direction(std::cos(angle), std::sin(angle));
        const float progress = cost(at + direction * 0.4f) - here;
        const float score = 4.0f * progress + Danger(at, direction * gPlayer->SpeedMax);
        if (score < bestScore) {
            best = direction;
            bestScore = score;
        }
    }
    return best;
}

const GameObject* Autopilot::ChooseTarget() const {
    if (gPlayer->WeaponObject == nullptr || (ChasingPills() && gGameplayScreen->PillMode != 0)) {
        return nullptr;
    }
    const Vector2 at = gPlayer->Owner->GetPos();
    const float range = gPlayer->Weapon == WeaponType::Shotgun ? ShotgunRange : FireRange;
    const GameObject* best = nullptr;
    float bestScore = std::numeric_limits<float>::max();
    const bool freeing = FreeingAnts();
    ForEachThing("Layer2Mut", [&](GameObject& thing) {
        const Vector2 offset = thing.GetPos() - at;
        const float d = Length(offset);
        // Freed ants are spared unless they come too close.
        if (!IsTarget(thing) || d > (freeing ? KeepAway : range) || !mPath->ClearLine(at, thing.GetPos()) ||
            SackInLine(*mPath, at, LeadPoint(thing))) {
            return;
        }
        // What comes at us first matters most. A fast one is only worth a shot close up,
        // where its turns cannot take it off the line before the bullet arrives.
        const Vector2 v = Motion(thing);
        if (Length(v) > FastInsect && d > CloseRange) {
            return;
        }
        const float closing = -(offset.X * v.X + offset.Y * v.Y) / std::max(d, 0.01f);
        if (freeing && closing < 2.0f) {
            return;  // a freed ant passing by is left alone
        }
        const float score = d - 0.5f * std::max(closing, 0.0f);
        if (score < bestScore) {
            best = &thing;
            bestScore = score;
        }
    });
    // At the stand, sacks come next to ants about to reach us.
    if (best == nullptr && freeing && Distance(at, mSackStand) < 2.0f) {
        best = SackToBurst();
    }
    return best;
}

const GameObject* Autopilot::SackToBurst() const {
    // A burst sack lingers a moment after its ants are out; one still there after that
    // was missed. Freed ants on the way would take the shot; when they are everywhere, a
    // shot through them is better than none.
    const Vector2 at = gPlayer->Owner->GetPos();
    const auto waiting = [&](const GameObject& sack) {
        const auto shot = mShotSacks.find(&sack);
        return IsIntactSack(sack) && (shot == mShotSacks.end() || gGameplayScreen->LevelTime >= shot->second + 0.4f);
    };
    const GameObject* clear = FarthestInSight(
        *mPath, at, [&](const GameObject& sack) { return waiting(sack) && !AntInLine(at, sack.GetPos()); });
    return clear != nullptr ? clear : FarthestInSight(*mPath, at, waiting);
}

float Autopilot::RoomAt(Vector2 spot) const {
    float room = std::numeric_limits<float>::max();
    ForEachThing("Layer2Mut", [&](GameObject& sack) {
        room = IsIntactSack(sack) ? std::min(room, Distance(sack.GetPos(), spot)) : room;
    });
    return mPath->IsBlocked(spot) ? -1.0f : room;
}

Vector2 Autopilot::FindSackStand() const {
    const GameObject* exit = FindExit();
    if (exit == nullptr) {
        return gPlayer->Owner->GetPos();
    }
    Vector2 best = exit->GetPos();
    float bestRoom = -1.0f;
    for (int i = 0; i < 32; ++i) {
        const float angle = static_cast<float>(i) * 0.19634954f;
        const Vector2 spot = exit->GetPos() + Vector2(std::cos(angle), std::sin(angle)) * 2.3f;
        const float room = RoomAt(spot);
        if (room > bestRoom) {
            best = spot;
            bestRoom = room;
        }
    }
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
        mSackStand = FindSackStand();
        mPillModeTime = std::stof(PropertyText(*gGameplayScreen, "PillModeTime"));
    }
    NotePillsTaken();
    Vector2 goal;
    float reach = 0.0f;
    const bool hasGoal = ChooseGoal(goal, reach);
    // A running chaser is followed closely enough without measuring every pass.
    const float moved = reach > 1.0f || ChasingPills() ? 0.5f : 0.01f;
    if (hasGoal && Distance(goal, mMeasuredGoal) > moved) {
        mPath->MeasureFrom(goal, reach, KeepOuts());
        mMeasuredGoal = goal;
        // A chaser pushed into a wall cannot be got at for now: try another.
        if (ChasingPills() && mPath->DistanceAt(gPlayer->Owner->GetPos()) < 0.0f) {
            if (const GameObject* stuck = Nearest(goal, [](const GameObject& t) { return IsChaser(t) || IsPill(t); })) {
                mUnreachable[stuck] = gGameplayScreen->LevelTime;
            }
            mMeasuredGoal = Vector2(1e9f, 1e9f);
        }
    }
    if (FreeingAnts() && !mLeaving && Distance(gPlayer->Owner->GetPos(), mSackStand) < 1.0f) {
        // Ants closing in on the stand: leave with what is out once that is enough.
        const GameObject* ant = Nearest(gPlayer->Owner->GetPos(), IsTarget);
        mLeaving = ant != nullptr && Distance(ant->GetPos(), gPlayer->Owner->GetPos()) < LeaveRange &&
                   gSavedData != nullptr && gGameplayScreen->CountAnts() >= gSavedData->AntsToFree;
    }
    Steer(ChooseMove(hasGoal));
    const GameObject* target = ChooseTarget();
    AimAndFire(target);
    RememberPositions();
    const int ammo = gPlayer->AmmoCount;
    const bool atSack = target != nullptr && IsIntactSack(*target);
    // A sack counts as shot only once a bullet has left for it: when its ants will be out.
    const float release =
        atSack ? gGameplayScreen->LevelTime + Distance(target->GetPos(), gPlayer->Owner->GetPos()) / kBulletSpeed + 0.3f
               : 0.0f;
    mPlay.RunPass();
    if (atSack && gPlayer != nullptr && gPlayer->AmmoCount < ammo) {
        mShotSacks[target] = release;
        mLastRelease = std::max(mLastRelease, release);
    }
}

void Autopilot::Steer(Vector2 direction) {
    mPlay.HeldKeys.erase(Key::W);
    mPlay.HeldKeys.erase(Key::A);
    mPlay.HeldKeys.erase(Key::S);
    mPlay.HeldKeys.erase(Key::D);
    if (direction.Y > 0.38f)
        mPlay.HeldKeys.insert(Key::W);
    if (direction.Y < -0.38f)
        mPlay.HeldKeys.insert(Key::S);
    if (direction.X > 0.38f)
        mPlay.HeldKeys.insert(Key::D);
    if (direction.X < -0.38f)
        mPlay.HeldKeys.insert(Key::A);
}

void Autopilot::AimAndFire(const GameObject* target) {
    mPlay.HeldKeys.erase(Key::LeftMouse);
    if (target == nullptr) {
        return;
    }
    // Lead the shot by where the insect will be when the bullet gets there.
    const Vector2 aim = LeadPoint(*target);
    if (gAimManager != nullptr && gAimManager->UseRelativeMode) {
        // Relative aim turns toward the mouse's offset from the window's centre.
        const Vector2 d = aim - gPlayer->Owner->GetPos();
        const float length = std::max(Length(d), 0.01f);
        mPlay.Mouse = Vector2(static_cast<float>(gGraphics->Width) * 0.5f + d.X / length * 100.0f,
                              static_cast<float>(gGraphics->Height) * 0.5f - d.Y / length * 100.0f);
    } else {
        // Absolute aim turns toward the mouse's world point: put the mouse over the aim,
        // inverting the camera's screen-to-world mapping.
        const Camera2d& camera = gGraphics->WorldCamera;
        const Vector2 origin = camera.ScreenToWorld(Vector2(0.0f, 0.0f));
        const Vector2 across = camera.ScreenToWorld(Vector2(1.0f, 0.0f)) - origin;
        const Vector2 down = camera.ScreenToWorld(Vector2(0.0f, 1.0f)) - origin;
        const Vector2 w = aim - origin;
        const float det = across.X * down.Y - across.Y * down.X;
        mPlay.Mouse = Vector2((w.X * down.Y - w.Y * down.X) / det, (across.X * w.Y - across.Y * w.X) / det);
    }
    // The aim follows the mouse a pass late: a sack is only fired at once the aim is on it,
    // or the shot flies on toward the last one.
    const Vector2 d = aim - gPlayer->Owner->GetPos();
    const float off = gAimManager != nullptr ? std::abs(d.X * gAimManager->Aim.Y - d.Y * gAimManager->Aim.X) : 0.0f;
    if (!IsIntactSack(*target) || off < 0.3f) {
        mPlay.HeldKeys.insert(Key::LeftMouse);
    }
}
