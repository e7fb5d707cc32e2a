#pragma once

#include <cstdint>
#include <string>

#include "object/Behavior.h"

class LevelDataCmp;
class Prefab;

// The screen a level is played on: loads the level into its child "Level", picks the
// level's music and background, runs the level timer and drives the level's end (exit,
// death and respawn, change of level, return to the map) and pause. It also owns the
// pill mode and the pill-chase score. Published as gGameplayScreen.
class GameplayScreenBhv : public Behavior {
public:
    GameplayScreenBhv();
    // Clears gGameplayScreen when it names this instance.
    ~GameplayScreenBhv() override;

    // Becomes gGameplayScreen, finds the fade layer and turns aim mode on.
    void Start() override;
    // The pending load, the background's clocks and texture, the level timer.
    void Update() override;
    // Level skipping and pause, both ignored while the camera is in a transition.
    void HandleInput() override;

    // Empties the level and builds the level's prefab into it; resets time, round and
    // score, stops a running pill mode, picks the music and shows the title card (in
    // edit mode none, and the HUD shows the level at once).
    void LoadLevel(LevelDataCmp* level);
    // The level of gCurrentLevelName again.
    void ReloadLevel();
    // The main level offset steps from the current one, when there is one.
    void LoadRelativeLevel(int offset);

    // Queues every level object for destruction and empties the groups; the mutable
    // groups stay when keepMutable is set.
    void RemoveLevelObject(bool keepMutable);
    // Builds the prefab and sorts its things into the groups by layer and mutability;
    // a group missing from "Level" is made again first, so that no thing is dropped.
    void BuildLevelObject(Prefab* prefab);
    // Puts a thing spawned during play into its group.
    void AddToLevel(GameObject* object);
    // The group of "Level" for that layer and mutability; null when there is none.
    GameObject* FindLevelGroup(int layer, bool isMutable) const;
    // Every "EditorIcon" of the level is drawn or hidden.
    void ShowEditorIcons(bool show);
    // The level's title card goes, wherever it stands in its time.
    void RemoveTitleCard();
    // A view turning in on the level comes to rest at once, and the level wakes as at
    // its arrival.
    void EndArrival();
    // Ants walking in "Layer2Mut", and ants about to leave bursting sacks there.
    int CountAnts() const;

    // The player touched the exit: the timer stops and the end panel shows.
    void OnExitReached();
    // The player died or chose to play again; the respawn starts at the next tick.
    void Replay();
    // Unless a transition runs, the change of level starts at the next coroutine tick.
    void StartChangeOfLevel();
    // Unless a transition runs, the way out to the map starts; false when refused.
    bool StartReturnToMap();
    // The camera is arriving, or the screen is changing level or going back to the map:
    // no other transition may start until it rests again.
    bool IsInTransition();
    // A pill was taken: the pill mode starts (again) from its beginning.
    void StartPillMode();
    // Stops or resumes the screen's input and update, and with them the whole level; a
    // level not yet loaded is loaded first.
    void SetPaused(bool paused);

    // The world camera zooms out and turns away from rest, or comes back to rest; each
    // first stops the camera tweens of the one before.
    void TransitionOff();
    void TransitionOn();

    CoCommand ChangeLevelCoroutine(int step);
    CoCommand ReturnToMapCoroutine(int step);
    CoCommand RespawnCoroutine(int step);
    CoCommand PillModeCoroutine(int step);

    float LevelTime = 0.0f;
    uint8_t RoundActive = 0;
    uint8_t TimerRunning = 0;
    int32_t Score = 0;
    uint8_t PillMode = 0;
    int32_t ScoreChain = 1;  // points for the next enemy eaten in pill mode

private:
    GameObject* FindLevelGroupOf(const GameObject& thing) const;
    // Each group of the level's prefab that the level lacks, built at its own place.
    void RebuildMissingGroups(GameObject& level) const;
    // The level of gCurrentLevelName (the first main level when none), once: at the
    // first update, or at a pause that comes before it.
    void LoadPendingLevel();
    void ChooseBackground() const;
    void ChooseMusic(const LevelDataCmp& level) const;
    void ShowTitleCard(const std::string& levelName);
    void RefreshHud() const;
    // The level editor's unsaved edits end an attempt in the editor.
    bool ReturnedToEditor();
    CoCommand BeginLeavingLevel();
    void FadeTo(uint8_t alpha);
    // A panel or popup under the gameplay root; nothing while it has no prefab.
    static void ShowPanel(const std::string& prefabName);
    // The end of a transition: no camera tween of this screen runs on, the cameras rest.
    void EndCameraTransition();

    float mTransitionOffTime = 1.0f;
    float mTransitionOnTime = 1.0f;
    float mTransitionRotation = 25.0f;
    float mDieFadeTime = 0.5f;
    int mLevelOffset = 1;
    GameObject* mFadeLayer = nullptr;
    float mBgSpeed = 1.0f;
    float mFirstPassSpeed = 1.0f;
    bool mPendingLoad = true;
    float mPillModeTime = 8.0f;
    std::string mLastTitle;
    bool mArriving = false;
};

extern GameplayScreenBhv* gGameplayScreen;
