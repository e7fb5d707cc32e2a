#include "audio/CueRandomizedBhv.h"

#include <random>
#include <vector>

#include "audio/CueOneShotBhv.h"
#include "audio/CueSound.h"
#include "object/GameObject.h"
#include "object/RandomManager.h"

void CueRandomizedBhv::Start() {
    BindCuePlayHook(
        *this, [this] { Play(); }, CueHookBinding::Replace);
}

void CueRandomizedBhv::Play() {
    std::vector<CueOneShotBhv*> members;
    for (Component* c : Owner->Components) {
        if (auto* oneShot = dynamic_cast<CueOneShotBhv*>(c)) {
            members.push_back(oneShot);
        }
    }
    if (members.empty()) {
        // Nothing can ever sound: do not leave the object behind.
        Owner->Destroy();
        return;
    }
    const int count = static_cast<int>(members.size());
    int index = 0;
    // One member needs no draw, so the shared random sequence does not move.
    if (count > 1 && gRandomManager != nullptr) {
        std::uniform_int_distribution<int> pick(0, count - 1);
        index = pick(gRandomManager->Engine());
    }
    members[static_cast<size_t>(index)]->Play();
}
