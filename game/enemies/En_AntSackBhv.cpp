#include "game/enemies/En_AntSackBhv.h"

#include <box2d/box2d.h>

#include "game/GameEffects.h"
#include "game/enemies/EnemyCmp.h"
#include "game/enemies/InsectMotion.h"
#include "game/player/PlayerBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/RandomManager.h"
#include "object/TweensBhv.h"
#include "physics/B2FixtureCmp.h"
#include "render/SpriteCmp.h"

namespace {

const char* const kAntPrefab = "En_Ant";

}  // namespace

En_AntSackBhv::En_AntSackBhv() {
    RegisterProperty(&AntCount, "AntCount");
    RegisterProperty(&AntDistance, "AntDistance");
    RegisterProperty(&SackDestroyTime, "SackDestroyTime");
}

void En_AntSackBhv::Start() {
    mRupture = FindOrCreateCoroutine(&En_AntSackBhv::RuptureCoroutine);
    if (EnemyCmp* enemy = Owner->GetComponent<EnemyCmp>()) {
        enemy->Health = enemy->HealthStart;
        enemy->OnDamage = [this](EnemyDamageInfo* info) { OnDamage(info); };
    }
    if (B2FixtureCmp* fixture = JoinInsectGroup(*Owner)) {
        fixture->OnPreSolve = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
    }
}

void En_AntSackBhv::OnDamage(EnemyDamageInfo* /*info*/) {
    if (Ruptured) {
        return;
    }
    Ruptured = true;
    FindOrCreateCoroutine(&En_AntSackBhv::RuptureCoroutine)->Start();
}

void En_AntSackBhv::OnContact(b2Contact* contact, b2Fixture* other) {
    if (Ruptured) {
        contact->SetEnabled(false);
        return;
    }
    const GameObject* toucher = OwnerOfFixture(other);
    if (toucher != nullptr && toucher->GetComponent<PlayerBhv>() != nullptr) {
        // A start never restarts a burst already under way.
        FindOrCreateCoroutine(&En_AntSackBhv::RuptureCoroutine)->Start();
    }
}

bool En_AntSackBhv::IsBursting() const {
    return mRupture != nullptr && mRupture->Running;
}

int32_t En_AntSackBhv::AntsBeingFreed() const {
    return IsBursting() && !Ruptured ? AntCount : 0;
}

CoCommand En_AntSackBhv::RuptureCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            // Started inside the physics step: the burst begins at the next tick.
            return CoNextTick();
        case 1:
            PlayGameCue("AntSackRupture");
            if (Tweens != nullptr && Sprite != nullptr) {
                Tweens->TweenVector2(&Sprite->Size, TweenEasing::EaseInOut, Vector2(0.05f, 0.05f), nullptr,
                                     SackDestroyTime);
            }
            return CoWaitSeconds(SackDestroyTime * 0.5f);
        case 2:
            ReleaseAnts();
            Ruptured = true;
            return CoWaitSeconds(SackDestroyTime * 0.5f);
        default: Owner->Destroy(); return CoStop();
    }
}

void En_AntSackBhv::ReleaseAnts() {
    if (gPrefabManager == nullptr || gPrefabManager->FindPrefab(kAntPrefab) == nullptr) {
        return;
    }
    const Vector2 centre = Owner->GetPos();
    const float angleStep = 6.2831855f / static_cast<float>(AntCount);
    const float nearest = -AntDistance * 0.5f;
    const float farthest = AntDistance * 0.5f;
    float angle = 0.0f;
    for (int32_t i = 0; i < AntCount; ++i) {
        auto* ant = new GameObject(kAntPrefab);
        const bool spread = nearest < farthest && gRandomManager != nullptr;
        const float offset = spread ? gRandomManager->UniformFloat(nearest, farthest) : nearest;
        ant->SetPos(centre + Vector2::Rotate(Vector2(offset, 0.0f), angle));
        ant->SetRotation(angle);
        AddToLevelOrDiscard(ant);
        angle += angleStep;
    }
}
