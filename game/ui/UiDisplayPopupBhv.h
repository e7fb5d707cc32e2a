#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "object/Behavior.h"
#include "render/DisplaySettings.h"

class GameObject;

// The display settings popup opened from the map: the player picks one of the
// display's 60 Hz modes and full screen or not, the choice is applied at once and then
// waits for confirmation with a countdown. Confirming writes "Display.ini"; cancelling
// or letting the time run out restores the previous mode. When the file cannot be
// written the confirmed mode stays for this run and the popup says it was not saved.
class UiDisplayPopupBhv : public Behavior {
public:
    UiDisplayPopupBhv();

    void Start() override;
    void Update() override;
    void HandleInput() override;

    // Gives the map its input back and destroys the popup.
    void Close();
    // Back to choosing, the previous mode restored; the choice stays.
    void Revert();

    int32_t SelectedIndex() const { return mSelectedIndex; }
    const std::vector<DisplayMode>& Modes() const { return mModes; }
    bool IsConfirming() const { return mConfirming != 0; }

    // Where the modes come from; null lists the primary display's. Tests give their own.
    static const DisplayModeSource* ModeSource;

private:
    void HandleChoosing();
    void HandleConfirming();
    void Apply();
    // Back to choosing with the confirmed mode in use, telling that it was not saved.
    void KeepUnsaved(const std::string& problem);
    void ShowConfirmation(bool confirming) const;
    // The chosen mode; the current size when the display lists none.
    DisplayMode SelectedMode() const;
    // The name of the first of the panel's click targets under a left click this pass,
    // or "" when none is hit.
    const char* ClickedTarget(const char* panelName, const std::vector<const char*>& targets) const;
    void SetChildText(const char* panelName, const char* textName, const std::string& text) const;

    std::vector<DisplayMode> mModes;
    int32_t mSelectedIndex = 0;
    uint8_t mFullscreenChoice = 0;
    float mConfirmationTime = 10.0f;
    float mCountdown = 0.0f;
    int32_t mConfirming = 0;
    int32_t mPreviousWidth = 0;
    int32_t mPreviousHeight = 0;
    uint8_t mPreviousFullscreen = 0;
};
