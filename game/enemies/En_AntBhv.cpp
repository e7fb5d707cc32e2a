#include "game/enemies/En_AntBhv.h"

#include <cmath>

#include "game/enemies/InsectMotion.h"
#include "game/screens/GameplayScreenBhv.h"
#include "object/GameObject.h"
#include "physics/B2FixtureCmp.h"

En_AntBhv::En_AntBhv() {
    RegisterProperty(&MoveSpeed, "MoveSpeed");
}

void En_AntBhv::Start() {
    if (B2FixtureCmp* fixture = JoinInsectGroup(*Owner)) {
        fixture->OnBeginContact = [this](b2Contact* contact, b2Fixture* other) { OnContact(contact, other); };
    }
}

void En_AntBhv::Update() {
    if (gGameplayScreen == nullptr || !gGameplayScreen->RoundActive) {
        return;
    }
    if (TurnPending) {
        Owner->SetRotation(Heading);
        TurnPending = false;
    }
    const float rotation = Owner->GetRotation();
    SetBodyVelocity(*Owner, Vector2(std::cos(rotation), std::sin(rotation)) * MoveSpeed);
}

void En_AntBhv::OnContact(b2Contact* contact, b2Fixture* /*other*/) {
    // The body cannot be turned inside the step; the next update turns it.
    if (const std::optional<float> heading = MirrorHeading(*contact, Owner->GetRotation())) {
        Heading = *heading;
        TurnPending = true;
    }
}
