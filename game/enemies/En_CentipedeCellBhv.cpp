#include "game/enemies/En_CentipedeCellBhv.h"

#include "game/enemies/En_CentipedeBhv.h"
#include "game/enemies/EnemyCmp.h"
#include "game/enemies/InsectMotion.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "object/RandomManager.h"
#include "physics/B2FixtureCmp.h"
#include "render/SpriteCmp.h"

En_CentipedeCellBhv::~En_CentipedeCellBhv() {
    if (Ahead != nullptr) {
        Ahead->Behind = nullptr;
    }
    if (Behind != nullptr) {
        Behind->Ahead = nullptr;
    }
}

void En_CentipedeCellBhv::Start() {
    if (B2FixtureCmp* fixture = JoinInsectGroup(*Owner)) {
        fixture->OnBeginContact = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
    }
    FindOrCreateCoroutine(&En_CentipedeCellBhv::DeflectCoroutine)->Start();
}

const En_CentipedeBhv* En_CentipedeCellBhv::FindCentipede() const {
    for (const GameObject* object = Owner; object != nullptr; object = object->Parent) {
        if (const auto* centipede = object->GetComponent<En_CentipedeBhv>()) {
            return centipede;
        }
    }
    return nullptr;
}

void En_CentipedeCellBhv::ShowLeadership() {
    const int head = IsLeader() ? 1 : 0;
    if (head == mShownHead || Sprite == nullptr) {
        return;
    }
    Sprite->SetImageName(head != 0 ? "CentipedeHead_0000" : "CentipedeBody_0000");
    mShownHead = head;
}

void En_CentipedeCellBhv::OnContact(b2Contact* contact, b2Fixture* other) {
    if (!IsLeader()) {
        return;
    }
    // Pellets come in fans: letting them steer would make the shotgun a leash.
    const GameObject* toucher = OwnerOfFixture(other);
    if (toucher != nullptr && toucher->PrefabName == "ShotgunPellet") {
        return;
    }
    if (const std::optional<float> heading = MirrorHeading(*contact, Owner->GetRotation())) {
        mTurn.Heading = *heading;
        mTurn.Pending = true;
    }
}

void En_CentipedeCellBhv::Update() {
    if (gGameplayScreen == nullptr || !gGameplayScreen->RoundActive) {
        return;
    }
    const En_CentipedeBhv* centipede = FindCentipede();
    if (centipede == nullptr) {
        return;
    }
    ShowLeadership();
    if (IsLeader()) {
        Lead(*centipede);
    } else {
        Follow();
    }
}

void En_CentipedeCellBhv::Follow() {
    const int steps = FixedStepsThisPass();
    bool moved = false;
    PathEntry last;
    // An empty path ahead leaves nothing to replay: the segment stands still.
    for (int k = 0; k < steps && !Ahead->History.empty(); ++k) {
        last = Ahead->History.back();
        Ahead->History.pop_back();
        if (Behind != nullptr) {
            History.push_front(last);
        }
        moved = true;
    }
    SetBodyVelocity(*Owner, Vector2());
    if (moved) {
        Owner->SetPos(last.Position);
        Owner->SetRotation(last.Rotation);
    }
}

void En_CentipedeCellBhv::Lead(const En_CentipedeBhv& centipede) {
    if (Behind == nullptr) {
        // A head without a body dies.
        EnemyCmp* enemy = Owner->GetComponent<EnemyCmp>();
        if (enemy != nullptr && enemy->OnDamage) {
            enemy->OnDamage(nullptr);
        }
    }
    const float rotation = Owner->GetRotation();
    const Vector2 velocity = Vector2::FromAngle(rotation) * centipede.Speed;
    // A leader standing still records nothing, so its followers keep their spacing.
    if (Behind != nullptr && centipede.Speed != 0.0f) {
        const int steps = FixedStepsThisPass();
        const Vector2 step = velocity * (1.0f / static_cast<float>(FixedUpdateRate()));
        const Vector2 now = Owner->GetPos();
        // Oldest first, so that the front holds where the leader is now and the
        // segment behind never steps backwards in a pass of several steps.
        for (int k = steps - 1; k >= 0; --k) {
            History.push_front({now - step * static_cast<float>(k), rotation});
        }
    }
    if (mTurn.Pending) {
        Owner->SetRotation(mTurn.Heading);
        mTurn.Pending = false;
    }
    SetBodyVelocity(*Owner, Vector2::FromAngle(Owner->GetRotation()) * centipede.Speed);
}

CoCommand En_CentipedeCellBhv::DeflectCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    if (step == 0) {
        // Started while the segment is being built, before it knows its centipede.
        return CoNextTick();
    }
    const En_CentipedeBhv* centipede = FindCentipede();
    if (centipede == nullptr) {
        return CoStop();
    }
    if (step == 1) {
        return CoWaitSeconds(centipede->DeflectInterval);
    }
    if (IsLeader() && gRandomManager != nullptr) {
        const float low = centipede->DeflectAngleMin;
        const float high = centipede->DeflectAngleMax;
        const float swerve = low < high ? gRandomManager->UniformFloat(low, high) : low;
        const float sign = gRandomManager->RandomSign();
        mTurn.Heading = WrapAngle(Owner->GetRotation() + sign * swerve);
        mTurn.Pending = true;
    }
    return CoGoTo(1);
}
