#include "game/screens/GameplayScreenBhv.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "audio/MusicManager.h"
#include "game/GameEffects.h"
#include "game/enemies/En_AntSackBhv.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"
#include "game/player/AimManagerBhv.h"
#include "game/player/PlayerBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/ScreenCameras.h"
#include "game/ui/HudRootBhv.h"
#include "game/ui/UiLevelTitleBhv.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/MissingContent.h"
#include "object/ObjectWalks.h"
#include "object/Prefab.h"
#include "object/PrefabManager.h"
#include "object/SceneRoots.h"
#include "object/ThingCmp.h"
#include "object/TweensBhv.h"
#include "platform/DebugPrint.h"
#include "render/Graphics.h"
#include "render/TintCmp.h"

GameplayScreenBhv* gGameplayScreen = nullptr;

namespace {

// The world camera's visible size at the far end of a transition.
const Vector2 kTransitionScale{3200.0f, 1800.0f};
// The pill mode's last seconds blink between two backgrounds in quarter seconds.
constexpr float kPillBlinkTime = 2.0f;
constexpr float kPillBlinkStep = 0.25f;
constexpr int kPillLastStep = 9;

void Log(const std::string& text) {
    DebugPrint(("Gameplay screen: " + text + "\n").c_str());
}

RenderSettings* Settings() {
    return gGraphics != nullptr ? gGraphics->Settings.get() : nullptr;
}

void SetBackground(const char* texture) {
    if (RenderSettings* settings = Settings()) {
        settings->BackgroundTexture = texture;
    }
}

LevelDataCmp* FindLevel(const std::string& name) {
    return gLevelList != nullptr ? gLevelList->FindLevel(name) : nullptr;
}

bool IsBonusLevel(const std::string& name) {
    return name.find("Lvl_Bonus") != std::string::npos || name == ReservedLevels::Survival;
}

bool ContainsMut(const std::string& name) {
    return name.find("Mut") != std::string::npos;
}

// The level takes input and updates again once the camera has arrived.
void WakeLevel(GameObject& screen) {
    if (GameObject* level = screen.FindChild("Level")) {
        level->InputEnabled = 1;
        level->UpdateEnabled = 1;
    }
}

void StartCoroutineAtNextTick(Coroutine* coroutine) {
    coroutine->Stop();
    coroutine->StepIndex = 0;
    coroutine->SecondsLeft = 0.0f;
    coroutine->FramesLeft = 0;
    coroutine->Running = true;
}

}  // namespace

GameplayScreenBhv::GameplayScreenBhv() {
    RegisterProperty(&mTransitionOffTime, "TransitionOffTime");
    RegisterProperty(&mTransitionOnTime, "TransitionOnTime");
    RegisterProperty(&mTransitionRotation, "TransitionRotation");
    RegisterProperty(&mDieFadeTime, "DieFadeTime");
    // The lighting blur lives in the renderer; a level or the editor sets it here.
    RegisterProxyProperty<float>([] { return Settings() != nullptr ? Settings()->ShadowReduction : 0.25f; },
                                 [](float v) {
                                     if (Settings() != nullptr)
                                         Settings()->ShadowReduction = v;
                                 },
                                 "ShadowReduction");
    RegisterProxyProperty<float>([] { return Settings() != nullptr ? Settings()->ShadowRadius : 3.0f; },
                                 [](float v) {
                                     if (Settings() != nullptr)
                                         Settings()->ShadowRadius = v;
                                 },
                                 "ShadowRadius");
    RegisterProxyProperty<float>([] { return Settings() != nullptr ? Settings()->ShadowDarkness : 1.0f; },
                                 [](float v) {
                                     if (Settings() != nullptr)
                                         Settings()->ShadowDarkness = v;
                                 },
                                 "ShadowDarkness");
    RegisterProperty(&mBgSpeed, "ZintlyBgSpeed");
    RegisterProperty(&mFirstPassSpeed, "Zintly1stPassSpeed");
    RegisterProperty(&mPillModeTime, "PillModeTime");
}

GameplayScreenBhv::~GameplayScreenBhv() {
    if (gGameplayScreen == this) {
        gGameplayScreen = nullptr;
    }
}

void GameplayScreenBhv::Start() {
    gGameplayScreen = this;
    mFadeLayer = Owner->FindChild("FadeLayer");
    if (mFadeLayer != nullptr) {
        mFadeLayer->DrawEnabled = 0;
    } else {
        Log("no child \"FadeLayer\"; respawns will not fade");
    }
    if (gAimManager != nullptr) {
        gAimManager->EnterAimMode();
    }
}

void GameplayScreenBhv::Update() {
    LoadPendingLevel();
    const float delta = CurrentFrameDelta();
    if (RenderSettings* settings = Settings()) {
        settings->SecondPassTime += mBgSpeed * delta;
        settings->FirstPassTime += mFirstPassSpeed * delta;
        settings->BackgroundMode = 0;
    }
    ChooseBackground();
    if (TimerRunning) {
        LevelTime += delta;
    }
}

void GameplayScreenBhv::LoadPendingLevel() {
    if (!mPendingLoad) {
        return;
    }
    mPendingLoad = false;
    LevelDataCmp* level = nullptr;
    if (!gCurrentLevelName.empty()) {
        level = FindLevel(gCurrentLevelName);
    } else if (gLevelList != nullptr && !gLevelList->Levels.empty()) {
        level = gLevelList->Levels.front();
    }
    LoadLevel(level);
}

void GameplayScreenBhv::ChooseBackground() const {
    const std::string& name = gCurrentLevelName;
    if (name == ReservedLevels::Boss) {
        SetBackground("BackgroundBoss");
        return;
    }
    if (IsBonusLevel(name)) {
        if (!PillMode) {
            SetBackground("BackgroundBonus");
        }
        return;
    }
    const LevelDataCmp* level = FindLevel(name);
    if (level == nullptr) {
        return;
    }
    if (gSavedData != nullptr && gSavedData->UseAltBackground1) {
        SetBackground("BackgroundPill");
    } else if (gSavedData != nullptr && gSavedData->UseAltBackground2) {
        SetBackground("Background3");
    } else {
        SetBackground(level->Number < 15 ? "Background1" : "Background2");
    }
}

void GameplayScreenBhv::HandleInput() {
    if (EditorHasKeyboard() || EditorIsEditing() || gInputManager == nullptr) {
        return;
    }
    // A pause would freeze the camera half way, and a second transition would take the
    // first one's moving camera over.
    if (IsInTransition()) {
        return;
    }
    if (!EditorHasUnsavedEdits()) {
        int step = 0;
        if (gInputManager->IsKeyPressed(Key::PageUp)) {
            step = -1;
        } else if (gInputManager->IsKeyPressed(Key::PageDown)) {
            step = 1;
        }
        const LevelDataCmp* current = FindLevel(gCurrentLevelName);
        if (step != 0 && current != nullptr && current->Number > 0) {
            const LevelDataCmp* target = LevelListBhv::GetLevelByNumber(current->Number + step);
            if (target != nullptr && !target->IsLocked) {
                mLevelOffset = step;
                FindOrCreateCoroutine(&GameplayScreenBhv::ChangeLevelCoroutine)->Start();
            }
        }
    }
    if (FindOrCreateCoroutine(&GameplayScreenBhv::RespawnCoroutine)->Running ||
        FindOrCreateCoroutine(&GameplayScreenBhv::ReturnToMapCoroutine)->Running) {
        return;
    }
    // Only the pause popup resumes play: without it a pause could never end.
    if (gInputManager->IsActionPressed(InputAction::Pause) && gPrefabManager != nullptr &&
        gPrefabManager->FindPrefab("UiPausePopup") != nullptr) {
        SetPaused(true);
    }
}

void GameplayScreenBhv::LoadLevel(LevelDataCmp* level) {
    if (level == nullptr) {
        Log("no level to load (\"" + gCurrentLevelName + "\" is not in the level list)");
        return;
    }
    gCurrentLevelName = level->ObjectName;
    RemoveLevelObject(false);
    if (gPrefabManager != nullptr) {
        if (Prefab* prefab = gPrefabManager->FindPrefab(level->ObjectName)) {
            BuildLevelObject(prefab);
        } else {
            WarnMissingPrefab(gPrefabManager->GetPrefabFile(level->ObjectName), level->ObjectName,
                              "a level of the level list", "the level is empty");
        }
    }
    if (!EditorIsEditing()) {
        ShowEditorIcons(false);
    }
    LevelTime = 0.0f;
    RoundActive = 0;
    TimerRunning = 0;
    Score = 0;
    ScoreChain = 1;
    // A pill taken in the last level must not make this level's enemies edible.
    FindOrCreateCoroutine(&GameplayScreenBhv::PillModeCoroutine)->Stop();
    PillMode = 0;
    ChooseMusic(*level);
    ShowTitleCard(level->ObjectName);
    // The HUD updates with the screen, which stands still in edit mode: it would show
    // the last level's number and par over the one loaded for editing.
    if (EditorIsEditing()) {
        RefreshHud();
    }
    if (gEditorLink.ResetHistory) {
        gEditorLink.ResetHistory();
    }
}

void GameplayScreenBhv::RefreshHud() const {
    for (GameObject* child : Owner->Children) {
        if (HudRootBhv* hud = child->GetComponent<HudRootBhv>()) {
            hud->Refresh();
        }
    }
}

void GameplayScreenBhv::ChooseMusic(const LevelDataCmp& level) const {
    if (gMusicManager == nullptr) {
        return;
    }
    const std::string& name = level.ObjectName;
    std::string track;
    float volume = 1.0f;
    if (name == ReservedLevels::Bonus1 || name == ReservedLevels::Bonus2 || name == ReservedLevels::Survival) {
        track = "Bonus";
        volume = 0.7f;
    } else if (name == ReservedLevels::Yay) {
        volume = 0.5f;
    } else if (level.Number > 0) {
        track = level.Number < 15 ? "Psy1" : "Psy2";
        volume = level.Number < 15 ? 0.5f : 0.7f;
    }
    if (track == gMusicManager->CurrentTrack) {
        return;
    }
    if (track.empty()) {
        gMusicManager->Sound.reset();
        gMusicManager->CurrentTrack.clear();
        return;
    }
    gMusicManager->Play(track);
    if (gMusicManager->Channel) {
        gMusicManager->Channel.SetVolume(volume);
    }
}

void GameplayScreenBhv::ShowTitleCard(const std::string& levelName) {
    if (levelName == mLastTitle) {
        return;
    }
    mLastTitle = levelName;
    // A card that has not run out (the game was paused) would lie under the new one.
    RemoveTitleCard();
    // A level loaded in edit mode is not being played: its card would stay frozen over
    // it until play resumed.
    if (levelName != ReservedLevels::Yay && !EditorIsEditing()) {
        BuildChildFromPrefab("UiLevelTitle", *Owner);
    }
}

void GameplayScreenBhv::RemoveTitleCard() {
    for (GameObject* child : Owner->Children) {
        if (child->GetComponent<UiLevelTitleBhv>() != nullptr) {
            child->Destroy();
        }
    }
}

void GameplayScreenBhv::ReloadLevel() {
    LoadLevel(FindLevel(gCurrentLevelName));
}

void GameplayScreenBhv::LoadRelativeLevel(int offset) {
    const LevelDataCmp* current = FindLevel(gCurrentLevelName);
    const int number = current != nullptr ? current->Number : 0;
    if (LevelDataCmp* level = LevelListBhv::GetLevelByNumber(number + offset)) {
        LoadLevel(level);
    }
}

void GameplayScreenBhv::RemoveLevelObject(bool keepMutable) {
    GameObject* level = Owner->FindChild("Level");
    if (level == nullptr) {
        return;
    }
    for (GameObject* group : level->Children) {
        if (keepMutable && ContainsMut(group->Name)) {
            continue;
        }
        // Detached here, deleted after the update walk. An object that cannot be
        // queued (an ancestor already is) stays where it is and goes with that ancestor.
        std::vector<GameObject*> kept;
        for (GameObject* object : group->Children) {
            object->Destroy();
            if (object->PendingDestroy) {
                object->Parent = nullptr;
            } else {
                kept.push_back(object);
            }
        }
        group->Children = std::move(kept);
    }
}

void GameplayScreenBhv::BuildLevelObject(Prefab* prefab) {
    if (prefab == nullptr) {
        return;
    }
    GameObject* level = Owner->FindChild("Level");
    if (level == nullptr) {
        Log("no child \"Level\" to build \"" + prefab->Name + "\" into");
        return;
    }
    RebuildMissingGroups(*level);
    GameObject built;
    prefab->Instantiate(&built);
    const std::vector<GameObject*> things = built.Children;
    for (GameObject* thing : things) {
        GameObject* group = FindLevelGroupOf(*thing);
        if (group != nullptr) {
            group->AddChild(thing);
        } else {
            if (thing->Thing != nullptr) {
                Log("no level group for \"" + thing->Name + "\" of \"" + prefab->Name + "\"");
            }
            delete thing;
        }
    }
}

void GameplayScreenBhv::AddToLevel(GameObject* object) {
    if (object == nullptr) {
        return;
    }
    if (GameObject* group = FindLevelGroupOf(*object)) {
        group->AddChild(object);
        return;
    }
    // Nothing would ever delete it, and its body would stay in the world.
    Log("\"" + object->Name + (object->Thing == nullptr ? "\" has no ThingCmp" : "\" has no level group") +
        "; it is deleted");
    if (object->Parent == nullptr && !DeletionQueuesInstalled()) {
        delete object;
        return;
    }
    object->Destroy();
}

void GameplayScreenBhv::RebuildMissingGroups(GameObject& level) const {
    const Prefab* groups = gPrefabManager != nullptr ? gPrefabManager->FindPrefab(level.PrefabName) : nullptr;
    if (groups == nullptr) {
        return;
    }
    for (size_t index = 0; index < groups->AutoCreates.size(); ++index) {
        const AutoCreate& entry = *groups->AutoCreates[index];
        const std::string name = entry.Name.empty() ? entry.Prefab : entry.Name;
        const Prefab* groupPrefab = gPrefabManager->FindPrefab(entry.Prefab);
        if (level.FindChild(name) != nullptr || groupPrefab == nullptr) {
            continue;
        }
        Log("group \"" + name + "\" of \"" + level.Name + "\" was missing; it is made again");
        auto* group = new GameObject();
        group->Name = name;
        groupPrefab->Instantiate(group, &entry.InstanceProperties);
        level.AddChild(group);
        // A group is found by its place, so it goes back to its own.
        std::rotate(level.Children.begin() + static_cast<std::ptrdiff_t>(index), level.Children.end() - 1,
                    level.Children.end());
    }
}

GameObject* GameplayScreenBhv::FindLevelGroup(int layer, bool isMutable) const {
    const GameObject* level = Owner->FindChild("Level");
    if (level == nullptr) {
        return nullptr;
    }
    const int index = 2 * (layer - 1) + (isMutable ? 1 : 0);
    if (index < 0 || index >= static_cast<int>(level->Children.size())) {
        return nullptr;
    }
    return level->Children[static_cast<size_t>(index)];
}

GameObject* GameplayScreenBhv::FindLevelGroupOf(const GameObject& thing) const {
    if (thing.Thing == nullptr) {
        return nullptr;
    }
    return FindLevelGroup(thing.Thing->Layer, thing.Thing->IsMutable);
}

void GameplayScreenBhv::ShowEditorIcons(bool show) {
    GameObject* level = Owner->FindChild("Level");
    if (level == nullptr) {
        return;
    }
    std::vector<GameObject*> pending(level->Children.begin(), level->Children.end());
    while (!pending.empty()) {
        GameObject* object = pending.back();
        pending.pop_back();
        if (object->Name == "EditorIcon") {
            object->DrawEnabled = show ? 1 : 0;
        }
        pending.insert(pending.end(), object->Children.begin(), object->Children.end());
    }
}

int GameplayScreenBhv::CountAnts() const {
    const GameObject* level = Owner->FindChild("Level");
    const GameObject* group = level != nullptr ? level->FindChild("Layer2Mut") : nullptr;
    if (group == nullptr) {
        return 0;
    }
    int count = 0;
    for (const GameObject* object : group->Children) {
        if (object->PrefabName == "En_Ant") {
            ++count;
        } else if (object->PrefabName == "En_AntSack") {
            const En_AntSackBhv* sack = object->GetComponent<En_AntSackBhv>();
            count += sack != nullptr ? sack->AntsBeingFreed() : 0;
        }
    }
    return count;
}

void GameplayScreenBhv::OnExitReached() {
    TimerRunning = 0;
    mLevelOffset = 1;
    Owner->InputEnabled = 0;
    if (gPlayer != nullptr) {
        gPlayer->FindOrCreateCoroutine(&PlayerBhv::EnterExitCoroutine)->Start();
    }
    PlayGameCue("ExitReached");
    ShowPanel(gCurrentLevelName == ReservedLevels::Bonus1 ? "UiAntsFreedPopup" : "UiLevelCompletePopup");
}

void GameplayScreenBhv::ShowPanel(const std::string& prefabName) {
    if (gGameplayRoot != nullptr) {
        BuildChildFromPrefab(prefabName, *gGameplayRoot);
    }
}

void GameplayScreenBhv::Replay() {
    TimerRunning = 0;
    StartCoroutineAtNextTick(FindOrCreateCoroutine(&GameplayScreenBhv::RespawnCoroutine));
}

void GameplayScreenBhv::StartChangeOfLevel() {
    if (!IsInTransition()) {
        StartCoroutineAtNextTick(FindOrCreateCoroutine(&GameplayScreenBhv::ChangeLevelCoroutine));
    }
}

bool GameplayScreenBhv::StartReturnToMap() {
    if (IsInTransition()) {
        return false;
    }
    FindOrCreateCoroutine(&GameplayScreenBhv::ReturnToMapCoroutine)->Start();
    return true;
}

bool GameplayScreenBhv::IsInTransition() {
    return mArriving || FindOrCreateCoroutine(&GameplayScreenBhv::ChangeLevelCoroutine)->Running ||
           FindOrCreateCoroutine(&GameplayScreenBhv::ReturnToMapCoroutine)->Running;
}

void GameplayScreenBhv::StartPillMode() {
    Coroutine* pillMode = FindOrCreateCoroutine(&GameplayScreenBhv::PillModeCoroutine);
    pillMode->Stop();
    pillMode->Start();
}

void GameplayScreenBhv::SetPaused(bool paused) {
    // A screen paused before its first pass (edit mode entered as it replaced the map)
    // would never load its level: the view would stay black under a HUD of no level.
    if (paused) {
        LoadPendingLevel();
    }
    if (!paused && !Owner->InputEnabled && !EditorIsEditing() && gAimManager != nullptr) {
        gAimManager->EnterAimMode();
    }
    if (paused && Owner->InputEnabled && !EditorIsEditing()) {
        ShowPanel("UiPausePopup");
        if (gAimManager != nullptr) {
            gAimManager->LeaveAimMode();
        }
    }
    Owner->InputEnabled = paused ? 0 : 1;
    Owner->UpdateEnabled = paused ? 0 : 1;
}

void GameplayScreenBhv::TransitionOff() {
    if (Tweens == nullptr || gGraphics == nullptr) {
        return;
    }
    ScreenCameras::StopTweens(Tweens);
    Camera2d& camera = gGraphics->WorldCamera;
    Tweens->AddTweenStep(&camera.Scale, TweenEasing::EaseIn, ScreenCameras::RestingWorldScale(), kTransitionScale,
                         nullptr, mTransitionOffTime);
    Tweens->TweenFloatFromTo(&camera.Rotation, TweenEasing::EaseIn, 0.0f, mTransitionRotation, nullptr,
                             mTransitionOffTime);
}

void GameplayScreenBhv::TransitionOn() {
    if (Tweens == nullptr || gGraphics == nullptr) {
        WakeLevel(*Owner);
        return;
    }
    ScreenCameras::StopTweens(Tweens);
    mArriving = true;
    // Found again when the camera arrives: the editor may have removed the behaviour.
    auto arrived = [owner = Owner] {
        if (auto* screen = owner->GetComponent<GameplayScreenBhv>()) {
            screen->mArriving = false;
        }
        WakeLevel(*owner);
    };
    Camera2d& camera = gGraphics->WorldCamera;
    Tweens->AddTweenStep(&camera.Scale, TweenEasing::EaseOut, kTransitionScale, ScreenCameras::RestingWorldScale(),
                         arrived, mTransitionOnTime);
    Tweens->TweenFloatFromTo(&camera.Rotation, TweenEasing::EaseOut, mTransitionRotation, 0.0f, nullptr,
                             mTransitionOnTime);
}

void GameplayScreenBhv::EndArrival() {
    if (mArriving) {
        EndCameraTransition();
        WakeLevel(*Owner);
    }
}

void GameplayScreenBhv::EndCameraTransition() {
    ScreenCameras::StopTweens(Tweens);
    ScreenCameras::Rest();
    mArriving = false;
}

bool GameplayScreenBhv::ReturnedToEditor() {
    if (!EditorHasUnsavedEdits() || !gEditorLink.ReturnToEditor) {
        return false;
    }
    gEditorLink.ReturnToEditor();
    return true;
}

void GameplayScreenBhv::FadeTo(uint8_t alpha) {
    if (mFadeLayer == nullptr || mFadeLayer->Tint == nullptr || Tweens == nullptr) {
        return;
    }
    Tweens->TweenColor(&mFadeLayer->Tint->Tint, Color{0, 0, 0, alpha}, TweenEasing::EaseInOut, nullptr,
                       mDieFadeTime * 0.5f);
}

CoCommand GameplayScreenBhv::RespawnCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            if (gPlayer == nullptr) {
                return CoWaitFrames(1);
            }
            gPlayer->Die();
            PlayGameCue("PlayerRespawn");
            return CoWaitSeconds(gPlayer->ExplodeTime);
        case 1:
            if (ReturnedToEditor()) {
                return CoStop();
            }
            if (RoundActive &&
                (gCurrentLevelName == ReservedLevels::Bonus2 || gCurrentLevelName == ReservedLevels::Survival)) {
                RoundActive = 0;
                // As at the exit: the panel has the keys now. A pause over it would
                // freeze the screen that the panel's choices need.
                Owner->InputEnabled = 0;
                ShowPanel(gCurrentLevelName == ReservedLevels::Bonus2 ? "UiPacmanCompletePopup"
                                                                      : "UiSurvivalCompletePopup");
                return CoStop();
            }
            if (mFadeLayer != nullptr) {
                if (mFadeLayer->Tint != nullptr) {
                    mFadeLayer->Tint->Tint.A = 0;
                }
                mFadeLayer->DrawEnabled = 1;
            }
            FadeTo(255);
            return CoWaitSeconds(mDieFadeTime * 0.5f);
        case 2:
            ReloadLevel();
            FadeTo(0);
            return CoWaitSeconds(mDieFadeTime * 0.5f);
        default:
            Owner->InputEnabled = 1;
            if (mFadeLayer != nullptr) {
                mFadeLayer->DrawEnabled = 0;
            }
            return CoStop();
    }
}

// The first step of leaving the level: back to the editor when play-testing unsaved
// edits, else the camera's way out.
CoCommand GameplayScreenBhv::BeginLeavingLevel() {
    if (ReturnedToEditor()) {
        Owner->InputEnabled = 1;
        return CoStop();
    }
    PlayGameCue("TransitionOff");
    TransitionOff();
    return CoWaitSeconds(mTransitionOffTime);
}

CoCommand GameplayScreenBhv::ChangeLevelCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return BeginLeavingLevel();
        case 1:
            PlayGameCue("TransitionOn");
            LoadRelativeLevel(mLevelOffset);
            TransitionOn();
            return CoWaitSeconds(mTransitionOnTime);
        default:
            // The wait may end a pass before the tweens: they would write after this.
            EndCameraTransition();
            Owner->InputEnabled = 1;
            WakeLevel(*Owner);
            return CoStop();
    }
}

CoCommand GameplayScreenBhv::ReturnToMapCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0: return BeginLeavingLevel();
        case 1: return CoWaitFrames(1);
        default:
            EndCameraTransition();
            // Without a map to go to, the screen stays and plays on.
            if (Owner->Parent == nullptr || BuildChildFromPrefab("LevelSelectScreen1", *Owner->Parent) == nullptr) {
                Log("no \"LevelSelectScreen1\" to return to");
                Owner->InputEnabled = 1;
                return CoStop();
            }
            Owner->Destroy();
            return CoStop();
    }
}

CoCommand GameplayScreenBhv::PillModeCoroutine(int step) {
    static const CoroutineBodyId id;
    if (step == CoroutineIdStep) {
        return id.Answer();
    }
    if (step == 0) {
        PillMode = 1;
        SetBackground("BackgroundPill");
        return CoWaitSeconds(mPillModeTime - kPillBlinkTime);
    }
    if (step < kPillLastStep) {
        SetBackground(step % 2 == 1 ? "BackgroundBonus" : "BackgroundPill");
        return CoWaitSeconds(kPillBlinkStep);
    }
    SetBackground("BackgroundBonus");
    PillMode = 0;
    ScoreChain = 1;
    return CoStop();
}
