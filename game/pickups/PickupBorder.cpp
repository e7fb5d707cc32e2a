#include "game/pickups/PickupBorder.h"

#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/Pos2dCmp.h"

void TurnPickupBorder(GameObject& pickup, float turnsPerSecond) {
    GameObject* border = pickup.FindChild("Border");
    if (border != nullptr && border->Pos2d != nullptr) {
        border->Pos2d->Rotation += CurrentFrameDelta() * turnsPerSecond * 6.2831855f;
    }
}
