#include "game/enemies/EnemyCmp.h"

EnemyCmp::EnemyCmp() {
    RegisterProperty(&HealthStart, "HealthStart");
    RegisterProperty(&ContactDamage, "ContactDamage");
}
