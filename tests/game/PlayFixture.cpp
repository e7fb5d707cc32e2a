#include "PlayFixture.h"

#include <box2d/box2d.h>

#include <stdexcept>

#include "fx/ParticleManagerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/SceneRoots.h"
#include "physics/B2BodyCmp.h"

GameObject* PlayFixture::SpawnPlayer(Vector2 pos, const std::string& pickup, int ammo) {
    GameObject* player = Spawn("Player", pos);
    if (!pickup.empty()) {
        GameObject* offer = Spawn(pickup, pos);
        SetProperty(offer, "Pkup_WeaponBhv", "AmmoCount", std::to_string(ammo));
        RunPass();
    }
    return player;
}

GameplayScreenBhv& PlayFixture::Screen() {
    if (gGameplayScreen == nullptr) {
        throw std::logic_error("no gameplay screen");
    }
    return *gGameplayScreen;
}

GameObject* PlayFixture::Level() {
    return gGameplayScreen != nullptr ? gGameplayScreen->Owner->FindChild("Level") : nullptr;
}

GameObject* PlayFixture::SpawnInLevel(const std::string& prefabName, Vector2 pos, float rotation) {
    auto* object = new GameObject(prefabName);
    object->SetPos(pos);
    object->SetRotation(rotation);
    Screen().AddToLevel(object);
    if (object->Parent == nullptr) {
        delete object;
        throw std::invalid_argument(prefabName + " has no place in the level");
    }
    return object;
}

std::vector<GameObject*> PlayFixture::ObjectsOf(const std::string& prefabName) const {
    std::vector<GameObject*> found;
    auto collect = [&](const GameObject& parent) {
        for (GameObject* child : parent.Children) {
            if (child->PrefabName == prefabName && !child->PendingDestroy) {
                found.push_back(child);
            }
        }
    };
    collect(*gGameplayRoot);
    if (const GameObject* level = Level()) {
        for (const GameObject* group : level->Children) {
            collect(*group);
        }
    }
    return found;
}

int PlayFixture::ParticleCount(const std::string& prefabName) const {
    int count = 0;
    for (GameObject* child : gParticleManager->Owner->Children) {
        count += child->PrefabName == prefabName ? 1 : 0;
    }
    return count;
}

Vector2 PlayFixture::VelocityOf(const GameObject* object) {
    const b2Vec2 v = object->B2Body->EnsureBody()->GetLinearVelocity();
    return Vector2(v.x, v.y);
}

void PlayFixture::SetVelocity(GameObject* object, Vector2 velocity) {
    object->B2Body->EnsureBody()->SetLinearVelocity(b2Vec2(velocity.X, velocity.Y));
}
