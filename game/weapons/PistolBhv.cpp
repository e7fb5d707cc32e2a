#include "game/weapons/PistolBhv.h"

#include "game/GameEffects.h"
#include "game/weapons/WeaponFiring.h"
#include "object/GameObject.h"

PistolBhv::PistolBhv() {
    RegisterProperty(&BulletOffset, "BulletOffset");
    RegisterProperty(&BulletVelocity, "BulletVelocity");
    RegisterProperty(&RepeatInterval, "RepeatInterval");
}

void PistolBhv::HandleInput() {
    GameObject* player = PlayerFiringNow(Cooldown);
    if (player == nullptr) {
        return;
    }
    const float rotation = player->GetRotation();
    LaunchShot("PistolBullet", *player, MuzzlePosition(*player, BulletOffset, rotation), rotation,
               Vector2::FromAngle(rotation) * BulletVelocity);
    PlayGameCue("PistolShot");
    SpendPlayerShot(*this);
    Cooldown = RepeatInterval;
}
