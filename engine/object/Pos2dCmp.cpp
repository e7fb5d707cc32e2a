#include "object/Pos2dCmp.h"

#include "object/GameObject.h"

Pos2dCmp::Pos2dCmp() {
    RegisterProperty(&Pos, "Pos");
    RegisterProperty(&Rotation, "Rotation");
    RegisterProperty(&IsRelative, "IsRelative");
}

Vector2 Pos2dCmp::GetWorldPos() const {
    Vector2 sum;
    for (const GameObject* o = Owner; o != nullptr; o = o->Parent) {
        // The shortcut, not this component: on each object the first Pos2dCmp counts.
        if (const Pos2dCmp* pos = o->Pos2d) {
            sum += pos->Pos;
            if (!pos->IsRelative) {
                break;
            }
        }
    }
    return sum;
}
