#include "game/enemies/EnStandardDamageBhv.h"

#include <box2d/box2d.h>

#include <string>

#include "game/GameEffects.h"
#include "game/enemies/EnemyCmp.h"
#include "game/enemies/ScoreParticleBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "physics/B2FixtureCmp.h"
#include "render/TintCmp.h"

namespace {

const Color kOpaqueWhite{255, 255, 255, 255};
const Color kPillModeWhite{255, 255, 255, 136};

PlayerBhv* PlayerOfFixture(b2Fixture* fixture) {
    auto* component = reinterpret_cast<B2FixtureCmp*>(fixture->GetUserData().pointer);
    if (component == nullptr || component->Owner == nullptr) {
        return nullptr;
    }
    return component->Owner->GetComponent<PlayerBhv>();
}

}  // namespace

void EnStandardDamageBhv::Start() {
    EnemyCmp* enemy = Owner->GetComponent<EnemyCmp>();
    if (enemy == nullptr) {
        return;
    }
    enemy->OnDamage = [this](EnemyDamageInfo* info) { OnDamage(info); };
    enemy->Health = enemy->HealthStart;
    for (int i = 0; B2FixtureCmp* fixture = Owner->GetComponentAt<B2FixtureCmp>(i); ++i) {
        fixture->OnPreSolve = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
    }
}

void EnStandardDamageBhv::Update() {
    if (Tint != nullptr) {
        const bool pillMode = gGameplayScreen != nullptr && gGameplayScreen->PillMode != 0;
        Tint->Tint = pillMode ? kPillModeWhite : kOpaqueWhite;
    }
}

void EnStandardDamageBhv::OnDamage(EnemyDamageInfo* info) {
    EnemyCmp* enemy = Owner->GetComponent<EnemyCmp>();
    if (enemy == nullptr) {
        return;
    }
    enemy->Health = info == nullptr ? 0 : enemy->Health - info->Amount;
    if (enemy->Health < 1) {
        Die();
        return;
    }
    Coroutine* hurt = FindOrCreateCoroutine(&EnStandardDamageBhv::HurtCoroutine);
    hurt->Stop();
    hurt->Start();
}

void EnStandardDamageBhv::Die() {
    PlayGameCue("EnemyDie");
    SpawnGameParticle(Owner->PrefabName == "En_Ant" ? "Pcl_AntChunks" : "Pcl_InsectChunks", Owner->GetPos());
    Owner->Destroy();
}

CoCommand EnStandardDamageBhv::HurtCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: {
            PlayGameCue("EnemyDamage");
            Coroutine* flash = FindOrCreateCoroutine(&EnStandardDamageBhv::FlashCoroutine);
            flash->Start();  // a start never restarts a running blink
            return CoWaitSeconds(HurtTime);
        }
        default:
            FindOrCreateCoroutine(&EnStandardDamageBhv::FlashCoroutine)->Stop();
            Owner->DrawEnabled = 1;
            return CoStop();
    }
}

CoCommand EnStandardDamageBhv::FlashCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: Owner->DrawEnabled = 0; return CoWaitFrames(2);
        case 1: Owner->DrawEnabled = 1; return CoWaitFrames(2);
        default: return CoRestart();
    }
}

void EnStandardDamageBhv::OnContact(b2Contact* /*contact*/, b2Fixture* other) {
    EnemyCmp* enemy = Owner->GetComponent<EnemyCmp>();
    PlayerBhv* player = PlayerOfFixture(other);
    if (enemy == nullptr || player == nullptr || enemy->ContactDamage <= 0) {
        return;
    }
    // A dead player (or one inside the exit) neither dies again nor eats.
    if (player->IsDead) {
        return;
    }
    if (gGameplayScreen != nullptr && gGameplayScreen->PillMode != 0) {
        // Several contacts in one step eat an enemy once.
        if (enemy->Health > 0) {
            BeEaten();
        }
        return;
    }
    player->IsDead = true;
    if (gGameplayScreen != nullptr) {
        gGameplayScreen->Replay();
    }
}

void EnStandardDamageBhv::BeEaten() {
    if (gCurrentLevelName == "Lvl_Bonus2") {
        const int points = gGameplayScreen->ScoreChain;
        gGameplayScreen->Score += points;
        gGameplayScreen->ScoreChain += 1;
        // The score particle has no body, so it may be built inside the step.
        if (Owner->Parent != nullptr) {
            if (GameObject* particle = BuildChildFromPrefab("ScoreParticle", *Owner->Parent)) {
                particle->SetPos(Owner->GetPos());
                if (auto* score = particle->GetComponent<ScoreParticleBhv>()) {
                    score->SetScore(points);
                }
            }
        }
    }
    OnDamage(nullptr);
}
