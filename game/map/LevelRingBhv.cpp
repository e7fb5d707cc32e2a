#include "game/map/LevelRingBhv.h"

#include <algorithm>
#include <string>

#include "game/GameEffects.h"
#include "game/map/LevelSelectIconBhv.h"
#include "game/map/MapNodeCmp.h"
#include "object/GameObject.h"
#include "render/SpriteCmp.h"

namespace {

// Fewer than two icons in a row leave no span to divide between them.
constexpr int MinRowIcons = 2;

void Place(LevelSelectIconBhv& icon, Vector2 pos) {
    icon.Owner->SetPos(pos);
    icon.Owner->DrawEnabled = 1;
}

}  // namespace

LevelRingBhv::LevelRingBhv() {
    RegisterProperty(&mRowIcons, "RowIcons");
    RegisterProperty(&mColumnIcons, "ColumnIcons");
    RegisterProperty(&mIconSideMargin, "IconSideMargin");
    RegisterProperty(&mScreenSize, "ScreenSize");
}

void LevelRingBhv::Start() {
    Build();
}

void LevelRingBhv::Update() {
    Build();
}

void LevelRingBhv::Build() {
    const int rowIcons = std::max(mRowIcons, MinRowIcons);
    const int columnIcons = std::max(mColumnIcons, 0);
    CreateMissingIcons(2 * rowIcons + columnIcons);
    ChainIcons();
    for (LevelSelectIconBhv* icon : mIcons) {
        icon->Owner->DrawEnabled = 0;
    }
    LayOutIcons();
}

void LevelRingBhv::CreateMissingIcons(int total) {
    while (static_cast<int>(mIcons.size()) < total) {
        GameObject* object = BuildChildFromPrefab("LevelSelectIcon", *Owner);
        LevelSelectIconBhv* icon = object != nullptr ? object->GetComponent<LevelSelectIconBhv>() : nullptr;
        if (icon == nullptr) {
            if (object != nullptr) {
                object->DetachAndDestroy();
            }
            return;  // no usable icon prefab: the ring stays as it is
        }
        mIcons.push_back(icon);
        const int number = static_cast<int>(mIcons.size());
        icon->LevelNumber = number;
        object->Name = "Level" + std::to_string(number);
        // The ring freezes during the screen's zoom-in, when the cursor looks for the
        // selected level's node: the icon must know its level before then.
        icon->Update();
    }
}

void LevelRingBhv::ChainIcons() {
    for (size_t i = 0; i + 1 < mIcons.size(); ++i) {
        if (MapNodeCmp* node = mIcons[i]->Owner->GetComponent<MapNodeCmp>()) {
            node->Connection1 = "Level" + std::to_string(mIcons[i + 1]->LevelNumber);
        }
    }
}

void LevelRingBhv::LayOutIcons() {
    if (mIcons.empty()) {
        return;
    }
    const int rowIcons = std::max(mRowIcons, MinRowIcons);
    const int columnIcons = std::max(mColumnIcons, 0);
    const SpriteCmp* sprite = mIcons.front()->Owner->Sprite;
    const Vector2 iconSize = sprite != nullptr ? sprite->Size : Vector2();
    const float w = mScreenSize.X;
    const float h = mScreenSize.Y;
    const float mx = iconSize.X / 2.0f + mIconSideMargin;
    const float my = iconSize.Y / 2.0f + mIconSideMargin;
    const float rowStep = (w - 2.0f * mx) / static_cast<float>(rowIcons - 1);
    const float columnStep = (h - 2.0f * my) / static_cast<float>(columnIcons + 1);

    size_t n = 0;
    for (int i = 0; i < rowIcons && n < mIcons.size(); ++i, ++n) {
        Place(*mIcons[n], Vector2(-w / 2.0f + mx + i * rowStep, -h / 2.0f + my));
    }
    for (int j = 1; j <= columnIcons && n < mIcons.size(); ++j, ++n) {
        Place(*mIcons[n], Vector2(w / 2.0f - mx, -h / 2.0f + my + j * columnStep));
    }
    for (int k = 0; k < rowIcons && n < mIcons.size(); ++k, ++n) {
        Place(*mIcons[n], Vector2(w / 2.0f - mx - k * rowStep, h / 2.0f - my));
    }
}
