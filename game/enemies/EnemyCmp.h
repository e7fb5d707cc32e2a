#pragma once

#include <cstdint>
#include <functional>

#include "object/Component.h"
#include "object/IEditable.h"

class B2FixtureCmp;

// One hit on an enemy: how much, and which of its fixtures.
struct EnemyDamageInfo {
    int32_t Amount = 0;
    B2FixtureCmp* Fixture = nullptr;
};

// Marks an enemy that can be shot: its health and the callback bullets damage it
// through (a null record kills).
class EnemyCmp : public Component, public IEditable {
public:
    EnemyCmp();

    int32_t Health = 1;  // set to HealthStart by the damage behaviour's Start
    int32_t HealthStart = 1;
    // Above 0: touching the player kills the player, or in pill mode lets it eat us.
    int32_t ContactDamage = 10;
    std::function<void(EnemyDamageInfo* info)> OnDamage;
};
