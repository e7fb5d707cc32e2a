#include "game/enemies/Spawning.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/GameMath.h"
#include "game/enemies/SpawnCloudBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "physics/B2BodyCmp.h"
#include "physics/B2OverlapQuery.h"
#include "physics/PhysicsWorld.h"
#include "platform/DebugPrint.h"
#include "render/Graphics.h"

namespace {

// Enough that a view with any usable room yields a point; few enough that a view with
// none costs nothing noticeable.
constexpr int kMaxAttempts = 64;
// No spawning within this angle of a moving player's heading.
constexpr float kAheadAngle = 3.14159265f / 16.0f;
// Room kept free around a spawn point: a little more than the widest thing spawned
// (an ant sack, 0.85 across its radius).
constexpr float kSpawnRoom = 1.0f;

Vector2 PlayerVelocity(const PlayerBhv& player) {
    if (player.Owner->B2Body == nullptr) {
        return Vector2();
    }
    const b2Vec2 v = player.Owner->B2Body->EnsureBody()->GetLinearVelocity();
    return Vector2(v.x, v.y);
}

bool IsAcceptable(Vector2 p, float avoidRadius) {
    if (gPlayer == nullptr) {
        return true;
    }
    const Vector2 fromPlayer = p - gPlayer->Owner->GetPos();
    if (Length(fromPlayer) < avoidRadius) {
        return false;
    }
    const Vector2 velocity = PlayerVelocity(*gPlayer);
    if (velocity.X == 0.0f && velocity.Y == 0.0f) {
        return true;
    }
    const float heading = std::atan2(velocity.Y, velocity.X);
    const float toPoint = std::atan2(fromPlayer.Y, fromPlayer.X);
    return std::fabs(WrapAngle(toPoint - heading)) > kAheadAngle;
}

// A cloud has no body until its enemy comes: it keeps the room that enemy will need.
std::vector<Vector2> FindWaitingClouds() {
    std::vector<Vector2> clouds;
    const GameObject* level = gGameplayScreen != nullptr ? gGameplayScreen->Owner->FindChild("Level") : nullptr;
    if (level == nullptr) {
        return clouds;
    }
    for (const GameObject* group : level->Children) {
        for (const GameObject* thing : group->Children) {
            if (!thing->PendingDestroy && thing->GetComponent<SpawnCloudBhv>() != nullptr) {
                clouds.push_back(thing->GetPos());
            }
        }
    }
    return clouds;
}

// Walls, pick-ups, sacks and enemies all have fixtures: nothing appears on any of them.
bool HasRoom(Vector2 p, const std::vector<Vector2>& clouds) {
    if (gPhysicsWorld != nullptr && DiscOverlapsAnyFixture(*gPhysicsWorld, p, kSpawnRoom)) {
        return false;
    }
    return std::none_of(clouds.begin(), clouds.end(),
                        [p](Vector2 cloud) { return Length(cloud - p) < 2.0f * kSpawnRoom; });
}

}  // namespace

std::optional<Vector2> PickSpawnPosition(float borderMargin, float avoidRadius) {
    if (gGraphics == nullptr || gRandomManager == nullptr) {
        return std::nullopt;
    }
    const Camera2d& camera = gGraphics->WorldCamera;
    const Vector2 margin(borderMargin, borderMargin);
    const Vector2 min = camera.Position - camera.Scale * 0.5f + margin;
    const Vector2 max = camera.Position + camera.Scale * 0.5f - margin;
    if (!(min.X < max.X && min.Y < max.Y)) {
        return std::nullopt;
    }
    const std::vector<Vector2> clouds = FindWaitingClouds();
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const Vector2 p = gRandomManager->RandomPointInBox(min, max);
        if (IsAcceptable(p, avoidRadius) && HasRoom(p, clouds)) {
            return p;
        }
    }
    return std::nullopt;
}

bool SpawnIntoLevel(const std::string& prefabName, Vector2 pos, const std::function<void(GameObject&)>& prepare) {
    if (gGameplayScreen == nullptr || gPrefabManager == nullptr) {
        return false;
    }
    if (gPrefabManager->FindPrefab(prefabName) == nullptr) {
        DebugPrint(("Spawner: there is no prefab \"" + prefabName + "\"; nothing spawned\n").c_str());
        return false;
    }
    auto* object = new GameObject(prefabName);
    object->SetPos(pos);
    if (prepare) {
        prepare(*object);
    }
    // The screen deletes what has no place in the level, so the object is not ours now.
    gGameplayScreen->AddToLevel(object);
    return true;
}

CoCommand StepAtRate(int step, float perSecond, float recheckSeconds, const std::function<void()>& act) {
    enum { CheckRate, Recheck, Wait, Act };
    switch (step) {
        case CheckRate: return perSecond > 0.0f ? CoGoTo(Wait) : CoWaitSeconds(recheckSeconds);
        case Recheck: return CoRestart();
        case Wait: return CoWaitSeconds(1.0f / perSecond);
        default: act(); return CoRestart();
    }
}

bool IsRoundActive() {
    return gGameplayScreen != nullptr && gGameplayScreen->RoundActive;
}
