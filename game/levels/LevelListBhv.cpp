#include "game/levels/LevelListBhv.h"

#include <algorithm>
#include <typeinfo>

#include "game/levels/LevelDataCmp.h"
#include "game/levels/ReservedLevels.h"
#include "object/ContentWarning.h"
#include "object/GameObject.h"
#include "object/NumberText.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "platform/DebugPrint.h"
#include "render/TextCmp.h"

LevelListBhv* gLevelList = nullptr;

namespace {

constexpr const char* kUnlockMessagePrefab = "UiUnlockMessage";

}  // namespace

LevelListBhv::LevelListBhv() {
    RegisterProperty(&mLevelSkipsMax, "LevelSkipsMax");
    RegisterProperty(&Bonus1ParCount, "Bonus1ParCount");
    RegisterProperty(&Bonus2ParCount, "Bonus2ParCount");
}

LevelListBhv::~LevelListBhv() {
    if (gLevelList == this) {
        gLevelList = nullptr;
    }
}

void LevelListBhv::Start() {
    gLevelList = this;
    MendParTimes();
    Rebuild();
    WarnOfMissingLevels();
}

void LevelListBhv::Update() {
    Rebuild();
}

void LevelListBhv::Rebuild() {
    Levels.clear();
    mLevelsByName.clear();
    int32_t incompleteMainLevels = 0;
    if (Owner != nullptr) {
        for (GameObject* child : Owner->Children) {
            LevelDataCmp* level = child->GetComponent<LevelDataCmp>();
            if (level == nullptr) {
                continue;
            }
            level->ObjectName = child->Name;
            mLevelsByName[child->Name] = level;
            NumberAndLock(*level, incompleteMainLevels);
        }
    }
    ParCount = 0;
    for (const auto& [name, level] : mLevelsByName) {
        ParCount += level->IsParBeaten() ? 1 : 0;
    }
    ApplyReservedRules();
}

// Levels outside the main progression keep their lock; the reserved rules set theirs.
void LevelListBhv::NumberAndLock(LevelDataCmp& level, int32_t& incompleteMainLevels) {
    if (!level.InMainProgression) {
        level.Number = 0;
        return;
    }
    Levels.push_back(&level);
    level.Number = static_cast<int32_t>(Levels.size());
    if (IsMissing(level)) {
        // Nothing to play: it stays shut, without holding back the levels after it.
        level.IsLocked = true;
    } else if (level.IsCompleted()) {
        level.IsLocked = false;
    } else {
        level.IsLocked = incompleteMainLevels > mLevelSkipsMax;
        ++incompleteMainLevels;
    }
}

void LevelListBhv::ApplyReservedRules() {
    SetLocked(ReservedLevels::Bonus1, ParCount < Bonus1ParCount);
    SetLocked(ReservedLevels::Bonus2, ParCount < Bonus2ParCount);
    const bool bossDone = IsCompletedByName(ReservedLevels::Boss);
    SetLocked(ReservedLevels::Yay, !bossDone);
    SetLocked(ReservedLevels::Survival, !bossDone);
}

void LevelListBhv::SetLocked(const char* name, bool locked) {
    if (LevelDataCmp* level = FindLevel(name)) {
        level->IsLocked = locked || IsMissing(*level);
    }
}

bool LevelListBhv::IsMissing(const LevelDataCmp& level) {
    return gPrefabManager != nullptr && gPrefabManager->FindPrefab(level.ObjectName) == nullptr;
}

std::string LevelListBhv::DescribeLevel(const std::string& name) const {
    return "Level list \"" + (Owner != nullptr ? Owner->PrefabName : std::string()) + "\": level \"" + name + "\"";
}

void LevelListBhv::WarnOfMissingLevels() const {
    for (const auto& [name, level] : mLevelsByName) {
        if (!IsMissing(*level)) {
            continue;
        }
        // Its file was told when it could not be read.
        if (gPrefabManager->IsLeftOut(name)) {
            WarnContent(DescribeLevel(name) + ": its prefab file \"" +
                        gPrefabManager->GetPrefabFile(name).generic_string() + "\" cannot be read; it stays locked");
        } else {
            WarnContent(DescribeLevel(name) + " has no prefab file \"" + name + ".json\"; it stays locked");
        }
    }
}

void LevelListBhv::MendParTimes() const {
    if (Owner == nullptr) {
        return;
    }
    for (const GameObject* child : Owner->Children) {
        LevelDataCmp* level = child->GetComponent<LevelDataCmp>();
        // The bonus modes are not played against a par: theirs is 0, for none.
        if (level == nullptr || LevelDataCmp::IsUsablePar(level->ParTime) ||
            (!level->InMainProgression && level->ParTime == 0.0f)) {
            continue;
        }
        // Text that is no number leaves the default, 0.
        const std::string read =
            level->ParTime == 0.0f ? "is 0 or no number" : "of " + FloatToText(level->ParTime) + " seconds";
        WarnContent(DescribeLevel(child->Name) + ": \"ParTime\" " + read + ", no par above 0 and at most " +
                    FloatToText(LevelDataCmp::LongestPar) + " seconds; a par of " +
                    FloatToText(LevelDataCmp::FallbackPar) + " seconds is used");
        level->ParTime = LevelDataCmp::FallbackPar;
    }
}

bool LevelListBhv::IsCompletedByName(const char* name) const {
    const LevelDataCmp* level = FindLevel(name);
    return level != nullptr && level->IsCompleted();
}

LevelDataCmp* LevelListBhv::FindLevel(const std::string& name) const {
    const auto found = mLevelsByName.find(name);
    return found != mLevelsByName.end() ? found->second : nullptr;
}

std::vector<std::string> LevelListBhv::FindListsNaming(const std::string& levelName) {
    std::vector<std::string> lists;
    if (gPrefabManager == nullptr) {
        return lists;
    }
    const auto isList = [](const auto& component) {
        return component->Type != nullptr && *component->Type == typeid(LevelListBhv);
    };
    const auto namesLevel = [&levelName](const auto& entry) {
        return (entry->Name.empty() ? entry->Prefab : entry->Name) == levelName;
    };
    for (const auto& [name, prefab] : gPrefabManager->Prefabs) {
        if (std::any_of(prefab->Components.begin(), prefab->Components.end(), isList) &&
            std::any_of(prefab->AutoCreates.begin(), prefab->AutoCreates.end(), namesLevel)) {
            lists.push_back(name);
        }
    }
    return lists;
}

LevelDataCmp* LevelListBhv::GetLevelByNumber(int number) {
    if (gLevelList == nullptr || number < 1 || static_cast<size_t>(number) > gLevelList->Levels.size()) {
        return nullptr;
    }
    return gLevelList->Levels[static_cast<size_t>(number) - 1];
}

void LevelListBhv::ShowUnlockMessage(std::string text) {
    if (gGameplayRoot == nullptr || gPrefabManager == nullptr ||
        gPrefabManager->FindPrefab(kUnlockMessagePrefab) == nullptr) {
        DebugPrint((std::string("Unlock message: there is no prefab \"") + kUnlockMessagePrefab +
                    "\" or no gameplay root to show \"" + text + "\" on\n")
                       .c_str());
        return;
    }
    auto* banner = new GameObject(kUnlockMessagePrefab);
    gGameplayRoot->AddChild(banner);
    GameObject* message = banner->FindChild("Message");
    TextCmp* textCmp = message != nullptr ? message->GetComponent<TextCmp>() : nullptr;
    if (textCmp != nullptr) {
        textCmp->Text = std::move(text);
    }
}
