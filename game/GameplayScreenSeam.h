#pragma once

#include <cstdint>

class GameObject;

// What the player, the weapons, the enemies and the spawns ask of the gameplay screen:
// the round gate, the level's end, the pill mode and its score, and a place in the
// level. The gameplay screen implements it; while none is installed the callers skip
// these steps.
class GameplayScreenSeam {
public:
    virtual ~GameplayScreenSeam() = default;

    // The player touched the exit.
    virtual void OnExitReached() = 0;
    // The player died or asked to play the level again.
    virtual void Replay() = 0;
    // The player took a pill.
    virtual void StartPillMode() = 0;
    // Takes an object spawned during play into the level group its ThingCmp names; an
    // object without a ThingCmp is left unattached.
    virtual void AddToLevel(GameObject* object) = 0;

    uint8_t RoundActive = 0;
    uint8_t TimerRunning = 0;
    uint8_t PillMode = 0;
    int Score = 0;
    int ScoreChain = 1;  // points for the next enemy eaten in pill mode
};

extern GameplayScreenSeam* gGameplayScreen;
