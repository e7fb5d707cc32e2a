#pragma once

#include <string>

#include "object/Behavior.h"

class GameObject;
class LevelDataCmp;

// The game's hub: the map of levels with an info box about the selected one, an
// animated background and a title. It zooms in when it comes up and zooms out into
// the gameplay screen when a level is started. Published as gLevelSelectScreen.
class LevelSelectScreenBhv : public Behavior {
public:
    LevelSelectScreenBhv();
    // Clears gLevelSelectScreen when it names this instance.
    ~LevelSelectScreenBhv() override;

    // Becomes gLevelSelectScreen, starts the music, selects a level when none is and
    // zooms in.
    void Start() override;
    void Update() override;
    // MenuCancel opens the quit popup beside the screen.
    void HandleInput() override;

    // Zooms out into the gameplay screen; once, however often it is asked, and not
    // while the screen is still zooming in.
    void StartLevel();
    // Pulses the lock reason's size once.
    void FlashLockReason();

    CoCommand TitleCoroutine(int step);
    CoCommand StartLevelCoroutine(int step);

private:
    void UpdateBackground() const;
    void ShowLevelInfo(GameObject& infoBox, const LevelDataCmp& level) const;
    void ShowLockReason(GameObject& infoBox, const LevelDataCmp& level) const;
    GameObject* LockReasonObject() const;
    // Tweens both cameras' scales linearly between these factors of their resting
    // scales, after stopping any camera tween of this screen.
    void ZoomCameras(float fromFactor, float toFactor) const;
    // The end of a zoom: no camera tween of this screen runs on, the cameras rest.
    void EndZoom() const;
    void FadeTitle(uint8_t alpha, float seconds, bool destroyAfter) const;
    // The gameplay screen beside this one, its level frozen until it transitions on (in
    // edit mode at rest and paused, its level loaded); false when there is no such prefab.
    bool CreateGameplayScreen() const;

    float mZintlyBgSpeed = 1.0f;
    float mZintly1stPassSpeed = 0.1f;
    std::string mZintlyBgTex = "Background1";
    int mShaderType = 1;
    float mTransitionTime = 1.0f;
    float mTransitionShrink = 0.01f;
    float mTitleFadeInTime = 1.0f;
    float mTitleFadeOutTime = 0.1f;
    float mLockTextFlashSize = 1.5f;
    float mLockTextFlashTime = 0.5f;

    bool mTransitionRunning = false;
    float mLockReasonBaseSize = 1.0f;
};

extern LevelSelectScreenBhv* gLevelSelectScreen;
