#include "game/enemies/En_CentipedeBhv.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/GameMath.h"
#include "game/enemies/En_CentipedeCellBhv.h"
#include "game/enemies/InsectMotion.h"
#include "game/levels/ExitBhv.h"
#include "game/levels/SavedDataBhv.h"
#include "object/GameObject.h"
#include "object/PrefabManager.h"
#include "object/ThingCmp.h"

namespace {

const char* const kCellPrefab = "En_CentipedeCell";

}  // namespace

En_CentipedeBhv::En_CentipedeBhv() {
    RegisterProperty(&CellCount, "CellCount");
    RegisterProperty(&CellSpacing, "CellSpacing");
    RegisterProperty(&DeflectInterval, "DeflectInterval");
    RegisterProperty(&DeflectAngleMin, "DeflectAngleMin");
    RegisterProperty(&DeflectAngleMax, "DeflectAngleMax");
    RegisterProperty(&Speed, "Speed");
}

void En_CentipedeBhv::Start() {
    Build();
    if (Thing != nullptr) {
        Thing->Callbacks[ThingCmp::ChangedCallback] = [this] { Build(); };
    }
}

Vector2 En_CentipedeBhv::LeaderStep(float rotation) const {
    return Vector2::FromAngle(rotation) * (Speed * (1.0f / static_cast<float>(FixedUpdateRate())));
}

int En_CentipedeBhv::HistoryLength() const {
    // A still leader lays no path: anything to replay would walk its followers up to it.
    if (Speed == 0.0f) {
        return 0;
    }
    const float steps = CellSpacing / Length(LeaderStep(Owner != nullptr ? Owner->GetRotation() : 0.0f));
    // A spacing below 0 leaves nothing to count.
    if (!std::isfinite(steps) || steps < 0.0f) {
        return 1;
    }
    return static_cast<int>(steps) + 1;
}

void En_CentipedeBhv::Build() {
    // The old segments leave the chain now and are deleted at the end of the pass.
    const std::vector<GameObject*> old = Owner->Children;
    for (GameObject* child : old) {
        child->DetachAndDestroy();
    }
    if (gPrefabManager == nullptr || gPrefabManager->FindPrefab(kCellPrefab) == nullptr) {
        return;
    }
    const float rotation = Owner->GetRotation();
    const Vector2 forward = Vector2::FromAngle(rotation);
    const Vector2 back = forward * -CellSpacing;
    const Vector2 step = LeaderStep(rotation);
    const int historyLength = HistoryLength();

    Vector2 place = Owner->GetPos();
    En_CentipedeCellBhv* previous = nullptr;
    for (int32_t i = 0; i < CellCount; ++i) {
        auto* segment = new GameObject(kCellPrefab);
        segment->SetPos(place);
        segment->SetRotation(rotation);
        Owner->AddChild(segment);
        if (auto* cell = segment->GetComponent<En_CentipedeCellBhv>()) {
            if (previous != nullptr) {
                cell->Ahead = previous;
                previous->Behind = cell;
            }
            // The path from the next segment's place up to this one, oldest at the back.
            cell->History.clear();
            for (int k = 0; k < historyLength; ++k) {
                cell->History.push_front({place + back + step * static_cast<float>(k), rotation});
            }
            previous = cell;
        }
        place += back;
    }
    // Tail first: each follower takes from the history ahead before the leader adds to it.
    std::reverse(Owner->Children.begin(), Owner->Children.end());
    for (GameObject* segment : Owner->Children) {
        if (auto* cell = segment->GetComponent<En_CentipedeCellBhv>()) {
            cell->ShowLeadership();
        }
    }
}

void En_CentipedeBhv::Update() {
    if (gCurrentLevelName != "Lvl_Boss" || !Owner->Children.empty()) {
        return;
    }
    if (CountLiveCentipedes() < 2) {
        RevealExit();
    }
    Owner->Destroy();
}

int En_CentipedeBhv::CountLiveCentipedes() const {
    if (Owner->Parent == nullptr) {
        return Owner->PrefabName == "En_Centipede" ? 1 : 0;
    }
    // One that already went this pass is no longer there, whatever the order of ends.
    return static_cast<int>(std::count_if(
        Owner->Parent->Children.begin(), Owner->Parent->Children.end(),
        [](const GameObject* sibling) { return sibling->PrefabName == "En_Centipede" && !sibling->PendingDestroy; }));
}

void En_CentipedeBhv::RevealExit() const {
    const GameObject* level = Owner->Parent != nullptr ? Owner->Parent->Parent : nullptr;
    const GameObject* layer = level != nullptr ? level->FindChild("Layer1") : nullptr;
    GameObject* exit = layer != nullptr ? layer->FindChild("Sc_Exit") : nullptr;
    ExitBhv* exitBhv = exit != nullptr ? exit->GetComponent<ExitBhv>() : nullptr;
    if (exitBhv == nullptr) {
        return;
    }
    exit->InputEnabled = 1;
    exit->UpdateEnabled = 1;
    exitBhv->FindOrCreateCoroutine(&ExitBhv::RevealCoroutine)->Start();
}
