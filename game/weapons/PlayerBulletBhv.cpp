#include "game/weapons/PlayerBulletBhv.h"

#include <box2d/box2d.h>

#include "game/GameEffects.h"
#include "game/enemies/EnemyCmp.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/RandomManager.h"
#include "physics/B2CollisionGroups.h"
#include "physics/B2FixtureCmp.h"

PlayerBulletBhv::PlayerBulletBhv() {
    RegisterProperty(&DamageAmount, "DamageAmount");
    RegisterProperty(&ParticleOdds, "ParticleOdds");
    RegisterProperty(&MaxAliveTime, "MaxAliveTime");
}

void PlayerBulletBhv::Start() {
    if (B2FixtureCmp* fixture = Owner->GetComponent<B2FixtureCmp>()) {
        fixture->OnPreSolve = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
        fixture->SetCollisionGroup(CollisionGroupPlayer);
    }
}

void PlayerBulletBhv::Update() {
    Age += CurrentFrameDelta();
    if (Age >= MaxAliveTime) {
        Owner->Destroy();
    }
}

void PlayerBulletBhv::OnContact(b2Contact* contact, b2Fixture* other) {
    if (Hit) {
        contact->SetEnabled(false);
        return;
    }
    auto* otherFixture = reinterpret_cast<B2FixtureCmp*>(other->GetUserData().pointer);
    EnemyCmp* enemy = otherFixture != nullptr && otherFixture->Owner != nullptr
                          ? otherFixture->Owner->GetComponent<EnemyCmp>()
                          : nullptr;
    if (enemy != nullptr && enemy->OnDamage) {
        if (enemy->Health <= 0) {
            // Dead and waiting for the end of the pass: the bullet flies through.
            contact->SetEnabled(false);
            return;
        }
        EnemyDamageInfo info{DamageAmount, otherFixture};
        enemy->OnDamage(&info);
    } else if (RollWallEffects()) {
        PlayGameCue("BulletWallHit");
        SpawnGameParticle("Pcl_WallPebbles", Owner->GetPos());
    }
    // The contact stays enabled: the bullet's body still resolves this collision.
    Hit = true;
    Owner->Destroy();
}

bool PlayerBulletBhv::RollWallEffects() const {
    if (ParticleOdds == 1.0f) {
        return true;
    }
    if (ParticleOdds == 0.0f || gRandomManager == nullptr) {
        return false;
    }
    const uint32_t draw = gRandomManager->Engine()();
    return static_cast<double>(draw) <= static_cast<double>(ParticleOdds) * 4294967295.0;
}
