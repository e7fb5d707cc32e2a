#include "audio/CueManagerBhv.h"

#include "audio/CueCmp.h"
#include "object/GameObject.h"
#include "object/MissingContent.h"
#include "object/PrefabManager.h"
#include "platform/DebugPrint.h"

CueManagerBhv* gCueManager = nullptr;

CueManagerBhv::~CueManagerBhv() {
    if (gCueManager == this) {
        gCueManager = nullptr;
    }
}

void CueManagerBhv::Start() {
    gCueManager = this;
}

void CueManagerBhv::PlayCue(std::string name) {
    if (OnPlayCue) {
        OnPlayCue(name);
    }
    GameObject* cue = SpawnCue(name);
    if (cue == nullptr) {
        return;
    }
    const CueCmp* cueCmp = cue->GetComponent<CueCmp>();
    if (cueCmp == nullptr || !cueCmp->PlayHook) {
        DebugPrint(
            ("Sound cue: the prefab \"" + cue->PrefabName + "\" has no CueCmp with a cue behaviour; nothing plays\n")
                .c_str());
        cue->Destroy();
        return;
    }
    cueCmp->PlayHook();
}

GameObject* CueManagerBhv::SpawnCue(const std::string& name) {
    const std::string prefabName = "Cue_" + name;
    if (Owner == nullptr || gPrefabManager == nullptr) {
        return nullptr;
    }
    if (gPrefabManager->FindPrefab(prefabName) == nullptr) {
        WarnMissingContent("cue prefab", prefabName, "CueManagerBhv::PlayCue(\"" + name + "\")");
        return nullptr;
    }
    auto* cue = new GameObject(prefabName);
    Owner->AddChild(cue);
    return cue;
}
