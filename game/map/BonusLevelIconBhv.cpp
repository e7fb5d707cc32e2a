#include "game/map/BonusLevelIconBhv.h"

#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/map/MapIconParts.h"
#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"

BonusLevelIconBhv::BonusLevelIconBhv() {
    RegisterProperty(&mLevelPrefab, "LevelPrefab");
}

void BonusLevelIconBhv::Start() {
    Update();
}

void BonusLevelIconBhv::Update() {
    const LevelDataCmp* level = gLevelList != nullptr ? gLevelList->FindLevel(mLevelPrefab) : nullptr;
    if (level == nullptr) {
        return;
    }
    MapIconParts::ShowChild(*Owner, "CompleteIcon", level->IsCompleted());
    MapIconParts::ShowChild(*Owner, "LockIcon", level->IsLocked);
    if (MapNodeCmp* node = Owner->GetComponent<MapNodeCmp>()) {
        MapIconParts::FollowLevel(*node, *level);
    }
}

void BonusLevelIconBhv::HandleInput() {
    MapIconParts::LevelIconActivate(*Owner);
}
