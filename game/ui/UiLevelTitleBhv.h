#pragma once

#include "object/Behavior.h"

// The card with the level's number and name shown when a level loads: it stays
// DisplayTime seconds, fades out over FadeTime and removes itself. A level outside the
// main progression shows its name alone, at the height mirrored about the middle of
// the interface.
class UiLevelTitleBhv : public Behavior {
public:
    UiLevelTitleBhv();

    void Start() override;

    CoCommand TitleCoroutine(int step);

private:
    float DisplayTime = 1.0f;
    float FadeTime = 1.0f;
};
