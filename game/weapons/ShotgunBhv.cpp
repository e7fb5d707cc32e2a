#include "game/weapons/ShotgunBhv.h"

#include "game/GameEffects.h"
#include "game/GameMath.h"
#include "game/weapons/WeaponFiring.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/RandomManager.h"
#include "render/SpriteCmp.h"

namespace {

// A uniform draw in [low, high); otherwise, without drawing, for an empty range.
float DrawInRange(float low, float high, float otherwise) {
    if (!(low < high) || gRandomManager == nullptr) {
        return otherwise;
    }
    return gRandomManager->UniformFloat(low, high);
}

}  // namespace

ShotgunBhv::ShotgunBhv() {
    RegisterProperty(&PelletOffset, "PelletOffset");
    RegisterProperty(&PelletVelocity, "PelletVelocity");
    RegisterProperty(&PelletSpread, "PelletSpread");
    RegisterProperty(&PelletCount, "PelletCount");
    RegisterProperty(&VelocityVariation, "VelocityVariation");
    RegisterProperty(&RepeatInterval, "RepeatInterval");
}

void ShotgunBhv::HandleInput() {
    GameObject* player = PlayerFiringNow(Cooldown);
    if (player == nullptr) {
        return;
    }
    const float delta = CurrentFrameDelta();
    for (int i = 0; i < PelletCount; ++i) {
        FirePellet(*player, delta);
    }
    PlayGameCue("ShotgunBlast");
    SpendPlayerShot(*this);
    Cooldown = RepeatInterval;
}

void ShotgunBhv::FirePellet(GameObject& player, float delta) {
    const float facing = player.GetRotation();
    const Vector2 position = MuzzlePosition(player, PelletOffset, facing);
    const float half = PelletSpread * 0.5f;
    const float rotation = facing + DrawInRange(-half, half, 0.0f);
    const Vector2 velocity = Vector2::FromAngle(rotation) * PelletVelocity *
                             DrawInRange(1.0f - VelocityVariation, 1.0f + VelocityVariation, 1.0f);
    GameObject* pellet = LaunchShot("ShotgunPellet", player, position, rotation, velocity);
    // Drawn as a streak 0.7 as long as the distance it covers in one pass.
    if (pellet != nullptr && pellet->Sprite != nullptr) {
        pellet->Sprite->Size.X = Length(velocity) * delta * 0.7f;
    }
}
