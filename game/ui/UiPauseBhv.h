#pragma once

#include "object/Behavior.h"

// The pause popup over the frozen level: zooms its background in, pulses its title,
// then Pause resumes play and GoToLevelSelect returns to the map.
class UiPauseBhv : public Behavior {
public:
    UiPauseBhv();

    // Input stays off until the zoom-in ends.
    void Start() override;
    void Update() override;
    void HandleInput() override;

    void OnShown();

private:
    // Zooms out and fades away, destroying the popup at the end.
    void Resume();
    void ReturnToMap();

    float TransitionTime = 0.25f;
    float StartSizeMultiple = 5.0f;
    float TitleBaseSize = 0.0f;
    float PulsateInterval = 1.0f;
    float PulsateAmount = 0.2f;
    bool mPulsates = true;
};
