#pragma once

#include <cstdint>
#include <string>

// What the player, the weapons and the enemies ask of the gameplay screen: the round
// gate, the level's end, the pill mode and its score. The gameplay screen implements
// it; while none is installed the callers skip these steps.
class GameplayScreenSeam {
public:
    virtual ~GameplayScreenSeam() = default;

    // The player touched the exit.
    virtual void OnExitReached() = 0;
    // The player died or asked to play the level again.
    virtual void Replay() = 0;
    // The player took a pill.
    virtual void StartPillMode() = 0;
    // The screen just made by the map zooms in and starts its level.
    virtual void TransitionOn() = 0;
    // The level being played, by object name.
    virtual std::string CurrentLevelName() const = 0;

    uint8_t RoundActive = 0;
    uint8_t TimerRunning = 0;
    uint8_t PillMode = 0;
    int Score = 0;
    int ScoreChain = 1;  // points for the next enemy eaten in pill mode
};

extern GameplayScreenSeam* gGameplayScreen;
