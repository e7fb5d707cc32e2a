#include "game/pickups/Pkup_PillBhv.h"

#include "game/pickups/PickupBorder.h"

Pkup_PillBhv::Pkup_PillBhv() {
    RegisterProperty(&BorderRotateFreq, "BorderRotateFreq");
}

void Pkup_PillBhv::Update() {
    TurnPickupBorder(*Owner, BorderRotateFreq);
}
