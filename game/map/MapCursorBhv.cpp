#include "game/map/MapCursorBhv.h"

#include <cmath>
#include <numbers>

#include "game/GameEffects.h"
#include "game/levels/SavedDataBhv.h"
#include "game/map/MapBhv.h"
#include "game/map/MapNodeCmp.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"

namespace {

// Neighbours at this angle from the pressed bearing or more are never chosen.
constexpr float ConeHalfAngle = 1.0471976f;

// Letters typed into an editor field, dialog or tool are not steps on the map; a key
// struck before a click gave a field the keyboard, or after it let go, is.
bool IsHeld(InputAction action) {
    return gInputManager->IsUnclaimedActionHeld(action);
}

Vector2 PosOf(const MapNodeCmp& node) {
    return node.Owner->GetPos();
}

// The absolute difference of two angles, folded into [0, pi].
float AngleBetween(float a, float b) {
    constexpr float pi = std::numbers::pi_v<float>;
    float wrapped = std::fmod(a - b + pi, 2.0f * pi);
    if (wrapped < 0.0f) {
        wrapped += 2.0f * pi;
    }
    return std::fabs(wrapped - pi);
}

}  // namespace

MapCursorBhv::MapCursorBhv() {
    RegisterProperty(&mMoveSpeed, "MoveSpeed");
    RegisterProperty(&mCanVisitLocked, "CanVisitLocked");
}

void MapCursorBhv::HandleInput() {
    if (mCurrent == nullptr || gInputManager == nullptr) {
        return;
    }
    Vector2 d;
    d.Y += IsHeld(InputAction::MoveUp) ? 1.0f : 0.0f;
    d.Y -= IsHeld(InputAction::MoveDown) ? 1.0f : 0.0f;
    d.X -= IsHeld(InputAction::MoveLeft) ? 1.0f : 0.0f;
    d.X += IsHeld(InputAction::MoveRight) ? 1.0f : 0.0f;
    if (mMoving || (d.X == 0.0f && d.Y == 0.0f)) {
        return;
    }
    mFrom = nullptr;
    mTo = nullptr;
    const float bearing = std::atan2(d.Y, d.X);
    if (MapNodeCmp* target = PickTarget(bearing)) {
        BeginMove(*target);
    }
    Owner->SetRotation(bearing);
}

MapNodeCmp* MapCursorBhv::PickTarget(float bearing) const {
    MapNodeCmp* target = nullptr;
    float best = 999.0f;
    const Vector2 here = PosOf(*mCurrent);
    for (MapNodeCmp* neighbour : mCurrent->Neighbours) {
        if (neighbour->IsLocked && !mCanVisitLocked) {
            continue;
        }
        // A hidden icon (a ring place beyond the last level) stays linked but is no place
        // to stand, even for a cursor that may read locked ones.
        if (!neighbour->Owner->DrawEnabled) {
            continue;
        }
        const Vector2 there = PosOf(*neighbour);
        const float diff = AngleBetween(bearing, std::atan2(there.Y - here.Y, there.X - here.X));
        if (diff < ConeHalfAngle && diff < best) {
            best = diff;
            target = neighbour;
        }
    }
    return target;
}

void MapCursorBhv::BeginMove(MapNodeCmp& target) {
    mFrom = mCurrent;
    mTo = &target;
    const Vector2 from = PosOf(*mFrom);
    const Vector2 to = PosOf(*mTo);
    const float distance = std::hypot(to.X - from.X, to.Y - from.Y);
    mRate = mMoveSpeed / distance;
    mProgress = 0.0f;
    mMoving = true;
    // A node on top of this one or a cursor without speed would glide for ever, deaf
    // to the keys: it arrives at once instead.
    if (!std::isfinite(mRate) || mRate <= 0.0f) {
        mProgress = 1.0f;
        mMoving = false;
        if (mCurrent != mTo) {
            mCurrent = mTo;
            PlayGameCue("LevelSelect");
        }
    }
}

void MapCursorBhv::Update() {
    if (mMap == nullptr) {
        FindMap();
        if (mMap == nullptr) {
            return;
        }
    }
    if (mCurrent == nullptr) {
        FindStartNode();
    }
    if (mCurrent == nullptr) {
        return;
    }
    if (mMoving) {
        Glide();
    } else {
        Owner->SetPos(PosOf(*mCurrent));
    }
    for (MapNodeCmp* node : mMap->Nodes) {
        node->IsCurrent = node == mCurrent;
    }
}

void MapCursorBhv::Glide() {
    mProgress += mRate * CurrentFrameDelta();
    MapNodeCmp* const now = mProgress >= 0.5f ? mTo : mFrom;
    if (now != mCurrent) {
        mCurrent = now;
        PlayGameCue("LevelSelect");
    }
    if (mProgress > 1.0f) {
        mProgress = 1.0f;
        mMoving = false;
    } else if (mProgress < 0.0f) {
        mProgress = 0.0f;
        mMoving = false;
    }
    const Vector2 from = PosOf(*mFrom);
    const Vector2 to = PosOf(*mTo);
    Owner->SetPos(Vector2(from.X + (to.X - from.X) * mProgress, from.Y + (to.Y - from.Y) * mProgress));
}

void MapCursorBhv::FindMap() {
    for (GameObject* object = Owner; object != nullptr && mMap == nullptr; object = object->Parent) {
        mMap = object->GetComponent<MapBhv>();
    }
}

void MapCursorBhv::FindStartNode() {
    if (mMap->Nodes.empty()) {
        return;
    }
    mCurrent = mMap->Nodes.front();
    for (MapNodeCmp* node : mMap->Nodes) {
        if (node->LevelObjectName == gCurrentLevelName) {
            mCurrent = node;
            return;
        }
    }
}
