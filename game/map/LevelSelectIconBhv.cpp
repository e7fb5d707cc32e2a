#include "game/map/LevelSelectIconBhv.h"

#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"

LevelSelectIconBhv::LevelSelectIconBhv() {
    RegisterProperty(&LevelNumber, "LevelNumber");
}

void LevelSelectIconBhv::Start() {
    Update();
}

void LevelSelectIconBhv::Update() {
    const LevelDataCmp* level = LevelListBhv::GetLevelByNumber(LevelNumber);
    MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>();
    if (level == nullptr) {
        Owner->DrawEnabled = 0;
        if (node != nullptr) {
            node->LevelObjectName.clear();
            // Hidden icons stay linked; the cursor must not walk onto them.
            node->IsLocked = true;
        }
        return;
    }
    Owner->DrawEnabled = 1;
    MapIconParts::ShowChild(*Owner, "CompleteIcon", level->IsCompleted());
    MapIconParts::ShowChild(*Owner, "ParIcon", level->IsParBeaten());
    MapIconParts::ShowChild(*Owner, "LockIcon", level->IsLocked);
    if (node != nullptr) {
        MapIconParts::FollowLevel(*node, *level);
    }
}

void LevelSelectIconBhv::HandleInput() {
    MapIconParts::LevelIconActivate(*Owner);
}
