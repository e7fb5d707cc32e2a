#include "game/weapons/WeaponFiring.h"

#include <box2d/box2d.h>

#include "game/GameEffects.h"
#include "game/player/PlayerBhv.h"
#include "input/InputManager.h"
#include "object/EditorLink.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "physics/B2BodyCmp.h"

void CountDownCooldown(float& cooldown) {
    if (cooldown <= 0.0f) {
        cooldown = 0.0f;
    } else {
        cooldown -= CurrentFrameDelta();
    }
}

bool EditorHoldsInput() {
    return gEditorFlags != nullptr && (gEditorFlags->MouseOverPalette != 0 || gEditorFlags->KeyboardCaptured != 0);
}

GameObject* PlayerFiringNow(float& cooldown) {
    CountDownCooldown(cooldown);
    if (EditorHoldsInput() || gInputManager == nullptr ||
        !gInputManager->IsActionInKeySet(InputAction::Fire, gInputManager->KeysDown) || cooldown > 0.0f) {
        return nullptr;
    }
    return FindFiringPlayer();
}

GameObject* FindFiringPlayer() {
    if (gPlayer == nullptr || gPlayer->Owner == nullptr || gPlayer->Owner->Parent == nullptr) {
        return nullptr;
    }
    return gPlayer->Owner;
}

Vector2 MuzzlePosition(const GameObject& player, Vector2 offset, float facing) {
    return player.GetPos() + Vector2::Rotate(offset, facing);
}

GameObject* LaunchShot(const std::string& prefabName, GameObject& player, Vector2 position, float rotation,
                       Vector2 velocity) {
    GameObject* shot = BuildChildFromPrefab(prefabName, *player.Parent);
    if (shot == nullptr) {
        return nullptr;
    }
    shot->SetPos(position);
    shot->SetRotation(rotation);
    SetObjectVelocity(*shot, velocity);
    return shot;
}

void SetObjectVelocity(GameObject& object, Vector2 velocity) {
    if (object.B2Body != nullptr) {
        object.B2Body->EnsureBody()->SetLinearVelocity(b2Vec2(velocity.X, velocity.Y));
    }
}

void SpendPlayerShot(Behavior& weapon) {
    gPlayer->AmmoCount -= 1;
    if (gPlayer->AmmoCount < 1) {
        weapon.Owner->Destroy();
        if (gPlayer->WeaponObject == weapon.Owner) {
            gPlayer->WeaponObject = nullptr;
        }
    }
}
