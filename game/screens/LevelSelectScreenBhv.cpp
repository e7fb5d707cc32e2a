#include "game/screens/LevelSelectScreenBhv.h"

#include <cstdio>

#include "audio/MusicManager.h"
#include "game/GameEffects.h"
#include "game/levels/LevelDataCmp.h"
#include "game/levels/LevelListBhv.h"
#include "game/levels/ReservedLevels.h"
#include "game/levels/SavedDataBhv.h"
#include "game/screens/EditorLink.h"
#include "game/screens/GameplayScreenBhv.h"
#include "game/screens/ScreenCameras.h"
#include "input/InputManager.h"
#include "object/GameObject.h"
#include "object/GameTime.h"
#include "object/NumberText.h"
#include "object/TweenSequence.h"
#include "object/TweensBhv.h"
#include "render/Graphics.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

LevelSelectScreenBhv* gLevelSelectScreen = nullptr;

namespace {

constexpr float MusicVolume = 0.4f;

void SetText(const GameObject& parent, const char* child, const std::string& text) {
    GameObject* object = parent.FindChild(child);
    if (object != nullptr && object->Text != nullptr) {
        object->Text->Text = text;
    }
}

void Show(const GameObject& parent, const char* child, bool shown) {
    if (GameObject* object = parent.FindChild(child)) {
        object->DrawEnabled = shown ? 1 : 0;
    }
}

// A render setting as a property of the screen, so the content tunes it per screen.
void RegisterSetting(LevelSelectScreenBhv& screen, float RenderSettings::*setting, const char* name) {
    screen.RegisterProxyProperty<float>(
        [setting] { return gGraphics != nullptr ? (*gGraphics->Settings).*setting : 0.0f; },
        [setting](float value) {
            if (gGraphics != nullptr) {
                (*gGraphics->Settings).*setting = value;
            }
        },
        name);
}

}  // namespace

LevelSelectScreenBhv::LevelSelectScreenBhv() {
    RegisterProperty(&mZintlyBgSpeed, "ZintlyBgSpeed");
    RegisterProperty(&mZintly1stPassSpeed, "Zintly1stPassSpeed");
    RegisterProperty(&mZintlyBgTex, "ZintlyBgTex");
    RegisterProperty(&mShaderType, "ShaderType");
    RegisterProperty(&mTransitionTime, "TransitionTime");
    RegisterProperty(&mTransitionShrink, "TransitionShrink");
    RegisterProperty(&mTitleFadeInTime, "TitleFadeInTime");
    RegisterProperty(&mTitleFadeOutTime, "TitleFadeOutTime");
    RegisterSetting(*this, &RenderSettings::ShadowReduction, "ShadowReduction");
    RegisterSetting(*this, &RenderSettings::ShadowRadius, "ShadowRadius");
    RegisterSetting(*this, &RenderSettings::ShadowDarkness, "ShadowDarkness");
    RegisterProperty(&mLockTextFlashSize, "LockTextFlashSize");
    RegisterProperty(&mLockTextFlashTime, "LockTextFlashTime");
}

LevelSelectScreenBhv::~LevelSelectScreenBhv() {
    if (gLevelSelectScreen == this) {
        gLevelSelectScreen = nullptr;
    }
}

void LevelSelectScreenBhv::Start() {
    gLevelSelectScreen = this;
    if (const GameObject* lockReason = LockReasonObject(); lockReason != nullptr && lockReason->Text != nullptr) {
        mLockReasonBaseSize = lockReason->Text->FontSize;
    }
    if (gMusicManager != nullptr) {
        gMusicManager->Play("LevelSelect1");
        if (gMusicManager->Channel) {
            gMusicManager->Channel.SetVolume(MusicVolume);
        }
    }
    if (gCurrentLevelName.empty()) {
        if (gSavedData != nullptr && !gSavedData->LastLevelName.empty()) {
            gCurrentLevelName = gSavedData->LastLevelName;
        } else if (gLevelList != nullptr && !gLevelList->Levels.empty()) {
            gCurrentLevelName = gLevelList->Levels.front()->ObjectName;
        }
    }
    FindOrCreateCoroutine(&LevelSelectScreenBhv::TitleCoroutine)->Start();
}

void LevelSelectScreenBhv::Update() {
    UpdateBackground();
    if (GameObject* ring = Owner->FindChild("LevelRing")) {
        ring->UpdateEnabled = mTransitionRunning ? 0 : 1;  // the map freezes while zooming
    }
    GameObject* infoBox = Owner->FindChild("LevelSelectInfoBox");
    if (infoBox == nullptr) {
        return;
    }
    const LevelDataCmp* level = gLevelList != nullptr ? gLevelList->FindLevel(gCurrentLevelName) : nullptr;
    infoBox->DrawEnabled = level != nullptr ? 1 : 0;
    if (level == nullptr) {
        return;
    }
    for (const char* badge : {"ParLabel", "ParText", "BestLabel", "BestText", "ParIcon"}) {
        Show(*infoBox, badge, false);
    }
    if (level->IsLocked) {
        ShowLockReason(*infoBox, *level);
    } else {
        ShowLevelInfo(*infoBox, *level);
    }
}

void LevelSelectScreenBhv::UpdateBackground() const {
    if (gGraphics == nullptr) {
        return;
    }
    RenderSettings& settings = *gGraphics->Settings;
    const float delta = CurrentFrameDelta();
    settings.BackgroundMode = mShaderType;
    settings.SecondPassTime += mZintlyBgSpeed * delta;
    settings.FirstPassTime += mZintly1stPassSpeed * delta;
    if (gSavedData != nullptr && gSavedData->UseAltBackground1) {
        settings.BackgroundTexture = "BackgroundBonus";
    } else if (gSavedData != nullptr && gSavedData->UseAltBackground2) {
        settings.BackgroundTexture = "Background3";
    } else {
        settings.BackgroundTexture = mZintlyBgTex;
    }
}

void LevelSelectScreenBhv::ShowLevelInfo(GameObject& infoBox, const LevelDataCmp& level) const {
    Show(infoBox, "LockReason", false);
    if (level.Number == 0 || gCurrentLevelName == ReservedLevels::Boss) {
        SetText(infoBox, "World", level.LevelName);
        return;
    }
    for (const char* label : {"ParLabel", "ParText", "BestLabel", "BestText"}) {
        Show(infoBox, label, true);
    }
    SetText(infoBox, "World", std::to_string(level.Number) + ": " + level.LevelName);
    SetText(infoBox, "ParText", FloatToString(level.ParTime));
    const bool completed = level.IsCompleted();
    SetText(infoBox, "BestText", completed ? FloatToString(level.GetBestTime()) : std::string());
    Show(infoBox, "ParIcon", completed && level.IsParBeaten());
}

void LevelSelectScreenBhv::ShowLockReason(GameObject& infoBox, const LevelDataCmp& level) const {
    Show(infoBox, "LockReason", true);
    const std::string& name = level.ObjectName;
    const int parCount = gLevelList != nullptr ? gLevelList->ParCount : 0;
    std::string reason = "Beat Previous Levels to Unlock";
    std::string world = std::to_string(level.Number) + ": Locked";
    if (name == ReservedLevels::Bonus2) {
        reason = std::to_string(gLevelList->Bonus2ParCount - parCount) + " More Pars to Unlock";
        world = "Bonus 1: Locked";
    } else if (name == ReservedLevels::Bonus1) {
        reason = std::to_string(gLevelList->Bonus1ParCount - parCount) + " More Pars to Unlock";
        world = "Bonus 2: Locked";
    } else if (name == ReservedLevels::Survival) {
        world = "Bonus 3: Locked";
    }
    SetText(infoBox, "LockReason", reason);
    SetText(infoBox, "World", world);
}

void LevelSelectScreenBhv::HandleInput() {
    if (EditorTakesKeys() || gInputManager == nullptr || !gInputManager->IsActionPressed(InputAction::MenuCancel) ||
        Owner->Parent == nullptr) {
        return;
    }
    BuildChildFromPrefab("UiQuitPopup", *Owner->Parent);
}

void LevelSelectScreenBhv::StartLevel() {
    // While zooming in the cameras belong to the title: a second zoom would take the
    // moving scales over.
    if (!mTransitionRunning) {
        FindOrCreateCoroutine(&LevelSelectScreenBhv::StartLevelCoroutine)->Start();
    }
}

void LevelSelectScreenBhv::FlashLockReason() {
    GameObject* lockReason = LockReasonObject();
    if (Tweens == nullptr || lockReason == nullptr || lockReason->Text == nullptr) {
        return;
    }
    const float base = mLockReasonBaseSize;
    const float peak = base * mLockTextFlashSize;
    float* size = &lockReason->Text->FontSize;
    TweenSequence* flash = Tweens->CreateSequence(nullptr);
    flash->AddStep(nullptr, mLockTextFlashTime * 0.5f)->AddFloatFromTo(size, base, peak, TweenEasing::EaseInOut);
    flash->AddStep(nullptr, mLockTextFlashTime * 0.5f)->AddFloatFromTo(size, peak, base, TweenEasing::EaseInOut);
}

GameObject* LevelSelectScreenBhv::LockReasonObject() const {
    GameObject* infoBox = Owner->FindChild("LevelSelectInfoBox");
    return infoBox != nullptr ? infoBox->FindChild("LockReason") : nullptr;
}

CoCommand LevelSelectScreenBhv::TitleCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            mTransitionRunning = true;
            Owner->InputEnabled = 0;
            ZoomCameras(mTransitionShrink, 1.0f);
            FadeTitle(255, mTitleFadeInTime, false);
            return CoWaitSeconds(mTransitionTime);
        case 1: return CoWaitFrames(1);
        case 2:
            EndZoom();
            Owner->InputEnabled = 1;
            mTransitionRunning = false;
            return CoWaitFrames(3);
        default: return CoStop();
    }
}

CoCommand LevelSelectScreenBhv::StartLevelCoroutine(int step) {
    static const CoroutineBodyId id;
    switch (step) {
        case CoroutineIdStep: return id.Answer();
        case 0:
            mTransitionRunning = true;
            Owner->InputEnabled = 0;
            ZoomCameras(1.0f, mTransitionShrink);
            FadeTitle(0, mTitleFadeOutTime, true);
            PlayGameCue("TransitionOff");
            return CoWaitSeconds(mTransitionTime);
        case 1: return CoWaitFrames(1);
        default:
            EndZoom();
            if (!CreateGameplayScreen()) {
                // Nothing to hand over to: the map stays usable.
                Owner->InputEnabled = 1;
                mTransitionRunning = false;
                return CoStop();
            }
            PlayGameCue("TransitionOn");
            Owner->DetachAndDestroy();
            return CoStop();
    }
}

bool LevelSelectScreenBhv::CreateGameplayScreen() const {
    GameObject* screen = Owner->Parent != nullptr ? BuildChildFromPrefab("GameplayScreen", *Owner->Parent) : nullptr;
    if (screen == nullptr) {
        std::fprintf(stderr, "LevelSelectScreen: no prefab \"GameplayScreen\" to start level \"%s\" in\n",
                     gCurrentLevelName.c_str());
        return false;
    }
    auto* gameplay = screen->GetComponent<GameplayScreenBhv>();
    // Edit mode entered while the map zoomed away shows the level as it shows any
    // level: whole, at rest and paused, not turning in and playing under the editor.
    if (gameplay != nullptr && EditorIsEditing()) {
        gameplay->SetPaused(true);
        return true;
    }
    if (GameObject* level = screen->FindChild("Level")) {
        level->UpdateEnabled = 0;
        level->InputEnabled = 0;
    }
    if (gameplay != nullptr) {
        gameplay->TransitionOn();
    }
    return true;
}

void LevelSelectScreenBhv::ZoomCameras(float fromFactor, float toFactor) const {
    if (gGraphics == nullptr || Tweens == nullptr) {
        return;
    }
    ScreenCameras::StopTweens(Tweens);
    // The map never turns: a turn left by the level is gone before the zoom shows it.
    ScreenCameras::Rest();
    const auto zoom = [&](Vector2* scale, Vector2 rest) {
        Tweens->AddTweenStep(scale, TweenEasing::Linear, rest * fromFactor, rest * toFactor, nullptr, mTransitionTime);
    };
    zoom(&gGraphics->UiCamera.Scale, ScreenCameras::RestingUiScale());
    zoom(&gGraphics->WorldCamera.Scale, ScreenCameras::RestingWorldScale());
}

void LevelSelectScreenBhv::EndZoom() const {
    // The wait may end a pass before the zoom: its last write would come after this.
    ScreenCameras::StopTweens(Tweens);
    ScreenCameras::Rest();
}

void LevelSelectScreenBhv::FadeTitle(uint8_t alpha, float seconds, bool destroyAfter) const {
    GameObject* title = Owner->FindChild("LevelSelectTitle");
    if (title == nullptr || title->Tint == nullptr || Tweens == nullptr) {
        return;
    }
    TweenCallback done;
    if (destroyAfter) {
        done = [title] { title->Destroy(); };
    }
    Tweens->TweenColor(&title->Tint->Tint, Color{255, 255, 255, alpha}, TweenEasing::EaseInOut, done, seconds);
}
